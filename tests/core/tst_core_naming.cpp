// Reading records back as text: slot captions and the information box.
#include <QtTest>

#include "device/store.h"
#include "editing/record_naming.h"
#include "editing/record_rules.h"

using namespace record_naming;

namespace
{

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

QString plain(const quint8 *r, bool extended, bool english = true)
{
    return describe(r, extended, english, Separator::None);
}

} // namespace

class TestNaming : public QObject
{
    Q_OBJECT

  private slots:
    void init() { Store.reset(); }

    void standardKeyCombination()
    {
        quint8 *r = standardRecord(1);
        r[10] = 0x03; // Ctrl + Shift
        r[11] = 0x04; // A
        QCOMPARE(informationText(r, false, true), QStringLiteral("Ctrl+Shift+ A"));
        QCOMPARE(plain(r, false), QStringLiteral("Ctrl+Shift+A"));
        QCOMPARE(slotCaption(r, false, true), QStringLiteral("Ctrl+Shift+A"));

        // more strokes, modifiers always in bit order, entries read past the counter
        r[10] = 0x84; // Alt + Right Win
        r[12] = 0x00;
        r[13] = 0x1E; // 1!
        QCOMPARE(describe(r, false, true, Separator::BlankBeforeName), QStringLiteral("Alt+Right Win+ A 1!"));
        QCOMPARE(r[9], quint8(0));
    }

    void modifiersWithoutKey()
    {
        quint8 *r = standardRecord(1);
        r[10] = 0x05;
        QCOMPARE(describe(r, false, true, Separator::BlankBeforeName), QStringLiteral("Ctrl+Alt+"));
        QCOMPARE(slotCaption(r, false, true), QStringLiteral("Ctrl+Alt+"));
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
        QCOMPARE(informationText(e, true, true), QStringLiteral("Shift+A"));
        e[14] = 0xF8;
        e[59] = 0x3A; // the last entry is read too
        QCOMPARE(plain(e, true), QStringLiteral("Shift+ARight Win+F1"));

        Store.reset();
        e = extendedRecord(1);
        e[8] = 0xF9; // no name, but not empty either
        QCOMPARE(plain(e, true), QString());
        QCOMPARE(slotCaption(e, true, true), QString());
        e[8] = 0xF0; // above the last usage of the key rows
        QCOMPARE(plain(e, true), QString());
    }

    void emptyRecordsShowNull()
    {
        for (quint8 type : {0, 1, 2, 3, 5}) {
            Store.reset();
            QCOMPARE(slotCaption(standardRecord(type), false, true), QStringLiteral("NULL"));
            QCOMPARE(slotCaption(extendedRecord(type), true, false), QStringLiteral("NULL"));
        }
        // content bytes are 10, 11, 14 (standard) and 8, 11, 20 (extended)
        quint8 *r = standardRecord(1);
        r[12] = 0x04; // a second entry alone is not looked at
        QCOMPARE(slotCaption(r, false, true), QStringLiteral("NULL"));
        quint8 *e = extendedRecord(3);
        e[20] = 0x01;
        QCOMPARE(slotCaption(e, true, true), QStringLiteral("Mouse Wheel+"));
    }

    void mediaNames()
    {
        quint8 *r = standardRecord(2);
        QVERIFY(!record_rules::writeMediaKey(r, false, 0xCD, 0x00));
        QCOMPARE(describe(r, false, true, Separator::BlankBeforeName), QStringLiteral(" Play/Pause"));
        QCOMPARE(describe(r, false, false, Separator::None), QString::fromUtf8("播放/暂停"));
        quint8 *e = extendedRecord(2);
        QVERIFY(!record_rules::writeMediaKey(e, true, 0x94, 0x01));
        QCOMPARE(plain(e, true), QStringLiteral("My Computer"));

        // a low byte that names no media function reads empty, yet is not "NULL"
        r[10] = 0x11;
        QCOMPARE(slotCaption(r, false, true), QString());
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
            QCOMPARE(plain(r, extended, true), english);
            QCOMPARE(plain(r, extended, false), chinese);
            QCOMPARE(informationText(r, extended, true), extended ? english : QLatin1Char(' ') + english);
        }
    }

    void mouseCombinationsWithoutName()
    {
        quint8 *r = standardRecord(3);
        QVERIFY(!record_rules::writeMouseAction(r, false, 0x61));
        QVERIFY(!record_rules::writeMouseAction(r, false, 0x64)); // button and wheel: no single action
        QCOMPARE(slotCaption(r, false, true), QString());
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
        QCOMPARE(slotCaption(r, false, true), QString());
    }
};

QTEST_APPLESS_MAIN(TestNaming)
#include "tst_core_naming.moc"
