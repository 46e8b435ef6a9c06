#include "editing/delay_rules.h"

#include "catalogue/keycodes.h"
#include "editing/record_naming.h"

namespace delays
{

namespace
{

constexpr int kUnitBase = 6;
constexpr int kUnitSize = 3;

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

int slotDelay(const quint8 *record)
{
    return record[4] | (record[5] << 8);
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

RowLabel strokeLabel(quint8 code, catalogue::Language language)
{
    if (code == 0)
        return {LabelKind::Null, QStringLiteral("NULL")};
    if (const char *modifier = record_naming::extendedModifierText(code))
        return {LabelKind::Name, QString::fromLatin1(modifier)};
    if (code <= 0xF0) {
        const int row = record_naming::keyRowForUsage(code);
        if (row >= 0)
            return {LabelKind::Name, catalogue::rowName(row, language)};
    }
    return {LabelKind::Keep, QString()};
}

} // namespace delays
