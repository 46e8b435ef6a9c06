// Read-back: asks the keypad for each layer's records and stores the answers.
#include <hidapi.h>

#include "app/widget.h"
#include "device/hid_io.h"
#include "device/reports.h"
#include "device/store.h"

namespace
{

// The keypad answers within milliseconds; a silent one costs at most this much per layer.
constexpr int kAnswerWaitMs = 250;

} // namespace

void Widget::Read_configuration_clicked()
{
    if (Store.Dev_Connected != 1)
        return;
    if (Store.extended())
        readConfiguration(3, 25, 0);
    else
        readConfiguration(3, 15, 3);
}

void Widget::readConfiguration(quint8 layers, quint8 keys, quint8 knobs)
{
    const bool extended = Store.extended();
    auto records = extended ? Store.PHY2_KEY_Value : Store.PHY_KEY_Value;
    const QVector<int> order = reports::readbackSlots(keys, knobs, extended);

    for (int layer = 1; layer <= layers && layer <= kLayers; ++layer) {
        if (hidio::write(Device_Handle,
                         reports::encodeReadRequest(keys, extended ? 0 : knobs, quint8(layer))) < 0)
            continue;
        // Answers belong to slots by their order alone.
        for (int slot : order) {
            quint8 answer[reports::kAnswerSize] = {};
            const int n = hid_read_timeout(Device_Handle, answer, sizeof answer, kAnswerWaitMs);
            hid_set_nonblocking(Device_Handle, 0);
            if (n < 0) {
                hidio::logError(Device_Handle);
                continue; // this slot keeps its record
            }
            if (n == 0) {
                qCDebug(lcDevice, "no answer for slot %d of layer %d; layer abandoned", slot, layer);
                break;
            }
            if (slot >= kSlots)
                continue;
            quint8 *record = records[layer - 1][slot];
            reports::storeReadbackAnswer(answer, record, extended);
            for (int i = 1; i <= reports::readbackBytes(extended); ++i) {
                if (extended)
                    qCDebug(lcDeviceBytes, "PHY2_KEY_Value====[%d]:%02x", i, record[i]);
                else
                    qCDebug(lcDeviceBytes, "PHY_KEY_Value[%d]:%02x", i, record[i]);
            }
        }
    }
    refreshLayerNames(Store.Select_PHY_Key_Layer);
}
