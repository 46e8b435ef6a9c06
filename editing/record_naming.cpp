#include "editing/record_naming.h"

#include "catalogue/keycodes.h"
#include "editing/record_rules.h"

namespace record_naming
{

namespace
{

constexpr quint8 kFirstExtendedModifier = 0xF1, kLastExtendedModifier = 0xF8;

constexpr const char *kModifierText[8] = {"Ctrl+",       "Shift+",       "Alt+",       "Win+",
                                          "Right Ctrl+", "Right Shift+", "Right Alt+", "Right Win+"};

// The mouse row whose action matches (buttons, wheel, modifier) exactly, or -1.
int mouseRow(const quint8 *record, bool extended)
{
    const record_rules::MouseBytes &at =
        extended ? record_rules::kExtendedMouse : record_rules::kStandardMouse;
    for (int i = 0; i < record_rules::kMouseActions; ++i) {
        const record_rules::MouseAction &a = record_rules::kMouseTable[i];
        const int modifier = extended ? a.extendedModifier : a.standardModifier;
        if (record[at.buttons] == qMax(a.buttons, 0) && record[at.wheel] == qMax(a.wheel, 0) &&
            record[at.modifier] == qMax(modifier, 0))
            return catalogue::kMouseBegin + i;
    }
    return -1;
}

void appendName(QString &text, int row, catalogue::Language language, Separator sep)
{
    if (row < 0)
        return;
    if (sep == Separator::BlankBeforeName)
        text += QLatin1Char(' ');
    text += catalogue::rowName(row, language);
}

QString describeKeys(const quint8 *record, bool extended, catalogue::Language language, Separator sep)
{
    QString text;
    // every entry the keypad gets, whatever the counter says
    const int entries = extended ? record_rules::kExtendedEntries : record_rules::kStandardEntries;
    for (int i = 0; i < entries; ++i) {
        if (extended) {
            const quint8 code = record[record_rules::extendedCodeAt(i)];
            if (code == 0)
                continue;
            if (const char *m = extendedModifierText(code))
                text += QLatin1String(m);
            else if (code < kFirstExtendedModifier)
                appendName(text, keyRowForUsage(code), language, sep);
            continue;
        }
        const quint8 mask = record[record_rules::standardModifierAt(i)];
        for (int bit = 0; bit < 8; ++bit)
            if (mask & (1 << bit))
                text += QLatin1String(modifierBitText(bit));
        const quint8 usage = record[record_rules::standardUsageAt(i)];
        if (usage != 0)
            appendName(text, keyRowForUsage(usage), language, sep);
    }
    return text;
}

} // namespace

int keyRowForUsage(quint8 usage)
{
    return catalogue::findRowByCode(usage, catalogue::kKeyBegin, catalogue::kKeyEnd - 1);
}

int mediaRowForLowByte(quint8 low)
{
    return catalogue::findRowByCode(low, catalogue::kMediaBegin, catalogue::kMediaEnd);
}

const char *modifierBitText(int bit)
{
    return bit >= 0 && bit < 8 ? kModifierText[bit] : nullptr;
}

const char *extendedModifierText(quint8 code)
{
    if (code < kFirstExtendedModifier || code > kLastExtendedModifier)
        return nullptr;
    return kModifierText[code - kFirstExtendedModifier];
}

QString describe(const quint8 *record, bool extended, catalogue::Language language, Separator sep)
{
    switch (record[record_rules::kTypeByte]) {
    case record_rules::kKeyboardType:
        return describeKeys(record, extended, language, sep);
    case record_rules::kMultimediaType: {
        QString text;
        const quint8 low =
            record[extended ? record_rules::extendedCodeAt(0) : record_rules::standardModifierAt(0)];
        if (low != 0)
            appendName(text, mediaRowForLowByte(low), language, sep);
        return text;
    }
    case record_rules::kMouseType: {
        QString text;
        appendName(text, mouseRow(record, extended), language, sep);
        return text;
    }
    default:
        return QString();
    }
}

QString informationText(const quint8 *record, bool extended, catalogue::Language language)
{
    return describe(record, extended, language, extended ? Separator::None : Separator::BlankBeforeName);
}

bool holdsNothing(const quint8 *record, bool extended)
{
    static constexpr int kStandardContent[3] = {10, 11, 14};
    static constexpr int kExtendedContent[3] = {8, 11, 20};
    for (int byte : extended ? kExtendedContent : kStandardContent)
        if (record[byte] != 0)
            return false;
    return true;
}

QString slotCaption(const quint8 *record, bool extended, catalogue::Language language)
{
    if (holdsNothing(record, extended))
        return QStringLiteral("NULL");
    return describe(record, extended, language, Separator::None);
}

} // namespace record_naming
