#include "app/edit_history.h"

#include <algorithm>
#include <cstring>
#include <utility>

#include "device/reports.h"

namespace edits
{

namespace
{

// Record bytes 0..2 are the header (FD, slot, layer + 1; FE B0 layer on a standard LED
// record), which selecting a slot stamps anew: only what follows tells two records apart.
constexpr int kHeader = 3;

int travelling(bool extended)
{
    return extended ? reports::kExtendedRecordBytes : reports::kStandardRecordBytes;
}

bool sameRecord(bool extended, const char *a, const char *b)
{
    return std::memcmp(a + kHeader, b + kHeader, size_t(travelling(extended) - kHeader)) == 0;
}

QByteArray bytesOf(const quint8 *record)
{
    return QByteArray(reinterpret_cast<const char *>(record), kRecordSize);
}

LedLayer ledOf(const ConfigStore &store, int layer)
{
    LedLayer l;
    l.mode = store.LED_Layer_Mode[layer];
    std::memcpy(l.colours, store.LED_Color_Table[layer], sizeof l.colours);
    return l;
}

} // namespace

bool LedLayer::operator==(const LedLayer &o) const
{
    return mode == o.mode && std::memcmp(colours, o.colours, sizeof colours) == 0;
}

std::unique_ptr<StoreState> StoreState::of(const ConfigStore &store)
{
    auto s = std::make_unique<StoreState>();
    std::memcpy(s->records[0], store.PHY_KEY_Value, sizeof store.PHY_KEY_Value);
    std::memcpy(s->records[1], store.PHY2_KEY_Value, sizeof store.PHY2_KEY_Value);
    std::memcpy(s->flags, store.Modify_Key_Flag, sizeof s->flags);
    for (int layer = 0; layer < kLayers; ++layer)
        s->led[layer] = ledOf(store, layer);
    s->ledFlag = store.LED_Modify_Flag;
    return s;
}

void KeypadCopy::forget()
{
    for (auto &format : records)
        for (auto &layer : format)
            for (auto &record : layer)
                record.reset();
    for (auto &l : led)
        l.reset();
}

void KeypadCopy::noteSaved(const ConfigStore &store, const device::SaveJob &job,
                           const device::SaveOutcome &outcome)
{
    const auto array = job.extended ? store.PHY2_KEY_Value : store.PHY_KEY_Value;
    for (int i : outcome.committed) {
        const device::RecordCopy &r = job.records[i];
        // A record edited while the Save ran keeps its flag: the keypad has the copy, not it.
        if (store.Edit_Stamp[r.layer][r.slot] == r.stamp)
            records[job.extended][r.layer][r.slot] = bytesOf(array[r.layer][r.slot]);
    }
    if (outcome.ledWritten && store.LED_Edit_Stamp == job.ledStamp)
        for (int layer = 0; layer < kLayers; ++layer)
            led[layer] = ledOf(store, layer);
}

void KeypadCopy::noteRead(const ConfigStore &store, const device::ViewOutcome &outcome)
{
    const auto array = outcome.extended ? store.PHY2_KEY_Value : store.PHY_KEY_Value;
    for (const device::ReadRecord &r : outcome.records) {
        const quint8 *record = array[r.layer][r.slot];
        if (std::memcmp(record + 1, r.bytes.constData(), size_t(r.bytes.size())) == 0)
            records[outcome.extended][r.layer][r.slot] = bytesOf(record);
    }
}

void KeypadCopy::noteLed(const ConfigStore &store, int layer)
{
    led[layer] = ledOf(store, layer);
}

quint8 KeypadCopy::recordFlag(bool extended, int layer, int slot, const quint8 *bytes, quint8 fallback) const
{
    const std::optional<QByteArray> &known = records[extended][layer][slot];
    if (!known)
        return fallback;
    return sameRecord(extended, known->constData(), reinterpret_cast<const char *>(bytes)) ? 0 : 1;
}

quint8 KeypadCopy::ledFlag(const LedLayer (&state)[kLayers], quint8 fallback) const
{
    bool allKnown = true;
    for (int layer = 0; layer < kLayers; ++layer) {
        if (!led[layer])
            allKnown = false;
        else if (*led[layer] != state[layer])
            return 1;
    }
    return allKnown ? 0 : fallback;
}

EditCommand *EditCommand::between(const QString &text, const StoreState &before, const ViewState &viewBefore,
                                  const ConfigStore &after, const ViewState &viewAfter, int mergeKey,
                                  ConfigStore &store, const KeypadCopy &copy, ShowView show)
{
    std::unique_ptr<EditCommand> c(new EditCommand(text, store, copy, std::move(show)));
    const quint8(*now[2])[kSlots][kRecordSize] = {after.PHY_KEY_Value, after.PHY2_KEY_Value};
    for (int layer = 0; layer < kLayers; ++layer)
        for (int slot = 0; slot < kSlots; ++slot) {
            const quint8 flag = after.Modify_Key_Flag[layer][slot];
            bool changed = before.flags[layer][slot] != flag;
            for (int f = 0; f < 2; ++f)
                changed =
                    changed || std::memcmp(before.records[f][layer][slot], now[f][layer][slot], kRecordSize);
            if (!changed)
                continue;
            RecordChange r{layer, slot, {}, {}, before.flags[layer][slot], flag};
            for (int f = 0; f < 2; ++f) {
                r.before[f] = bytesOf(before.records[f][layer][slot]);
                r.after[f] = bytesOf(now[f][layer][slot]);
            }
            c->records.append(r);
        }
    for (int layer = 0; layer < kLayers; ++layer) {
        const LedLayer l = ledOf(after, layer);
        if (l != before.led[layer])
            c->leds.append({layer, before.led[layer], l});
    }
    c->ledFlagBefore = before.ledFlag;
    c->ledFlagAfter = after.LED_Modify_Flag;
    c->ledChanged = !c->leds.isEmpty() || c->ledFlagBefore != c->ledFlagAfter;
    if (c->records.isEmpty() && !c->ledChanged)
        return nullptr;
    c->viewBefore = viewBefore;
    c->viewAfter = viewAfter;
    c->mergeKey = mergeKey;
    return c.release();
}

void EditCommand::redo()
{
    if (done) {
        done = false;
        return;
    }
    apply(true);
}

void EditCommand::apply(bool after)
{
    quint8(*array[2])[kSlots][kRecordSize] = {store.PHY_KEY_Value, store.PHY2_KEY_Value};
    const bool extended = store.extended();
    for (const RecordChange &r : std::as_const(records)) {
        for (int f = 0; f < 2; ++f)
            std::memcpy(array[f][r.layer][r.slot], (after ? r.after : r.before)[f].constData(), kRecordSize);
        store.Modify_Key_Flag[r.layer][r.slot] = copy.recordFlag(
            extended, r.layer, r.slot, array[extended][r.layer][r.slot], after ? r.flagAfter : r.flagBefore);
        store.touch(r.layer, r.slot);
    }
    if (ledChanged) {
        for (const LedChange &l : std::as_const(leds)) {
            const LedLayer &v = after ? l.after : l.before;
            store.LED_Layer_Mode[l.layer] = v.mode;
            std::memcpy(store.LED_Color_Table[l.layer], v.colours, sizeof v.colours);
        }
        LedLayer state[kLayers];
        for (int layer = 0; layer < kLayers; ++layer)
            state[layer] = ledOf(store, layer);
        store.LED_Modify_Flag = copy.ledFlag(state, after ? ledFlagAfter : ledFlagBefore);
        store.LED_Edit_Stamp = ++store.Edit_Serial;
    }
    show(after ? viewAfter : viewBefore);
}

bool EditCommand::mergeWith(const QUndoCommand *other)
{
    const auto *o = dynamic_cast<const EditCommand *>(other);
    if (!o || o->mergeKey != mergeKey)
        return false;
    for (const RecordChange &r : o->records) {
        auto mine = std::find_if(records.begin(), records.end(), [&](const RecordChange &m) {
            return m.layer == r.layer && m.slot == r.slot;
        });
        if (mine == records.end()) {
            records.append(r);
        } else {
            mine->after[0] = r.after[0];
            mine->after[1] = r.after[1];
            mine->flagAfter = r.flagAfter;
        }
    }
    for (const LedChange &l : o->leds) {
        auto mine =
            std::find_if(leds.begin(), leds.end(), [&](const LedChange &m) { return m.layer == l.layer; });
        if (mine == leds.end())
            leds.append(l);
        else
            mine->after = l.after;
    }
    ledFlagAfter = o->ledFlagAfter;
    ledChanged = ledChanged || o->ledChanged;
    viewAfter = o->viewAfter;
    return true;
}

} // namespace edits
