#include "editing/delay_rules.h"

#include "catalogue/keycodes.h"

namespace delays
{

namespace
{

constexpr int kUnitBase = 6;
constexpr int kUnitSize = 3;
// The ordinary keys of the catalogue, searched in row order for a usage.
constexpr int kKeyRowBegin = 107;
constexpr int kKeyRowEnd = 219;

// Extended modifier codes 0xF1..0xF8.
constexpr const char *kModifierText[8] = {"Ctrl+",       "Shift+",       "Alt+",       "Win+",
                                          "Right Ctrl+", "Right Shift+", "Right Alt+", "Right Win+"};

int unit(int row)
{
    return kUnitBase + kUnitSize * row;
}

} // namespace

void storeSlotDelay(quint8 *record, int ms, quint8 type)
{
    record[4] = quint8(ms & 0xFF);
    record[5] = quint8((ms >> 8) & 0xFF);
    record[3] = type;
}

void storeStrokeDelay(quint8 *record, int row, int ms)
{
    record[unit(row)] = quint8((ms >> 8) & 0xFF);
    record[unit(row) + 1] = quint8(ms & 0xFF);
}

int strokeDelay(const quint8 *record, int row)
{
    return (record[unit(row)] << 8) | record[unit(row) + 1];
}

quint8 strokeCode(const quint8 *record, int row)
{
    return record[unit(row) + 2];
}

int shownStrokeDelay(const quint8 *record, int row)
{
    const int ms = strokeDelay(record, row);
    if (row == 0)
        return ms;
    return ms < kOtherStrokeMin + 1 ? kOtherStrokeMin : ms;
}

RowLabel strokeLabel(quint8 code, bool english)
{
    if (code == 0)
        return {LabelKind::Null, QStringLiteral("NULL")};
    if (code >= 0xF1 && code <= 0xF8)
        return {LabelKind::Name, QString::fromLatin1(kModifierText[code - 0xF1])};
    if (code <= 0xF0) {
        for (int i = kKeyRowBegin; i < kKeyRowEnd; ++i) {
            const catalogue::KeyRow &row = catalogue::kRows[i];
            if (row.code == code)
                return {LabelKind::Name, QString::fromUtf8(english ? row.nameEN : row.nameCN)};
        }
    }
    return {LabelKind::Keep, QString()};
}

} // namespace delays
