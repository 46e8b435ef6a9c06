// Delay bytes of both record formats and the labels of the stroke rows.
#include <QtTest>

#include "device/store.h"
#include "editing/delay_rules.h"

class TestDelayRules : public QObject
{
    Q_OBJECT

  private slots:
    void init() { Store.reset(); }

    void strokeDelayIsBigEndianPerUnit()
    {
        quint8 *r = Store.PHY2_KEY_Value[1][7];
        r[3] = 1;
        r[14] = 0x04; // code of unit 2
        delays::storeStrokeDelay(r, 2, 1000);
        QCOMPARE(r[12], quint8(0x03));
        QCOMPARE(r[13], quint8(0xE8));
        QCOMPARE(r[14], quint8(0x04));
        QCOMPARE(r[3], quint8(1)); // the type is not touched
        QCOMPARE(delays::strokeDelay(r, 2), 1000);
        delays::storeStrokeDelay(r, 0, 1000);
        QCOMPARE(r[6], quint8(0x03));
        QCOMPARE(r[7], quint8(0xE8));
        delays::storeStrokeDelay(r, 17, 60000);
        QCOMPARE(r[57], quint8(0xEA));
        QCOMPARE(r[58], quint8(0x60));
        QCOMPARE(r[59], quint8(0));
        QCOMPARE(delays::strokeDelay(r, 17), 60000);
        for (int i = 60; i < kRecordSize; ++i)
            QCOMPARE(r[i], quint8(0));
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
        QCOMPARE(delays::strokeLabel(0, true).kind, LabelKind::Null);
        QCOMPARE(delays::strokeLabel(0, true).text, QStringLiteral("NULL"));
        const char *mods[] = {"Ctrl+",       "Shift+",       "Alt+",       "Win+",
                              "Right Ctrl+", "Right Shift+", "Right Alt+", "Right Win+"};
        for (int i = 0; i < 8; ++i) {
            const delays::RowLabel l = delays::strokeLabel(quint8(0xF1 + i), false);
            QCOMPARE(l.kind, LabelKind::Name);
            QCOMPARE(l.text, QString::fromLatin1(mods[i]));
        }
        QCOMPARE(delays::strokeLabel(0x04, true).text, QStringLiteral("A"));
        QCOMPARE(delays::strokeLabel(0x1D, false).text, QStringLiteral("Z"));
        // two key rows carry 0x28; the first one ("Enter") names it
        QCOMPARE(delays::strokeLabel(0x28, true).text, QStringLiteral("Enter"));
        QCOMPARE(delays::strokeLabel(0x2A, true).text, QStringLiteral("←Back\nspace"));
        // 0xF9..0xFF and usages without a key row leave the label alone
        QCOMPARE(delays::strokeLabel(0xF9, true).kind, LabelKind::Keep);
        QCOMPARE(delays::strokeLabel(0xFF, true).kind, LabelKind::Keep);
        QCOMPARE(delays::strokeLabel(0xA0, true).kind, LabelKind::Keep);
    }
};

QTEST_APPLESS_MAIN(TestDelayRules)
#include "tst_core_delay_rules.moc"
