#pragma once
// How a clicked function is written into a key record, in both record formats, and
// how records are stamped and cleared. A record is the 65-byte image of one output
// report (Store.PHY_KEY_Value[layer][slot] or Store.PHY2_KEY_Value[layer][slot]).
//
// Standard records: counter in byte 9, entry i at bytes 10 + 2i (modifier mask or
// low usage byte) and 11 + 2i (key usage or high usage byte), 20 entries.
// Extended records: counter in byte 5, entry i at 6 + 3i, 7 + 3i (its delay) and
// 8 + 3i (its code), 18 entries; modifiers are entries of their own (0xF1..0xF8).
#include <QtGlobal>

namespace record_rules
{

constexpr int kStandardEntries = 20;
constexpr int kExtendedEntries = 18;

// Byte 3 holds the function type: the page in front when the function was written.
constexpr int kTypeByte = 3;
constexpr quint8 kKeyboardType = 1, kMultimediaType = 2, kMouseType = 3, kDelayType = 5, kLedType = 8;
constexpr int kStandardCounter = 9;
constexpr int kExtendedCounter = 5;

constexpr int standardModifierAt(int entry)
{
    return 10 + 2 * entry;
}
constexpr int standardUsageAt(int entry)
{
    return 11 + 2 * entry;
}
constexpr int extendedCodeAt(int entry)
{
    return 8 + 3 * entry;
}

// Bytes a mouse action uses: modifier, button mask, wheel step.
struct MouseBytes {
    int modifier, buttons, wheel;
};
constexpr MouseBytes kStandardMouse{10, 11, 14};
constexpr MouseBytes kExtendedMouse{8, 11, 20};

// The eleven mouse actions (codes 0x61..0x6B), in code order. -1: the byte is not
// written by the action. The extended modifier is the modifier entry code.
struct MouseAction {
    int buttons, wheel, standardModifier, extendedModifier;
};
constexpr int kMouseActions = 11;
constexpr quint8 kFirstMouseCode = 0x61;
constexpr MouseAction kMouseTable[kMouseActions] = {
    {1, -1, -1, -1},        // left button
    {4, -1, -1, -1},        // middle button
    {2, -1, -1, -1},        // right button
    {-1, 0x01, -1, -1},     // wheel +
    {-1, 0xFF, -1, -1},     // wheel -
    {-1, 0x01, 0x01, 0xF1}, // Ctrl + up
    {-1, 0xFF, 0x01, 0xF1}, // Ctrl + down
    {-1, 0x01, 0x02, 0xF2}, // Shift + up
    {-1, 0xFF, 0x02, 0xF2}, // Shift + down
    {-1, 0x01, 0x04, 0xF3}, // Alt + up
    {-1, 0xFF, 0x04, 0xF3}, // Alt + down
};

// Extended records: the entries a modifier mask becomes, in the order they are written.
struct ModifierEntries {
    quint8 mask;
    quint8 count;
    quint8 codes[4];
};
constexpr ModifierEntries kExtendedModifiers[] = {
    {0x01, 1, {0xF1}},                   // Ctrl, control
    {0x02, 1, {0xF2}},                   // Shift
    {0x04, 1, {0xF3}},                   // Alt, option
    {0x08, 1, {0xF4}},                   // Win, command
    {0x10, 1, {0xF5}},                   // Right Ctrl
    {0x20, 1, {0xF6}},                   // Right Shift
    {0x40, 1, {0xF7}},                   // Right Alt, Right option
    {0x80, 1, {0xF8}},                   // Right Win, Right command
    {0x03, 2, {0xF1, 0xF2}},             // Ctrl+Shift
    {0x05, 2, {0xF1, 0xF3}},             // Ctrl+Alt
    {0x06, 2, {0xF3, 0xF2}},             // Alt+Shift
    {0x0A, 2, {0xF2, 0xF4}},             // Shift+Win
    {0x07, 3, {0xF1, 0xF2, 0xF3}},       // Ctrl+Shift+Alt
    {0x0D, 3, {0xF1, 0xF3, 0xF4}},       // Ctrl+Alt+Win
    {0x0F, 4, {0xF1, 0xF3, 0xF2, 0xF4}}, // Ctrl+Alt+Shift+Win
};
// The entries for `mask`, or nullptr when the mask has none.
const ModifierEntries *extendedModifierEntries(quint8 mask);

// Every write returns nullptr when it was made, or the reason it was refused; a
// refused write leaves the record exactly as it was. Writes are refused when an entry
// or the counter would leave the part of the record that reaches the device.
using Refusal = const char *;

// A plain key: standard usage into the entry at the counter (the modifiers collected
// there stay), extended one code entry; counter + 1.
Refusal writeKeyCode(quint8 *record, bool extended, quint8 usage);
// A modifier mask (Ctrl+, Ctrl+Alt+, ...): standard ORs it into the entry at the
// counter without moving it, so the modifiers clicked before a key collect there;
// extended writes its codes into the entries from the counter on and advances by their
// number.
Refusal writeModifier(quint8 *record, bool extended, quint8 mask);
// A symbol that needs Shift ("~", "!", ...), given the usage of its key: standard one
// entry (Shift added to the modifiers collected there, usage), counter + 1; extended
// two entries (0xF2, usage), counter + 2.
Refusal writeShiftedSymbol(quint8 *record, bool extended, quint8 usage);
// A consumer usage (low, high): standard into the entry at the counter; extended
// always into the codes of entries 0 and 1; counter + 2 in both.
Refusal writeMediaKey(quint8 *record, bool extended, quint8 low, quint8 high);
// A mouse action code 0x61..0x6B: only the bytes the action names are written, then
// the counter is 1 (standard) or 4 (extended).
Refusal writeMouseAction(quint8 *record, bool extended, quint8 code);

void setFunctionType(quint8 *record, quint8 type);

// Clearing zeroes bytes from 4 on (the header and function type stay) and returns true
// when one of them was not zero already. One slot: bytes 4..63. A whole layer: the part
// that reaches the keypad, standard bytes 4..49, extended bytes 4..59.
bool clearSlot(quint8 *record);
bool clearLayerStandard(quint8 *record);
bool clearLayerExtended(quint8 *record);

} // namespace record_rules
