// The editing rules on their own: how clicked functions land in the bytes of both record
// formats (and when they are refused), how records read back as text, delays, the LED
// byte and the Procreate strokes.
#include <QtTest>

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
QByteArray bytes(const quint8 *r, int from, int count)
{
    return QByteArray(reinterpret_cast<const char *>(r + from), count);
}

// A record of type `type` whose bytes from 4 on are `hex`, zeros after.
void fill(quint8 *r, const char *hex)
{
    std::fill(r, r + kRecordSize, 0);
    const QByteArray b = QByteArray::fromHex(hex);
    std::copy(b.begin(), b.end(), r + 3);
}
// Clicks in order ("m" modifier mask, "k" key usage, "s" shifted symbol's key usage, "d" consumer
// usage high-low, "o" mouse code) on a record with `counter`, each made (+) or refused (-); then
// the counter and the bytes from `from` on.
struct Write {
    const char *name;
    bool extended;
    int counter;
    const char *clicks, *made;
    int after, from;
    const char *hex;
};
// A record (bytes from 3 on: type, delay, counter, entries) as slot caption, information text
// and Chinese text.
struct Named {
    const char *name;
    bool extended;
    const char *record, *caption, *info, *chinese;
};
} // namespace

Q_DECLARE_METATYPE(Write)
Q_DECLARE_METATYPE(Named)

class TestCoreEditing : public QObject
{
    Q_OBJECT

  private slots:
    // A refused click leaves every byte as it was.
    void writes_data()
    {
        QTest::addColumn<Write>("w");
        const Write rows[] = {
            {"ctrl, A, C", false, 0, "m01 k04 k06", "+++", 2, 10, "01040006"},
            {"ctrl collects with a symbol", false, 0, "m01 s1e", "++", 1, 10, "031e"},
            {"last entry", false, 19, "m02 k2c k05 m01 s35 d00cd", "++----", 20, 46, "0000022c"},
            {"media needs two entries", false, 19, "d00e9", "-", 19, 46, "0000"},
            {"garbage counter", false, 0xFF, "k04 d00cd", "--", 0xFF, 10, "0000"},
            {"mouse left", false, 0, "o61", "+", 1, 10, "000100000000"},
            {"mouse alt down", false, 0, "o6b", "+", 1, 10, "04000000ff00"},
            {"four modifiers", true, 0, "m0f", "+", 4, 8, "f10000f30000f20000f4"},
            {"ctrl+alt+win", true, 0, "m0d", "+", 3, 8, "f10000f30000f4"},
            {"each modifier", true, 0, "m01 m02 m04 m08 m10 m20 m40 m80", "++++++++", 8, 8,
             "f10000f20000f30000f40000f50000f60000f70000f8"},
            {"each combination", true, 0, "m03 m05 m06 m0a m07", "+++++", 11, 8,
             "f10000f20000f10000f30000f30000f20000f20000f40000f10000f20000f3"},
            {"media replaces entries 0 and 1", true, 0, "d00cd d0194", "++", 4, 8, "940000010000"},
            {"mouse middle then shift up", true, 0, "o62 o68 o6c", "++-", 4, 8, "f2000004000000000000000001"},
            {"last code", true, 17, "k04 k05 m01 s35 d00cd", "+----", 18, 59, "04"},
            {"four modifiers too many", true, 15, "m0f", "-", 15, 50, "00"},
            {"four modifiers fit", true, 14, "m0f", "+", 18, 50, "f10000f30000f20000f40000"},
            {"two entries too many", true, 17, "s35 d00cd m03 m02", "---+", 18, 59, "f2"},
        };
        for (const Write &w : rows)
            QTest::newRow(w.name) << w;
    }
    void writes()
    {
        QFETCH(Write, w);
        const bool extended = w.extended;
        const QByteArray expected = QByteArray::fromHex(w.hex);
        quint8 r[kRecordSize] = {0xFD, 3, 1, 1};
        const int counterAt = extended ? kExtendedCounter : kStandardCounter;
        r[counterAt] = quint8(w.counter);
        const QStringList list = QString(w.clicks).split(' ');
        for (int i = 0; i < list.size(); ++i) {
            const quint8 v = quint8(list[i].mid(1, 2).toInt(nullptr, 16));
            const QByteArray before = bytes(r, 0, kRecordSize);
            const char op = list[i][0].toLatin1();
            const Refusal why =
                op == 'm'   ? writeModifier(r, extended, v)
                : op == 'k' ? writeKeyCode(r, extended, v)
                : op == 's' ? writeShiftedSymbol(r, extended, v)
                : op == 'o' ? writeMouseAction(r, extended, v)
                            : writeMediaKey(r, extended, quint8(list[i].mid(3, 2).toInt(nullptr, 16)), v);
            QVERIFY2((why == nullptr) == (w.made[i] == '+'), qPrintable(list[i]));
            if (why)
                QCOMPARE(bytes(r, 0, kRecordSize), before);
        }
        QCOMPARE(int(r[counterAt]), w.after);
        QCOMPARE(bytes(r, w.from, expected.size()).toHex(), expected.toHex());
        // nothing beyond the part that reaches the keypad
        QCOMPARE(bytes(r, extended ? 60 : 50, extended ? 5 : 15), QByteArray(extended ? 5 : 15, '\0'));
    }

    void naming_data()
    {
        QTest::addColumn<Named>("n");
        const Named rows[] = {
            {"empty", false, "01", "NULL", "", ""},
            {"second entry alone", false, "01 0000000000 00 00 00 04", "NULL", "Alt+", "Alt+"},
            {"ctrl+shift+A", false, "01 0000000000 00 03 04", "Ctrl+Shift+A", "Ctrl+Shift+ A",
             "Ctrl+Shift+A"},
            {"bit order, past the counter", false, "01 0000000000 00 84 04 00 1e", "Alt+Right Win+A1!",
             "Alt+Right Win+ A 1!", "Alt+Right Win+A1!"},
            {"shift, symbol, enter", false, "01 0000000000 00 02 35 00 28", "Shift+~、Enter",
             "Shift+ ~、 Enter", "Shift+~、Enter"},
            {"media", false, "02 0000000000 00 cd 00", "Play/Pause", " Play/Pause", "播放/暂停"},
            {"mouse", false, "03 0000000000 01 00 01", "Mouse LeftKey", " Mouse LeftKey", "鼠标左键"},
            {"button and wheel", false, "03 0000000000 01 00 01 00 00 01", "", "", ""},
            {"extended strokes", true, "01 00 02 0000 f2 0000 04 0000 f8", "Shift+ARight Win+",
             "Shift+ARight Win+", "Shift+ARight Win+"},
            {"extended ctrl mouse", true, "03 00 04 0000 f1 0000 00 0000 00 0000 00 0000 ff",
             "Ctrl+Mouse Down", "Ctrl+Mouse Down", "Ctrl+鼠标向下"},
            {"unnamed code", true, "01 00 01 0000 f9", "", "", ""},
        };
        for (const Named &n : rows)
            QTest::newRow(n.name) << n;
    }
    void naming()
    {
        QFETCH(Named, n);
        const bool extended = n.extended;
        const QString info = QString::fromUtf8(n.info);
        quint8 r[kRecordSize];
        fill(r, n.record);
        QCOMPARE(slotCaption(r, extended, catalogue::English), QString::fromUtf8(n.caption));
        QCOMPARE(informationText(r, extended, catalogue::English), info);
        QCOMPARE(describe(r, extended, catalogue::Chinese, Separator::None), QString::fromUtf8(n.chinese));
        // the last extended entry is read too
        if (extended && r[3] == 1) {
            r[59] = 0x3A;
            QCOMPARE(describe(r, true, catalogue::English, Separator::None), info + "F1");
        }
    }

    void delays()
    {
        quint8 r[kRecordSize] = {0xFD, 7, 2, 1};
        delays::storeStrokeDelay(r, 0, 1000);
        delays::storeStrokeDelay(r, 17, 60000);
        QCOMPARE(bytes(r, 3, 5).toHex() + '|' + bytes(r, 57, 4).toHex(), QByteArray("01000003e8|ea600000"));
        QCOMPARE(delays::strokeDelay(r, 17), 60000);
        // rows after the first show at least 50
        for (auto [row, stored, shown] :
             {std::tuple{0, 0, 0}, {0, 20, 20}, {1, 0, 50}, {1, 51, 51}, {17, 300, 300}}) {
            delays::storeStrokeDelay(r, row, stored);
            QCOMPARE(delays::shownStrokeDelay(r, row), shown);
        }
        using delays::LabelKind;
        QCOMPARE(delays::strokeLabel(0, catalogue::English).text, QStringLiteral("NULL"));
        QCOMPARE(delays::strokeLabel(0, catalogue::English).kind, LabelKind::Null);
        QCOMPARE(delays::strokeLabel(0xF5, catalogue::Chinese).text, QStringLiteral("Right Ctrl+"));
        QCOMPARE(delays::strokeLabel(0x28, catalogue::English).text, QStringLiteral("Enter"));
        for (quint8 code : {0xF9, 0xFF, 0xA0})
            QCOMPARE(delays::strokeLabel(code, catalogue::English).kind, LabelKind::Keep);
    }

    void ledByteAndPresets()
    {
        // a colour replaces the colour nibble, a mode the mode nibble; no colour yet: cyan
        QCOMPARE(QVector<int>({led::combine(0x00, 0x02), led::combine(0x52, 0x10), led::combine(0x70, 0x05),
                               led::colourIndex(0x75), led::colourIndex(0x85)}),
                 QVector<int>({0x52, 0x12, 0x75, 6, -1}));

        quint8 r[kRecordSize];
        std::fill(r, r + kRecordSize, 0x77);
        const int codes[4] = {0x2C, 0x1D, 0x1D, 0x1D};
        QVERIFY(!presets::apply(r, codes, 4, 1) && !presets::apply(r, codes, 0, 1));
        QCOMPARE(bytes(r, 0, kRecordSize), QByteArray(kRecordSize, 0x77));
        QVERIFY(presets::apply(r, codes, 1, 1));
        QCOMPARE(bytes(r, 3, 9).toHex(), QByteArray("01770177772c777777")); // delays stay
    }
};

QTEST_APPLESS_MAIN(TestCoreEditing)
#include "tst_core_editing.moc"
