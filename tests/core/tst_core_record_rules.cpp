// How clicked functions land in the bytes of both record formats, and clearing.
#include <QtTest>

#include <cstring>

#include "device/store.h"
#include "editing/record_rules.h"

using namespace record_rules;

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

} // namespace

class TestRecordRules : public QObject
{
    Q_OBJECT

  private slots:
    void init() { Store.reset(); }

    void ctrlThenKeyInOneStandardEntry()
    {
        quint8 *r = Store.PHY_KEY_Value[0][3];
        stampHeader(r, 3, 0);
        QVERIFY(!writeModifier(r, false, 0x01)); // "Ctrl+"
        QCOMPARE(r[9], quint8(0));               // the modifier waits for its key
        QVERIFY(!writeKeyCode(r, false, 0x04));  // "A"
        setFunctionType(r, 1);
        QCOMPARE(hex(r, 0, 12), QByteArray("fd 03 01 01 00 00 00 00 00 01 01 04"));
        QVERIFY(zero(r, 12));
        // a second key gets an entry of its own, without the modifier
        QVERIFY(!writeKeyCode(r, false, 0x06));
        QCOMPARE(hex(r, 9, 5), QByteArray("02 01 04 00 06"));
    }

    void modifierCombinationsOnExtendedRecords()
    {
        quint8 *r = Store.PHY2_KEY_Value[0][3];
        QVERIFY(!writeModifier(r, true, 0x03)); // "Ctrl+Shift+"
        QVERIFY(!writeKeyCode(r, true, 0x04));  // "A"
        QCOMPARE(hex(r, 5, 10), QByteArray("03 00 00 f1 00 00 f2 00 00 04"));
        QVERIFY(zero(r, 15));

        Store.reset();
        QVERIFY(!writeModifier(r, true, 0x0F)); // "Ctrl+Alt+Shift+Win+"
        QCOMPARE(hex(r, 5, 13), QByteArray("04 00 00 f1 00 00 f3 00 00 f2 00 00 f4"));

        Store.reset();
        QVERIFY(!writeModifier(r, true, 0x06)); // "Alt+Shift+": Alt first
        QVERIFY(!writeModifier(r, true, 0x80)); // "Right Win+" / "Right command"
        QCOMPARE(hex(r, 5, 10), QByteArray("03 00 00 f3 00 00 f2 00 00 f8"));
    }

    void repeatedModifierOrsTheSameMask()
    {
        quint8 *r = Store.PHY_KEY_Value[1][4];
        QVERIFY(!writeModifier(r, false, 0x05)); // "Ctrl+Alt+"
        QVERIFY(!writeModifier(r, false, 0x05));
        QCOMPARE(hex(r, 9, 2), QByteArray("00 05"));
        QVERIFY(!writeModifier(r, false, 0x08)); // "command" adds Win to the same entry
        QCOMPARE(r[10], quint8(0x0D));

        // extended: each click writes entries of its own
        quint8 *e = Store.PHY2_KEY_Value[1][4];
        QVERIFY(!writeModifier(e, true, 0x05));
        QVERIFY(!writeModifier(e, true, 0x05));
        QCOMPARE(hex(e, 5, 13), QByteArray("04 00 00 f1 00 00 f3 00 00 f1 00 00 f3"));
    }

    void shiftedSymbols()
    {
        quint8 *r = Store.PHY_KEY_Value[0][2];
        QVERIFY(!writeShiftedSymbol(r, false, 0x35)); // "~"
        QCOMPARE(hex(r, 9, 3), QByteArray("01 02 35"));
        QVERIFY(zero(r, 12));

        // a modifier clicked first stays with the symbol
        quint8 *m = Store.PHY_KEY_Value[0][5];
        QVERIFY(!writeModifier(m, false, 0x01));
        QVERIFY(!writeShiftedSymbol(m, false, 0x1E)); // "!"
        QCOMPARE(hex(m, 9, 3), QByteArray("01 03 1e"));

        quint8 *e = Store.PHY2_KEY_Value[0][2];
        QVERIFY(!writeShiftedSymbol(e, true, 0x35));
        QCOMPARE(hex(e, 5, 7), QByteArray("02 00 00 f2 00 00 35"));
        QVERIFY(zero(e, 12));
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

    void clearing()
    {
        quint8 *r = Store.PHY2_KEY_Value[2][4];
        stampHeader(r, 4, 2);
        setFunctionType(r, 2);
        QCOMPARE(hex(r, 0, 4), QByteArray("fd 04 03 02"));
        std::memset(r + 4, 0xAB, kRecordSize - 4);
        clearSlot(r);
        QCOMPARE(hex(r, 0, 4), QByteArray("fd 04 03 02")); // the last function type stays
        QVERIFY(zero(r, 4, 63));
        QCOMPARE(r[64], quint8(0xAB));

        std::memset(r + 4, 0xAB, kRecordSize - 4);
        clearLayerExtended(r);
        QVERIFY(zero(r, 4, 58));
        QCOMPARE(r[59], quint8(0xAB));

        quint8 *s = Store.PHY_KEY_Value[2][4];
        std::memset(s + 4, 0xAB, kRecordSize - 4);
        clearLayerStandard(s);
        QVERIFY(zero(s, 4, 49));
        QCOMPARE(s[50], quint8(0xAB));
    }
};

QTEST_APPLESS_MAIN(TestRecordRules)
#include "tst_core_record_rules.moc"
