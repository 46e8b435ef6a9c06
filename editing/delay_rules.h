#pragma once
// Where delays live in the records. A standard record carries one delay per slot in
// bytes 4 (low) and 5 (high); an extended record carries one delay per key stroke, in
// the 18 units of three bytes from byte 6 on (delay high, delay low, code).
#include <QString>
#include <QtGlobal>

#include "catalogue/keycodes.h"

namespace delays
{

constexpr int kStrokeRows = 18;
constexpr int kSlotDelayMax = 6000; // slider and spin box of standard keypads
constexpr int kStrokeDelayMax = 60000;
constexpr int kOtherStrokeMin = 50; // rows 2..18; row 1 may be 0

// Standard record: bytes 4..5 = ms little-endian, byte 3 = function type.
void storeSlotDelay(quint8 *record, int ms, quint8 type);
int slotDelay(const quint8 *record);

// Extended record, row 0..17: the unit's delay bytes, big-endian. The code and the
// function type are left alone.
void storeStrokeDelay(quint8 *record, int row, int ms);
int strokeDelay(const quint8 *record, int row);
quint8 strokeCode(const quint8 *record, int row);

// The value a row spin box takes when a slot is loaded: row 0 as stored, every other
// row raised to 50 when the stored delay is below 51.
int shownStrokeDelay(const quint8 *record, int row);

// Label of a stroke row from its code.
enum class LabelKind {
    Null, // no stroke: "NULL" in red
    Name, // a modifier or key: its name in green
    Keep, // unknown code: the label is left as it is
};
struct RowLabel {
    LabelKind kind;
    QString text;
};
RowLabel strokeLabel(quint8 code, catalogue::Language language);

} // namespace delays
