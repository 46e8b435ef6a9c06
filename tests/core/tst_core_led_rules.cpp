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

    void standardLedRecordSequence()
    {
        quint8 *r = Store.PHY_KEY_Value[2][0];
        QCOMPARE(led::storeStandardLed(r, 2, 8, 0x02), quint8(0x52));
        QCOMPARE(led::storeStandardLed(r, 2, 8, 0x10), quint8(0x12));
        QCOMPARE(led::storeStandardLed(r, 2, 8, 0x00), quint8(0x10));
        const quint8 expected[12] = {0xFE, 0xB0, 0x03, 0x08, 0, 0, 0, 0, 0, 0x01, 0, 0x10};
        for (int i = 0; i < 12; ++i)
            QCOMPARE(r[i], expected[i]);
        for (int i = 12; i < kRecordSize; ++i)
            QCOMPARE(r[i], quint8(0));
        // other layers' LED records are untouched
        QCOMPARE(Store.PHY_KEY_Value[0][0][0], quint8(0xFD));
        QCOMPARE(Store.PHY_KEY_Value[0][0][11], quint8(0));
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
