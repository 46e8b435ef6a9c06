#include "layouts/layout_store.h"

#include <algorithm>
#include <cstring>

namespace layouts
{

static auto recordsOf(const ConfigStore &store, const Model &model)
{
    return model.extended() ? store.PHY2_KEY_Value : store.PHY_KEY_Value;
}

Layout fromStore(const ConfigStore &store, const Model &model, QVector<int> keySlots,
                 const CaptionFn &caption)
{
    std::sort(keySlots.begin(), keySlots.end());
    keySlots.erase(std::unique(keySlots.begin(), keySlots.end()), keySlots.end());
    if (!model.extended())
        keySlots.prepend(kLedSlot);

    Layout layout;
    layout.model = model;
    const auto records = recordsOf(store, model);
    for (int layer = 0; layer < kLayers; ++layer) {
        for (int slot : keySlots) {
            if (slot < kLedSlot || slot > kLastKeySlot)
                continue;
            const auto header = headerFor(slot, layer);
            QByteArray bytes(reinterpret_cast<const char *>(records[layer][slot]), model.recordBytes());
            if (slot == kLedSlot) {
                if (std::memcmp(bytes.constData(), header.data(), header.size()) != 0)
                    continue; // no LED record in this layer
            } else {
                std::copy(header.begin(), header.end(), bytes.begin());
            }
            const QString text =
                caption ? caption(layer, slot, reinterpret_cast<const quint8 *>(bytes.constData()))
                        : QString();
            layout.layers[layer].append(Record{slot, bytes, text});
        }
    }
    if (model.extended()) {
        layout.led.emplace();
        for (int layer = 0; layer < kLayers; ++layer) {
            LayerLed &led = (*layout.led)[layer];
            led.mode = store.LED_Layer_Mode[layer];
            std::memcpy(led.colours.data(), store.LED_Color_Table[layer], sizeof(led.colours));
        }
    }
    return layout;
}

int toStore(const Layout &layout, ConfigStore &store)
{
    if (check(layout) || layout.model.extended() != store.extended())
        return -1;
    auto records = layout.model.extended() ? store.PHY2_KEY_Value : store.PHY_KEY_Value;
    for (int layer = 0; layer < kLayers; ++layer) {
        for (const Record &r : layout.layers[layer]) {
            quint8 *target = records[layer][r.slot];
            std::memset(target, 0, kRecordSize);
            std::memcpy(target, r.bytes.constData(), size_t(std::min<int>(r.bytes.size(), kRecordSize)));
            store.markChanged(layer, r.slot);
        }
    }
    if (layout.led) {
        for (int layer = 0; layer < kLayers; ++layer) {
            const LayerLed &led = (*layout.led)[layer];
            store.LED_Layer_Mode[layer] = led.mode;
            std::memcpy(store.LED_Color_Table[layer], led.colours.data(), sizeof(led.colours));
        }
        store.LED_Modify_Flag = 1;
    }
    return layout.recordCount();
}

} // namespace layouts
