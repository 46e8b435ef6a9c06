#include "device/store_exchange.h"

#include <cstring>

#include "device/hid_io.h"
#include "device/reports.h"

namespace device
{

SaveJob saveJob(const ConfigStore &store)
{
    SaveJob job;
    job.extended = store.extended();
    const auto records = job.extended ? store.PHY2_KEY_Value : store.PHY_KEY_Value;
    const int size = job.extended ? reports::kExtendedRecordBytes : reports::kStandardRecordBytes;
    for (int layer = 0; layer < kLayers; ++layer)
        for (int slot = 0; slot < kSlots; ++slot) {
            if (store.Modify_Key_Flag[layer][slot] != 1)
                continue;
            QByteArray bytes(reinterpret_cast<const char *>(records[layer][slot]), size);
            // Slot 0 of a standard layer is its LED record (FE B0 layer); every other record
            // is a key record and travels under its own slot and layer.
            if (slot != 0) {
                bytes[1] = char(slot);
                bytes[2] = char(layer + 1);
            }
            job.records.append({layer, slot, store.Edit_Stamp[layer][slot], bytes});
        }
    if (job.extended && store.LED_Modify_Flag == 1) {
        job.led = true;
        job.ledStamp = store.LED_Edit_Stamp;
        std::memcpy(job.ledModes, store.LED_Layer_Mode, sizeof job.ledModes);
        std::memcpy(job.ledColours, store.LED_Color_Table, sizeof job.ledColours);
    }
    return job;
}

int applySave(ConfigStore &store, const SaveJob &job, const SaveOutcome &outcome)
{
    for (int i : outcome.committed) {
        const RecordCopy &r = job.records[i];
        if (store.Edit_Stamp[r.layer][r.slot] == r.stamp)
            store.Modify_Key_Flag[r.layer][r.slot] = 0;
    }
    if (outcome.ledWritten && store.LED_Edit_Stamp == job.ledStamp)
        store.LED_Modify_Flag = 0;
    return pendingChanges(store);
}

int applyView(ConfigStore &store, const ViewOutcome &outcome, bool keepFlagged)
{
    const auto records = outcome.extended ? store.PHY2_KEY_Value : store.PHY_KEY_Value;
    int stored = 0;
    for (const ReadRecord &r : outcome.records) {
        if (store.Edit_Stamp[r.layer][r.slot] > outcome.mark)
            continue;
        if (keepFlagged && store.Modify_Key_Flag[r.layer][r.slot] == 1)
            continue;
        quint8 *record = records[r.layer][r.slot];
        std::memcpy(record + 1, r.bytes.constData(), size_t(r.bytes.size()));
        for (int i = 1; i <= r.bytes.size(); ++i) {
            if (outcome.extended)
                qCDebug(lcDeviceBytes, "PHY2_KEY_Value====[%d]:%02x", i, record[i]);
            else
                qCDebug(lcDeviceBytes, "PHY_KEY_Value[%d]:%02x", i, record[i]);
        }
        ++stored;
    }
    return stored;
}

bool applyLed(ConfigStore &store, const LedOutcome &outcome)
{
    if (!outcome.answered || store.LED_Modify_Flag == 1 || store.LED_Edit_Stamp > outcome.mark)
        return false;
    store.LED_Layer_Mode[outcome.layer] = outcome.mode;
    std::memcpy(store.LED_Color_Table[outcome.layer], outcome.colours, sizeof outcome.colours);
    return true;
}

int pendingChanges(const ConfigStore &store)
{
    int n = store.extended() && store.LED_Modify_Flag == 1 ? 1 : 0;
    for (const auto &layer : store.Modify_Key_Flag)
        for (quint8 flag : layer)
            n += flag == 1;
    return n;
}

} // namespace device
