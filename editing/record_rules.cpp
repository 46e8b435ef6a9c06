#include "editing/record_rules.h"

namespace record_rules
{

namespace
{

constexpr quint8 kShift = 0x02;
constexpr quint8 kExtendedShift = 0xF2;
constexpr quint8 kStandardMouseCount = 1;
constexpr quint8 kExtendedMouseCount = 4;

int capacity(bool extended)
{
    return extended ? kExtendedEntries : kStandardEntries;
}

int counterByte(bool extended)
{
    return extended ? kExtendedCounter : kStandardCounter;
}

// Entries [first, first + written) are written and the counter becomes first + advance.
Refusal checkFits(bool extended, int first, int written, int advance)
{
    const int cap = capacity(extended);
    if (written > 0 && first + written > cap)
        return "entry beyond the last entry of the record";
    if (first + advance > cap)
        return "entry counter beyond the last entry of the record";
    return nullptr;
}

void advance(quint8 *record, bool extended, int by)
{
    record[counterByte(extended)] = quint8(record[counterByte(extended)] + by);
}

// Zeroes bytes first..last; true when one of them was not zero.
bool zero(quint8 *record, int first, int last)
{
    bool changed = false;
    for (int i = first; i <= last; ++i) {
        changed = changed || record[i] != 0;
        record[i] = 0;
    }
    return changed;
}

} // namespace

const ModifierEntries *extendedModifierEntries(quint8 mask)
{
    for (const ModifierEntries &m : kExtendedModifiers)
        if (m.mask == mask)
            return &m;
    return nullptr;
}

Refusal writeKeyCode(quint8 *record, bool extended, quint8 usage)
{
    const int n = record[counterByte(extended)];
    if (Refusal why = checkFits(extended, n, 1, 1))
        return why;
    record[extended ? extendedCodeAt(n) : standardUsageAt(n)] = usage;
    advance(record, extended, 1);
    return nullptr;
}

Refusal writeModifier(quint8 *record, bool extended, quint8 mask)
{
    const int n = record[counterByte(extended)];
    if (!extended) {
        // the modifiers collect on the entry the next key fills
        if (Refusal why = checkFits(false, n, 1, 0))
            return why;
        record[standardModifierAt(n)] |= mask;
        return nullptr;
    }
    const ModifierEntries *entries = extendedModifierEntries(mask);
    if (!entries)
        return nullptr;
    if (Refusal why = checkFits(true, n, entries->count, entries->count))
        return why;
    // each code is an entry of its own (a shorter preset may have left codes there)
    for (int k = 0; k < entries->count; ++k)
        record[extendedCodeAt(n + k)] = entries->codes[k];
    advance(record, true, entries->count);
    return nullptr;
}

Refusal writeShiftedSymbol(quint8 *record, bool extended, quint8 usage)
{
    const int n = record[counterByte(extended)];
    if (!extended) {
        if (Refusal why = checkFits(false, n, 1, 1))
            return why;
        // the modifiers clicked before the symbol stay with it
        record[standardModifierAt(n)] |= kShift;
        record[standardUsageAt(n)] = usage;
        advance(record, false, 1);
        return nullptr;
    }
    if (Refusal why = checkFits(true, n, 2, 2))
        return why;
    record[extendedCodeAt(n)] = kExtendedShift;
    record[extendedCodeAt(n + 1)] = usage;
    advance(record, true, 2);
    return nullptr;
}

Refusal writeMediaKey(quint8 *record, bool extended, quint8 low, quint8 high)
{
    const int n = record[counterByte(extended)];
    if (!extended) {
        if (Refusal why = checkFits(false, n, 1, 2))
            return why;
        record[standardModifierAt(n)] = low;
        record[standardUsageAt(n)] = high;
    } else {
        if (Refusal why = checkFits(true, 0, 2, n + 2))
            return why;
        record[extendedCodeAt(0)] = low;
        record[extendedCodeAt(1)] = high;
    }
    advance(record, extended, 2);
    return nullptr;
}

Refusal writeMouseAction(quint8 *record, bool extended, quint8 code)
{
    const int action = code - kFirstMouseCode;
    if (action < 0 || action >= kMouseActions)
        return "not a mouse action code";
    const MouseAction &a = kMouseTable[action];
    const MouseBytes &at = extended ? kExtendedMouse : kStandardMouse;
    const int modifier = extended ? a.extendedModifier : a.standardModifier;
    if (modifier >= 0)
        record[at.modifier] = quint8(modifier);
    if (a.buttons >= 0)
        record[at.buttons] = quint8(a.buttons);
    if (a.wheel >= 0)
        record[at.wheel] = quint8(a.wheel);
    record[counterByte(extended)] = extended ? kExtendedMouseCount : kStandardMouseCount;
    return nullptr;
}

void setFunctionType(quint8 *record, quint8 type)
{
    record[kTypeByte] = type;
}

bool clearSlot(quint8 *record)
{
    return zero(record, 4, 63);
}

bool clearLayerStandard(quint8 *record)
{
    return zero(record, 4, standardUsageAt(kStandardEntries - 1));
}

bool clearLayerExtended(quint8 *record)
{
    return zero(record, 4, extendedCodeAt(kExtendedEntries - 1));
}

} // namespace record_rules
