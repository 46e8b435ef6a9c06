// How clicked functions land in the bytes of both record formats, and clearing.
#include <QtTest>

#include <array>
#include <cstring>

#include "device/store.h"
#include "editing/record_rules.h"

using namespace record_rules;

namespace
{

using Record = std::array<quint8, kRecordSize>;

Record copyOf(const quint8 *r)
{
    Record c;
    std::memcpy(c.data(), r, kRecordSize);
    return c;
}

bool unchanged(const quint8 *r, const Record &before)
{
    return std::memcmp(r, before.data(), kRecordSize) == 0;
}

// Every byte from `first` on is zero.
bool zeroFrom(const quint8 *r, int first, int last = kRecordSize - 1)
{
    for (int i = first; i <= last; ++i)
        if (r[i] != 0)
            return false;
    return true;
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
        const quint8 head[] = {0xFD, 3, 1, 1, 0, 0, 0, 0, 0, 1, 0x01, 0x04};
        for (int i = 0; i < int(sizeof head); ++i)
            QCOMPARE(r[i], head[i]);
        QVERIFY(zeroFrom(r, 12));

        // a second key gets an entry of its own without the modifier
        QVERIFY(!writeKeyCode(r, false, 0x06));
        QCOMPARE(r[9], quint8(2));
        QCOMPARE(r[12], quint8(0));
        QCOMPARE(r[13], quint8(0x06));
    }

    void modifierCombinationsOnExtendedRecords()
    {
        quint8 *r = Store.PHY2_KEY_Value[0][3];
        QVERIFY(!writeModifier(r, true, 0x03)); // "Ctrl+Shift+"
        QVERIFY(!writeKeyCode(r, true, 0x04));  // "A"
        QCOMPARE(r[5], quint8(3));
        QCOMPARE(r[8], quint8(0xF1));
        QCOMPARE(r[11], quint8(0xF2));
        QCOMPARE(r[14], quint8(0x04));
        // the delay bytes of the units stay untouched
        for (int unit = 0; unit < 3; ++unit) {
            QCOMPARE(r[6 + 3 * unit], quint8(0));
            QCOMPARE(r[7 + 3 * unit], quint8(0));
        }
        QVERIFY(zeroFrom(r, 15));

        Store.reset();
        QVERIFY(!writeModifier(r, true, 0x0F)); // "Ctrl+Alt+Shift+Win+"
        QCOMPARE(r[5], quint8(4));
        QCOMPARE(r[8], quint8(0xF1));
        QCOMPARE(r[11], quint8(0xF3));
        QCOMPARE(r[14], quint8(0xF2));
        QCOMPARE(r[17], quint8(0xF4));

        Store.reset();
        QVERIFY(!writeModifier(r, true, 0x06)); // "Alt+Shift+": Alt first
        QCOMPARE(r[8], quint8(0xF3));
        QCOMPARE(r[11], quint8(0xF2));
        QVERIFY(!writeModifier(r, true, 0x80)); // "Right Win+" / "Right command"
        QCOMPARE(r[14], quint8(0xF8));
        QCOMPARE(r[5], quint8(3));
    }

    void repeatedModifierOrsTheSameMask()
    {
        quint8 *r = Store.PHY_KEY_Value[1][4];
        QVERIFY(!writeModifier(r, false, 0x05)); // "Ctrl+Alt+"
        QVERIFY(!writeModifier(r, false, 0x05));
        QCOMPARE(r[10], quint8(0x05));
        QCOMPARE(r[9], quint8(0));
        QVERIFY(!writeModifier(r, false, 0x08)); // "command" adds Win to the same entry
        QCOMPARE(r[10], quint8(0x0D));

        // extended: each click writes entries of its own
        quint8 *e = Store.PHY2_KEY_Value[1][4];
        QVERIFY(!writeModifier(e, true, 0x05));
        QVERIFY(!writeModifier(e, true, 0x05));
        QCOMPARE(e[5], quint8(4));
        const quint8 codes[] = {0xF1, 0xF3, 0xF1, 0xF3};
        for (int i = 0; i < 4; ++i)
            QCOMPARE(e[8 + 3 * i], codes[i]);
    }

    void shiftedSymbols()
    {
        quint8 *r = Store.PHY_KEY_Value[0][2];
        QVERIFY(!writeShiftedSymbol(r, false, 0x35)); // "~"
        QCOMPARE(r[9], quint8(1));
        QCOMPARE(r[10], quint8(0x02));
        QCOMPARE(r[11], quint8(0x35));
        QVERIFY(zeroFrom(r, 12));

        // a modifier clicked first stays with the symbol
        quint8 *m = Store.PHY_KEY_Value[0][5];
        QVERIFY(!writeModifier(m, false, 0x01));
        QVERIFY(!writeShiftedSymbol(m, false, 0x1E)); // "!"
        QCOMPARE(m[10], quint8(0x03));
        QCOMPARE(m[11], quint8(0x1E));

        quint8 *e = Store.PHY2_KEY_Value[0][2];
        QVERIFY(!writeShiftedSymbol(e, true, 0x35));
        QCOMPARE(e[5], quint8(2));
        QCOMPARE(e[8], quint8(0xF2));
        QCOMPARE(e[11], quint8(0x35));
        QVERIFY(zeroFrom(e, 12));
    }

    void mediaKeys()
    {
        quint8 *r = Store.PHY_KEY_Value[0][1];
        QVERIFY(!writeMediaKey(r, false, 0x94, 0x01)); // "My Computer" 0x0194
        QCOMPARE(r[9], quint8(2));
        QCOMPARE(r[10], quint8(0x94));
        QCOMPARE(r[11], quint8(0x01));
        QVERIFY(!writeMediaKey(r, false, 0xCD, 0x00)); // "Play/Pause", two entries further on
        QCOMPARE(r[9], quint8(4));
        QCOMPARE(r[12], quint8(0));
        QCOMPARE(r[13], quint8(0));
        QCOMPARE(r[14], quint8(0xCD));
        QCOMPARE(r[15], quint8(0x00));

        quint8 *e = Store.PHY2_KEY_Value[0][1];
        e[11] = 0x77; // left over from an earlier function
        QVERIFY(!writeMediaKey(e, true, 0xCD, 0x00));
        QCOMPARE(e[8], quint8(0xCD));
        QCOMPARE(e[11], quint8(0x00));
        QCOMPARE(e[5], quint8(2));
        // the next media click replaces the first two entries
        QVERIFY(!writeMediaKey(e, true, 0x94, 0x01));
        QCOMPARE(e[8], quint8(0x94));
        QCOMPARE(e[11], quint8(0x01));
        QCOMPARE(e[5], quint8(4));
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

        quint8 *r = Store.PHY_KEY_Value[2][7];
        QVERIFY(!writeMouseAction(r, false, code));
        QCOMPARE(int(r[10]), stdModifier);
        QCOMPARE(int(r[11]), buttons);
        QCOMPARE(int(r[14]), wheel);
        QCOMPARE(r[9], quint8(1));
        QCOMPARE(r[12], quint8(0));
        QCOMPARE(r[13], quint8(0));
        QVERIFY(zeroFrom(r, 15));

        quint8 *e = Store.PHY2_KEY_Value[2][7];
        QVERIFY(!writeMouseAction(e, true, code));
        QCOMPARE(int(e[8]), extModifier);
        QCOMPARE(int(e[11]), buttons);
        QCOMPARE(int(e[20]), wheel);
        QCOMPARE(e[5], quint8(4));
        for (int i = 6; i < kRecordSize; ++i)
            if (i != 8 && i != 11 && i != 20)
                QCOMPARE(e[i], quint8(0));
    }

    void mouseActionsKeepEachOther()
    {
        quint8 *r = Store.PHY_KEY_Value[0][9];
        QVERIFY(!writeMouseAction(r, false, 0x61)); // left button
        QVERIFY(!writeMouseAction(r, false, 0x65)); // wheel -
        QCOMPARE(r[11], quint8(1));
        QCOMPARE(r[14], quint8(0xFF));
        QVERIFY(!writeMouseAction(r, false, 0x6A)); // Alt + up
        QCOMPARE(r[10], quint8(0x04));
        QCOMPARE(r[11], quint8(1));
        QCOMPARE(r[14], quint8(0x01));

        quint8 *e = Store.PHY2_KEY_Value[0][9];
        QVERIFY(!writeMouseAction(e, true, 0x62));
        QVERIFY(!writeMouseAction(e, true, 0x68));
        QCOMPARE(e[8], quint8(0xF2));
        QCOMPARE(e[11], quint8(4));
        QCOMPARE(e[20], quint8(0x01));

        const Record before = copyOf(e);
        QVERIFY(writeMouseAction(e, true, 0x6C)); // not a mouse action
        QVERIFY(unchanged(e, before));
    }

    void standardCapacity()
    {
        quint8 *r = Store.PHY_KEY_Value[0][6];
        for (int i = 0; i < 19; ++i)
            QVERIFY(!writeKeyCode(r, false, quint8(0x04 + i)));
        // the last entry is bytes 48, 49
        QVERIFY(!writeModifier(r, false, 0x02));
        QVERIFY(!writeKeyCode(r, false, 0x2C));
        QCOMPARE(r[9], quint8(20));
        QCOMPARE(r[48], quint8(0x02));
        QCOMPARE(r[49], quint8(0x2C));

        const Record full = copyOf(r);
        QVERIFY(writeKeyCode(r, false, 0x05));
        QVERIFY(writeModifier(r, false, 0x01));
        QVERIFY(writeShiftedSymbol(r, false, 0x35));
        QVERIFY(writeMediaKey(r, false, 0xCD, 0x00));
        QVERIFY(unchanged(r, full));

        // a media usage fills one entry but moves the counter by two
        quint8 *m = Store.PHY_KEY_Value[0][7];
        m[9] = 19;
        const Record nineteen = copyOf(m);
        QVERIFY(writeMediaKey(m, false, 0xE9, 0x00));
        QVERIFY(unchanged(m, nineteen));
        QVERIFY(!writeShiftedSymbol(m, false, 0x1E));
        QCOMPARE(m[9], quint8(20));
        m[9] = 18;
        QVERIFY(!writeMediaKey(m, false, 0xE9, 0x00));
        QCOMPARE(m[46], quint8(0xE9));
        QCOMPARE(m[9], quint8(20));

        // a counter read back from a keypad may be anything; it must not wrap around
        quint8 *g = Store.PHY_KEY_Value[0][8];
        g[9] = 0xFF;
        const Record garbage = copyOf(g);
        QVERIFY(writeKeyCode(g, false, 0x04));
        QVERIFY(writeMediaKey(g, false, 0xCD, 0));
        QVERIFY(unchanged(g, garbage));
    }

    void extendedCapacity()
    {
        quint8 *r = Store.PHY2_KEY_Value[1][6];
        r[5] = 17;
        QVERIFY(!writeKeyCode(r, true, 0x04)); // the last code byte is 59
        QCOMPARE(r[59], quint8(0x04));
        QCOMPARE(r[5], quint8(18));
        const Record full = copyOf(r);
        QVERIFY(writeKeyCode(r, true, 0x05));
        QVERIFY(writeModifier(r, true, 0x01));
        QVERIFY(writeShiftedSymbol(r, true, 0x35));
        QVERIFY(writeMediaKey(r, true, 0xCD, 0x00));
        QVERIFY(unchanged(r, full));

        // combinations are refused as a whole when their last entry does not fit
        quint8 *c = Store.PHY2_KEY_Value[1][7];
        c[5] = 15;
        const Record fifteen = copyOf(c);
        QVERIFY(writeModifier(c, true, 0x0F)); // four entries, 15..18
        QVERIFY(unchanged(c, fifteen));
        c[5] = 14;
        QVERIFY(!writeModifier(c, true, 0x0F)); // entries 14..17
        QCOMPARE(c[50], quint8(0xF1));
        QCOMPARE(c[53], quint8(0xF3));
        QCOMPARE(c[56], quint8(0xF2));
        QCOMPARE(c[59], quint8(0xF4));
        QCOMPARE(c[5], quint8(18));
        QCOMPARE(c[62], quint8(0));

        quint8 *s = Store.PHY2_KEY_Value[1][8];
        s[5] = 17;
        const Record seventeen = copyOf(s);
        QVERIFY(writeShiftedSymbol(s, true, 0x35));
        QVERIFY(writeMediaKey(s, true, 0xCD, 0x00)); // counter would reach 19
        QVERIFY(writeModifier(s, true, 0x03));
        QVERIFY(unchanged(s, seventeen));
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
        QCOMPARE(r[0], quint8(0xFD));
        QCOMPARE(r[1], quint8(4));
        QCOMPARE(r[2], quint8(3));
        setFunctionType(r, 2);
        std::memset(r + 4, 0xAB, kRecordSize - 4);
        clearSlot(r);
        QCOMPARE(r[1], quint8(4));
        QCOMPARE(r[3], quint8(2)); // the last function type stays
        QVERIFY(zeroFrom(r, 4, 63));
        QCOMPARE(r[64], quint8(0xAB));

        std::memset(r + 4, 0xAB, kRecordSize - 4);
        clearLayerExtended(r);
        QVERIFY(zeroFrom(r, 4, 58));
        QCOMPARE(r[59], quint8(0xAB));

        quint8 *s = Store.PHY_KEY_Value[2][4];
        std::memset(s + 4, 0xAB, kRecordSize - 4);
        clearLayerStandard(s);
        QVERIFY(zeroFrom(s, 4, 49));
        QCOMPARE(s[50], quint8(0xAB));
        QCOMPARE(s[0], quint8(0xFD));
    }
};

QTEST_APPLESS_MAIN(TestRecordRules)
#include "tst_core_record_rules.moc"
