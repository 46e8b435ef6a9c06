// The editing rules on their own: how clicked functions land in the bytes of both record
// formats, how records read back as text, delays, the LED byte and the Procreate shortcuts.
#include <QtTest>

#include <cstring>
#include <iterator>

#include "device/store.h"
#include "editing/delay_rules.h"
#include "editing/led_rules.h"
#include "editing/preset_table.h"
#include "editing/record_naming.h"
#include "editing/record_rules.h"

using namespace record_rules;
using namespace record_naming;

namespace
{

// Bytes [first, first + count) as "fd 03 01 ...".
QByteArray hex(const quint8 *r, int first, int count)
{
    return QByteArray(reinterpret_cast<const char *>(r + first), count).toHex(' ');
}

QByteArray whole(const quint8 *r)
{
    return hex(r, 0, kRecordSize);
}

// Every byte in [first, last] is zero.
bool zero(const quint8 *r, int first, int last = kRecordSize - 1)
{
    return hex(r, first, last - first + 1) == QByteArray(last - first + 1, '\0').toHex(' ');
}

quint8 *standardRecord(quint8 type)
{
    quint8 *r = Store.PHY_KEY_Value[0][3];
    r[3] = type;
    return r;
}

quint8 *extendedRecord(quint8 type)
{
    quint8 *r = Store.PHY2_KEY_Value[0][3];
    r[3] = type;
    return r;
}

QString plain(const quint8 *r, bool extended, catalogue::Language language = catalogue::English)
{
    return describe(r, extended, language, Separator::None);
}

} // namespace

class TestCoreEditing : public QObject
{
    Q_OBJECT

  private slots:
    void init() { Store.reset(); }

    // ---- writing functions into records ----

    void modifierCombinationsOnExtendedRecords()
    {
        quint8 *r = Store.PHY2_KEY_Value[0][3];
        QVERIFY(!writeModifier(r, true, 0x0F)); // "Ctrl+Alt+Shift+Win+"
        QCOMPARE(hex(r, 5, 13), QByteArray("04 00 00 f1 00 00 f3 00 00 f2 00 00 f4"));

        Store.reset();
        QVERIFY(!writeModifier(r, true, 0x06)); // "Alt+Shift+": Alt first
        QVERIFY(!writeModifier(r, true, 0x80)); // "Right Win+" / "Right command"
        QCOMPARE(hex(r, 5, 10), QByteArray("03 00 00 f3 00 00 f2 00 00 f8"));

        // each click writes entries of its own
        Store.reset();
        QVERIFY(!writeModifier(r, true, 0x05)); // "Ctrl+Alt+"
        QVERIFY(!writeModifier(r, true, 0x05));
        QCOMPARE(hex(r, 5, 13), QByteArray("04 00 00 f1 00 00 f3 00 00 f1 00 00 f3"));
    }

    void shiftedSymbols()
    {
        quint8 *r = Store.PHY_KEY_Value[0][2];
        r[11] = 0x1D;                                 // a stale usage at the counter
        QVERIFY(!writeShiftedSymbol(r, false, 0x35)); // "~"
        QCOMPARE(hex(r, 9, 3), QByteArray("01 02 35"));
        QVERIFY(zero(r, 12));

        // a modifier clicked first stays with the symbol
        quint8 *m = Store.PHY_KEY_Value[0][5];
        QVERIFY(!writeModifier(m, false, 0x01));
        QVERIFY(!writeShiftedSymbol(m, false, 0x1E)); // "!"
        QCOMPARE(hex(m, 9, 3), QByteArray("01 03 1e"));

        quint8 *e = Store.PHY2_KEY_Value[0][2];
        e[8] = 0xF4, e[11] = 0x1D, e[14] = 0x1D; // left from the counter on by a preset
        QVERIFY(!writeShiftedSymbol(e, true, 0x35));
        QCOMPARE(hex(e, 5, 10), QByteArray("02 00 00 f2 00 00 35 00 00 1d"));
    }

    void mediaKeys()
    {
        quint8 *r = Store.PHY_KEY_Value[0][1];
        QVERIFY(!writeMediaKey(r, false, 0x94, 0x01)); // "My Computer" 0x0194
        QCOMPARE(hex(r, 9, 3), QByteArray("02 94 01"));
        QVERIFY(!writeMediaKey(r, false, 0xCD, 0x00)); // "Play/Pause", two entries further on
        QCOMPARE(hex(r, 9, 7), QByteArray("04 94 01 00 00 cd 00"));

        quint8 *e = Store.PHY2_KEY_Value[0][1];
        e[11] = 0x77; // left over from an earlier function
        QVERIFY(!writeMediaKey(e, true, 0xCD, 0x00));
        QCOMPARE(hex(e, 5, 7), QByteArray("02 00 00 cd 00 00 00"));
        // the next media click replaces the first two entries
        QVERIFY(!writeMediaKey(e, true, 0x94, 0x01));
        QCOMPARE(hex(e, 5, 7), QByteArray("04 00 00 94 00 00 01"));
    }

    void mouseActions_data()
    {
        QTest::addColumn<quint8>("code");
        QTest::addColumn<int>("buttons");
        QTest::addColumn<int>("wheel");
        QTest::addColumn<int>("stdModifier");
        QTest::addColumn<int>("extModifier");
        QTest::newRow("left") << quint8(0x61) << 1 << 0 << 0 << 0;
        QTest::newRow("middle") << quint8(0x62) << 4 << 0 << 0 << 0;
        QTest::newRow("right") << quint8(0x63) << 2 << 0 << 0 << 0;
        QTest::newRow("wheel+") << quint8(0x64) << 0 << 0x01 << 0 << 0;
        QTest::newRow("wheel-") << quint8(0x65) << 0 << 0xFF << 0 << 0;
        QTest::newRow("ctrl up") << quint8(0x66) << 0 << 0x01 << 0x01 << 0xF1;
        QTest::newRow("ctrl down") << quint8(0x67) << 0 << 0xFF << 0x01 << 0xF1;
        QTest::newRow("shift up") << quint8(0x68) << 0 << 0x01 << 0x02 << 0xF2;
        QTest::newRow("shift down") << quint8(0x69) << 0 << 0xFF << 0x02 << 0xF2;
        QTest::newRow("alt up") << quint8(0x6A) << 0 << 0x01 << 0x04 << 0xF3;
        QTest::newRow("alt down") << quint8(0x6B) << 0 << 0xFF << 0x04 << 0xF3;
    }

    void mouseActions()
    {
        QFETCH(quint8, code);
        QFETCH(int, buttons);
        QFETCH(int, wheel);
        QFETCH(int, stdModifier);
        QFETCH(int, extModifier);

        // standard: count 1, M B at bytes 10, 11, W at byte 14, nothing else
        QByteArray expected(kRecordSize, '\0');
        std::memcpy(expected.data(), Store.PHY_KEY_Value[2][7], 4);
        expected[9] = 1;
        expected[10] = char(stdModifier);
        expected[11] = char(buttons);
        expected[14] = char(wheel);
        QVERIFY(!writeMouseAction(Store.PHY_KEY_Value[2][7], false, code));
        QCOMPARE(whole(Store.PHY_KEY_Value[2][7]), expected.toHex(' '));

        // extended: count 4, M at byte 8, B at byte 11, W at byte 20
        expected.fill('\0');
        std::memcpy(expected.data(), Store.PHY2_KEY_Value[2][7], 4);
        expected[5] = 4;
        expected[8] = char(extModifier);
        expected[11] = char(buttons);
        expected[20] = char(wheel);
        QVERIFY(!writeMouseAction(Store.PHY2_KEY_Value[2][7], true, code));
        QCOMPARE(whole(Store.PHY2_KEY_Value[2][7]), expected.toHex(' '));
    }

    void mouseActionsKeepEachOther()
    {
        quint8 *e = Store.PHY2_KEY_Value[0][9];
        QVERIFY(!writeMouseAction(e, true, 0x62)); // middle button
        QVERIFY(!writeMouseAction(e, true, 0x68)); // Shift + up
        QCOMPARE(hex(e, 8, 13), QByteArray("f2 00 00 04 00 00 00 00 00 00 00 00 01"));
        const QByteArray before = whole(e);
        QVERIFY(writeMouseAction(e, true, 0x6C)); // not a mouse action
        QCOMPARE(whole(e), before);
    }

    void standardCapacity()
    {
        quint8 *r = Store.PHY_KEY_Value[0][6];
        r[9] = 19;
        // the last entry is bytes 48, 49
        QVERIFY(!writeModifier(r, false, 0x02));
        QVERIFY(!writeKeyCode(r, false, 0x2C));
        QCOMPARE(hex(r, 48, 2), QByteArray("02 2c"));
        QCOMPARE(r[9], quint8(20));

        const QByteArray full = whole(r);
        QVERIFY(writeKeyCode(r, false, 0x05));
        QVERIFY(writeModifier(r, false, 0x01));
        QVERIFY(writeShiftedSymbol(r, false, 0x35));
        QVERIFY(writeMediaKey(r, false, 0xCD, 0x00));
        QCOMPARE(whole(r), full);

        // a media usage fills one entry but moves the counter by two
        r[9] = 19;
        const QByteArray nineteen = whole(r);
        QVERIFY(writeMediaKey(r, false, 0xE9, 0x00));
        QCOMPARE(whole(r), nineteen);
        r[9] = 18;
        QVERIFY(!writeMediaKey(r, false, 0xE9, 0x00));
        QCOMPARE(hex(r, 46, 2), QByteArray("e9 00"));
        QCOMPARE(r[9], quint8(20));

        // a counter read back from a keypad may be anything; it must not wrap around
        r[9] = 0xFF;
        const QByteArray garbage = whole(r);
        QVERIFY(writeKeyCode(r, false, 0x04));
        QVERIFY(writeMediaKey(r, false, 0xCD, 0));
        QCOMPARE(whole(r), garbage);
    }

    void extendedCapacity()
    {
        quint8 *r = Store.PHY2_KEY_Value[1][6];
        r[5] = 17;
        QVERIFY(!writeKeyCode(r, true, 0x04)); // the last code byte is 59
        QCOMPARE(hex(r, 59, 1), QByteArray("04"));
        QCOMPARE(r[5], quint8(18));
        const QByteArray full = whole(r);
        QVERIFY(writeKeyCode(r, true, 0x05));
        QVERIFY(writeModifier(r, true, 0x01));
        QVERIFY(writeShiftedSymbol(r, true, 0x35));
        QVERIFY(writeMediaKey(r, true, 0xCD, 0x00));
        QCOMPARE(whole(r), full);

        // multi-entry writes are refused as a whole when their last entry does not fit
        quint8 *c = Store.PHY2_KEY_Value[1][7];
        c[5] = 15;
        const QByteArray fifteen = whole(c);
        QVERIFY(writeModifier(c, true, 0x0F)); // four entries, 15..18
        QCOMPARE(whole(c), fifteen);
        c[5] = 14;
        QVERIFY(!writeModifier(c, true, 0x0F)); // entries 14..17
        QCOMPARE(hex(c, 50, 14), QByteArray("f1 00 00 f3 00 00 f2 00 00 f4 00 00 00 00"));
        QCOMPARE(c[5], quint8(18));

        quint8 *s = Store.PHY2_KEY_Value[1][8];
        s[5] = 17;
        const QByteArray seventeen = whole(s);
        QVERIFY(writeShiftedSymbol(s, true, 0x35));
        QVERIFY(writeMediaKey(s, true, 0xCD, 0x00)); // the counter would reach 19
        QVERIFY(writeModifier(s, true, 0x03));
        QCOMPARE(whole(s), seventeen);
        QVERIFY(!writeModifier(s, true, 0x02));
        QCOMPARE(s[59], quint8(0xF2));
        s[5] = 16;
        QVERIFY(!writeMediaKey(s, true, 0xCD, 0x00));
        QCOMPARE(s[5], quint8(18));
    }

    // ---- reading records back as text ----

    void standardKeyCombination()
    {
        quint8 *r = standardRecord(1);
        r[10] = 0x03; // Ctrl + Shift
        r[11] = 0x04; // A
        QCOMPARE(informationText(r, false, catalogue::English), QStringLiteral("Ctrl+Shift+ A"));
        QCOMPARE(plain(r, false), QStringLiteral("Ctrl+Shift+A"));
        QCOMPARE(slotCaption(r, false, catalogue::English), QStringLiteral("Ctrl+Shift+A"));

        // more strokes, modifiers always in bit order, entries read past the counter
        r[10] = 0x84; // Alt + Right Win
        r[12] = 0x00;
        r[13] = 0x1E; // 1!
        QCOMPARE(describe(r, false, catalogue::English, Separator::BlankBeforeName),
                 QStringLiteral("Alt+Right Win+ A 1!"));
        QCOMPARE(r[9], quint8(0));
    }

    void modifiersWithoutKey()
    {
        quint8 *r = standardRecord(1);
        r[10] = 0x05;
        QCOMPARE(describe(r, false, catalogue::English, Separator::BlankBeforeName),
                 QStringLiteral("Ctrl+Alt+"));
        QCOMPARE(slotCaption(r, false, catalogue::English), QStringLiteral("Ctrl+Alt+"));
    }

    void macNamesReadBackAsWin()
    {
        quint8 *r = standardRecord(1);
        QVERIFY(!record_rules::writeModifier(r, false, 0x08)); // "command"
        QCOMPARE(plain(r, false), QStringLiteral("Win+"));
        quint8 *e = extendedRecord(1);
        QVERIFY(!record_rules::writeModifier(e, true, 0x08));
        QVERIFY(!record_rules::writeKeyCode(e, true, 0x06));
        QCOMPARE(plain(e, true), QStringLiteral("Win+C"));
    }

    void shiftedSymbolReadsAsShiftAndKey()
    {
        quint8 *r = standardRecord(1);
        QVERIFY(!record_rules::writeShiftedSymbol(r, false, 0x35)); // "~"
        QCOMPARE(plain(r, false), QString::fromUtf8("Shift+~、"));
        // usage 0x28 has two rows; the lower one names it
        r[13] = 0x28;
        QCOMPARE(plain(r, false), QString::fromUtf8("Shift+~、Enter"));
    }

    void extendedEntries()
    {
        quint8 *e = extendedRecord(1);
        e[8] = 0xF2;
        e[11] = 0x04;
        QCOMPARE(plain(e, true), QStringLiteral("Shift+A"));
        QCOMPARE(informationText(e, true, catalogue::English), QStringLiteral("Shift+A"));
        e[14] = 0xF8;
        e[59] = 0x3A; // the last entry is read too
        QCOMPARE(plain(e, true), QStringLiteral("Shift+ARight Win+F1"));

        Store.reset();
        e = extendedRecord(1);
        e[8] = 0xF9; // no name, but not empty either
        QCOMPARE(plain(e, true), QString());
        QCOMPARE(slotCaption(e, true, catalogue::English), QString());
        e[8] = 0xF0; // above the last usage of the key rows
        QCOMPARE(plain(e, true), QString());
    }

    void emptyRecordsShowNull()
    {
        for (quint8 type : {0, 1, 2, 3, 5}) {
            Store.reset();
            QCOMPARE(slotCaption(standardRecord(type), false, catalogue::English), QStringLiteral("NULL"));
            QCOMPARE(slotCaption(extendedRecord(type), true, catalogue::Chinese), QStringLiteral("NULL"));
        }
        // content bytes are 10, 11, 14 (standard) and 8, 11, 20 (extended)
        quint8 *r = standardRecord(1);
        r[12] = 0x04; // a second entry alone is not looked at
        QCOMPARE(slotCaption(r, false, catalogue::English), QStringLiteral("NULL"));
        quint8 *e = extendedRecord(3);
        e[20] = 0x01;
        QCOMPARE(slotCaption(e, true, catalogue::English), QStringLiteral("Mouse Wheel+"));
    }

    void mediaNames()
    {
        quint8 *r = standardRecord(2);
        QVERIFY(!record_rules::writeMediaKey(r, false, 0xCD, 0x00));
        QCOMPARE(describe(r, false, catalogue::English, Separator::BlankBeforeName),
                 QStringLiteral(" Play/Pause"));
        QCOMPARE(describe(r, false, catalogue::Chinese, Separator::None), QString::fromUtf8("播放/暂停"));
        quint8 *e = extendedRecord(2);
        QVERIFY(!record_rules::writeMediaKey(e, true, 0x94, 0x01));
        QCOMPARE(plain(e, true), QStringLiteral("My Computer"));

        // a low byte that names no media function reads empty, yet is not "NULL"
        r[10] = 0x11;
        QCOMPARE(slotCaption(r, false, catalogue::English), QString());
    }

    void mouseNames_data()
    {
        QTest::addColumn<quint8>("code");
        QTest::addColumn<QString>("english");
        QTest::addColumn<QString>("chinese");
        const char *names[11][2] = {{"Mouse LeftKey", "鼠标左键"},
                                    {"Mouse Middle", "鼠标中键"},
                                    {"Mouse Right", "鼠标右键"},
                                    {"Mouse Wheel+", "鼠标滚轮+"},
                                    {"Mouse Wheel-", "鼠标滚轮-"},
                                    {"Ctrl+Mouse Up", "Ctrl+鼠标向上"},
                                    {"Ctrl+Mouse Down", "Ctrl+鼠标向下"},
                                    {"Shift+Mouse Up", "Shift+鼠标向上"},
                                    {"Shift+Mouse Down", "Shift+鼠标向下"},
                                    {"Alt+Mouse Up", "Alt+鼠标向上"},
                                    {"Alt+Mouse Down", "Alt+鼠标向下"}};
        for (int i = 0; i < 11; ++i)
            QTest::newRow(names[i][0])
                << quint8(0x61 + i) << QString::fromUtf8(names[i][0]) << QString::fromUtf8(names[i][1]);
    }

    void mouseNames()
    {
        QFETCH(quint8, code);
        QFETCH(QString, english);
        QFETCH(QString, chinese);
        for (bool extended : {false, true}) {
            Store.reset();
            quint8 *r = extended ? extendedRecord(3) : standardRecord(3);
            QVERIFY(!record_rules::writeMouseAction(r, extended, code));
            QCOMPARE(plain(r, extended, catalogue::English), english);
            QCOMPARE(plain(r, extended, catalogue::Chinese), chinese);
            QCOMPARE(informationText(r, extended, catalogue::English),
                     extended ? english : QLatin1Char(' ') + english);
        }
    }

    void mouseCombinationsWithoutName()
    {
        quint8 *r = standardRecord(3);
        QVERIFY(!record_rules::writeMouseAction(r, false, 0x61));
        QVERIFY(!record_rules::writeMouseAction(r, false, 0x64)); // button and wheel: no single action
        QCOMPARE(slotCaption(r, false, catalogue::English), QString());
        quint8 *e = extendedRecord(3);
        e[8] = 0x01; // a standard mask in an extended record is no modifier code
        e[20] = 0x01;
        QCOMPARE(plain(e, true), QString());
    }

    void otherTypesReadEmpty()
    {
        quint8 *r = standardRecord(5);
        r[10] = 0x01;
        r[11] = 0x04;
        QCOMPARE(plain(r, false), QString());
        QCOMPARE(slotCaption(r, false, catalogue::English), QString());
    }

    // ---- delays ----

    void strokeDelayIsBigEndianPerUnit()
    {
        quint8 *r = Store.PHY2_KEY_Value[1][7];
        r[3] = 1;
        delays::storeStrokeDelay(r, 0, 1000);
        QCOMPARE(hex(r, 6, 2), QByteArray("03 e8"));
        delays::storeStrokeDelay(r, 17, 60000);
        QCOMPARE(hex(r, 57, 3), QByteArray("ea 60 00"));
        QCOMPARE(delays::strokeDelay(r, 17), 60000);
        QCOMPARE(r[3], quint8(1)); // the type is not touched
        QVERIFY(zero(r, 60));
    }

    void shownDelayRaisesLaterRowsToFifty_data()
    {
        QTest::addColumn<int>("row");
        QTest::addColumn<int>("stored");
        QTest::addColumn<int>("shown");
        QTest::newRow("row 1 keeps 0") << 0 << 0 << 0;
        QTest::newRow("row 1 keeps 20") << 0 << 20 << 20;
        QTest::newRow("row 2 at 0") << 1 << 0 << 50;
        QTest::newRow("row 2 at 50") << 1 << 50 << 50;
        QTest::newRow("row 2 at 51") << 1 << 51 << 51;
        QTest::newRow("row 18 at 300") << 17 << 300 << 300;
    }
    void shownDelayRaisesLaterRowsToFifty()
    {
        QFETCH(int, row);
        QFETCH(int, stored);
        QFETCH(int, shown);
        quint8 *r = Store.PHY2_KEY_Value[0][1];
        r[6 + 3 * row] = quint8(stored >> 8);
        r[7 + 3 * row] = quint8(stored);
        QCOMPARE(delays::shownStrokeDelay(r, row), shown);
    }

    void strokeLabels()
    {
        using delays::LabelKind;
        QCOMPARE(delays::strokeLabel(0, catalogue::English).kind, LabelKind::Null);
        QCOMPARE(delays::strokeLabel(0, catalogue::English).text, QStringLiteral("NULL"));
        const char *mods[] = {"Ctrl+",       "Shift+",       "Alt+",       "Win+",
                              "Right Ctrl+", "Right Shift+", "Right Alt+", "Right Win+"};
        for (int i = 0; i < 8; ++i) {
            const delays::RowLabel l = delays::strokeLabel(quint8(0xF1 + i), catalogue::Chinese);
            QCOMPARE(l.kind, LabelKind::Name);
            QCOMPARE(l.text, QString::fromLatin1(mods[i]));
        }
        QCOMPARE(delays::strokeLabel(0x1D, catalogue::Chinese).text, QStringLiteral("Z"));
        // two key rows carry 0x28; the first one ("Enter") names it
        QCOMPARE(delays::strokeLabel(0x28, catalogue::English).text, QStringLiteral("Enter"));
        QCOMPARE(delays::strokeLabel(0x2A, catalogue::English).text, QStringLiteral("←Back\nspace"));
        // 0xF9..0xFF and usages without a key row leave the label alone
        for (quint8 code : {0xF9, 0xFF, 0xA0})
            QCOMPARE(delays::strokeLabel(code, catalogue::English).kind, LabelKind::Keep);
    }

    // ---- the LED byte and the Procreate shortcuts ----

    void ledColourAndModeInEitherOrder()
    {
        // mode first gives cyan; a colour replaces only the colour; a mode only the mode
        QCOMPARE(led::combine(0x00, 0x02), quint8(0x52));
        QCOMPARE(led::combine(0x52, 0x10), quint8(0x12));
        QCOMPARE(led::combine(0x12, 0x00), quint8(0x10));
        QCOMPARE(led::combine(0x00, 0x70), quint8(0x70));
        QCOMPARE(led::combine(0x70, 0x05), quint8(0x75));
        QCOMPARE(led::combine(0x75, 0x40), quint8(0x45));
        QCOMPARE(led::modeIndex(0x52), 2);
        QCOMPARE(led::colourIndex(0x52), 4); // cyan
        QCOMPARE(led::colourIndex(0x10), 0); // red
        QCOMPARE(led::colourIndex(0x75), 6); // purple
        QCOMPARE(led::modeIndex(0x16), -1);
        QCOMPARE(led::colourIndex(0x05), -1);
        QCOMPARE(led::colourIndex(0x85), -1);
    }

    void presetsHoldOneToThreeStrokesAndOtherLengthsChangeNothing()
    {
        QCOMPARE(int(std::size(presets::kPresets)), 31);
        int strokes = 0;
        for (const presets::Preset &p : presets::kPresets) {
            QVERIFY(p.count >= 1 && p.count <= 3);
            strokes += p.count;
        }
        QCOMPARE(strokes, 11 + 2 * 5 + 2 + 2 * 2 + 2 * 10 + 3);

        quint8 *r = Store.PHY2_KEY_Value[1][4];
        const QByteArray before = whole(r);
        const int four[4] = {0xF4, 0xF2, 0xF3, 0x04};
        QVERIFY(!presets::apply(r, four, 4, 1));
        QVERIFY(!presets::apply(r, four, 0, 1));
        QCOMPARE(whole(r), before);
    }
};

QTEST_APPLESS_MAIN(TestCoreEditing)
#include "tst_core_editing.moc"
