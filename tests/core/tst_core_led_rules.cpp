// The LED byte and the LED record of standard keypads.
#include <QtTest>

#include "device/store.h"
#include "editing/led_rules.h"

class TestLedRules : public QObject
{
    Q_OBJECT

  private slots:
    void init() { Store.reset(); }

    void colourAndModeInEitherOrder()
    {
        // mode first gives cyan; a colour replaces only the colour; a mode only the mode
        QCOMPARE(led::combine(0x00, 0x02), quint8(0x52));
        QCOMPARE(led::combine(0x52, 0x10), quint8(0x12));
        QCOMPARE(led::combine(0x12, 0x00), quint8(0x10));
        QCOMPARE(led::combine(0x00, 0x70), quint8(0x70));
        QCOMPARE(led::combine(0x70, 0x05), quint8(0x75));
        QCOMPARE(led::combine(0x75, 0x40), quint8(0x45));
    }

    void nameIndexes()
    {
        QCOMPARE(led::modeIndex(0x52), 2);
        QCOMPARE(led::colourIndex(0x52), 4); // cyan
        QCOMPARE(led::colourIndex(0x10), 0); // red
        QCOMPARE(led::colourIndex(0x75), 6); // purple
        QCOMPARE(led::modeIndex(0x16), -1);
        QCOMPARE(led::colourIndex(0x05), -1);
        QCOMPARE(led::colourIndex(0x85), -1);
    }
};

QTEST_APPLESS_MAIN(TestLedRules)
#include "tst_core_led_rules.moc"
