// The delay page: the slider and spin box of standard keypads and the 18 per-stroke
// rows of extended keypads.
#include <QLabel>
#include <QPushButton>
#include <QSlider>
#include <QSpinBox>
#include <QTextEdit>
#include <QtTest>

#include "app/widget.h"
#include "device/store.h"

class TestWindowDelay : public QObject
{
    Q_OBJECT

    Widget *w = nullptr;

    template <typename T> T *child(const QString &name)
    {
        T *c = w->findChild<T *>(name);
        if (!c)
            qFatal("no widget %s", qPrintable(name));
        return c;
    }
    QSpinBox *row(int n) { return child<QSpinBox>(QStringLiteral("delay_spinBox_%1").arg(n)); }
    QPushButton *rowLabel(int n) { return child<QPushButton>(QStringLiteral("pushButton_delay_%1").arg(n)); }
    QString info() { return child<QTextEdit>(QStringLiteral("lineEdit"))->toPlainText(); }
    void setRows(int first, int others)
    {
        for (int n = 2; n <= 18; ++n)
            row(n)->setValue(others);
        row(1)->setValue(first);
    }

  private slots:
    void initTestCase()
    {
        QLoggingCategory::setFilterRules(QStringLiteral("zorveldeck.*.debug=false"));
        w = new Widget;
        w->Poll_Timer->stop(); // no device traffic in these tests
    }
    void cleanupTestCase() { delete w; }
    void init()
    {
        Store.reset();
        Store.Select_PHY_Key_Mode = 5;
    }

    void everyRowIsWired()
    {
        for (int n = 1; n <= 18; ++n)
            QCOMPARE(w->Delay_SpinBoxes[n], row(n));
    }

    void standardSpinBoxAndSliderStoreTheSlotDelay()
    {
        auto *spin = child<QSpinBox>(QStringLiteral("spinBox"));
        auto *slider = child<QSlider>(QStringLiteral("horizontalSlider"));
        Store.selectSlot(3);
        spin->setValue(300);
        const quint8 *r = Store.PHY_KEY_Value[0][3];
        QCOMPARE(r[4], quint8(0x2C));
        QCOMPARE(r[5], quint8(0x01));
        QCOMPARE(r[3], quint8(5));
        QCOMPARE(Store.Modify_Key_Flag[0][3], quint8(1));
        QCOMPARE(info(), QStringLiteral(" 300 MS"));
        QCOMPARE(slider->value(), 300);

        // the slider stores through the spin box
        slider->setValue(1000);
        QCOMPARE(spin->value(), 1000);
        QCOMPARE(r[4], quint8(0xE8));
        QCOMPARE(r[5], quint8(0x03));
        QCOMPARE(info(), QStringLiteral(" 1000 MS"));
        // the extended record is not touched
        QCOMPARE(Store.PHY2_KEY_Value[0][3][4], quint8(0));
        QCOMPARE(Store.PHY2_KEY_Value[0][3][5], quint8(0));
    }

    void standardDelayWithoutSlotKeepsTheLedRecord()
    {
        w->SetRgb_Led_Key(w->Key_Index_Map.value(QStringLiteral("Blue")));
        quint8 before[kLayers][kSlots][kRecordSize];
        quint8 flagsBefore[kLayers][kSlots];
        memcpy(before, Store.PHY_KEY_Value, sizeof(before));
        memcpy(flagsBefore, Store.Modify_Key_Flag, sizeof(flagsBefore));
        QCOMPARE(Store.Select_PHY_Key, quint8(0));

        child<QSpinBox>(QStringLiteral("spinBox"))->setValue(4000);
        child<QSlider>(QStringLiteral("horizontalSlider"))->setValue(2500);
        QCOMPARE(memcmp(before, Store.PHY_KEY_Value, sizeof(before)), 0);
        QCOMPARE(memcmp(flagsBefore, Store.Modify_Key_Flag, sizeof(flagsBefore)), 0);
        QCOMPARE(Store.PHY_KEY_Value[0][0][0], quint8(0xFE));
        QCOMPARE(Store.PHY_KEY_Value[0][0][11], quint8(0x60));
    }

    void enteringThePageSetsRangesAndSuffix()
    {
        w->enterDelayPage();
        QCOMPARE(row(1)->minimum(), 0);
        QCOMPARE(row(1)->maximum(), 60000);
        for (int n = 2; n <= 18; ++n) {
            QCOMPARE(row(n)->minimum(), 50);
            QCOMPARE(row(n)->maximum(), 60000);
        }
        for (int n = 1; n <= 18; ++n)
            QCOMPARE(row(n)->suffix(), QStringLiteral("   ms"));
    }

    void extendedRowStoresBigEndianDelay()
    {
        Store.Dev_Variant = 10;
        Store.selectSlot(4);
        Store.PHY2_KEY_Value[0][4][3] = 1;
        Store.PHY2_KEY_Value[0][4][14] = 0x04;
        w->enterDelayPage();
        row(3)->setValue(1000);
        const quint8 *r = Store.PHY2_KEY_Value[0][4];
        QCOMPARE(r[12], quint8(0x03));
        QCOMPARE(r[13], quint8(0xE8));
        QCOMPARE(r[14], quint8(0x04)); // the stroke's code stays
        QCOMPARE(r[3], quint8(1));     // and so does the type
        QCOMPARE(Store.Modify_Key_Flag[0][4], quint8(1));
        QCOMPARE(Store.PHY_KEY_Value[0][4][4], quint8(0)); // standard record untouched
    }

    void selectingASlotLoadsTheRows()
    {
        Store.Dev_Variant = 10;
        Store.Select_PHY_Key_Layer = 1;
        quint8 *r = Store.PHY2_KEY_Value[1][6];
        r[6] = 0x00, r[7] = 0x14;   // row 1: 20
        r[9] = 0x00, r[10] = 0x00;  // row 2: 0
        r[12] = 0x01, r[13] = 0x2C; // row 3: 300
        r[15] = 0x00, r[16] = 0x33; // row 4: 51
        w->enterDelayPage();
        setRows(0, 70); // the rows show another slot (nothing selected: stores nothing)
        Store.selectSlot(6);
        w->loadDelayRows();
        QCOMPARE(row(1)->value(), 20);
        QCOMPARE(row(2)->value(), 50);
        QCOMPARE(row(3)->value(), 300);
        QCOMPARE(row(4)->value(), 51);
        QCOMPARE(row(18)->value(), 50);
        // what the rows show went back into the record
        QCOMPARE(r[9], quint8(0x00));
        QCOMPARE(r[10], quint8(0x32));
        QCOMPARE(r[12], quint8(0x01));
        QCOMPARE(r[13], quint8(0x2C));
        QCOMPARE(Store.Modify_Key_Flag[1][6], quint8(1));
        QCOMPARE(Store.Modify_Key_Flag[1][0], quint8(0));
    }

    void rowsAreDisabledWithoutSlot()
    {
        Store.Dev_Variant = 10;
        w->enterDelayPage();
        for (int n = 1; n <= 18; ++n)
            QVERIFY(!row(n)->isEnabled());
        Store.selectSlot(2);
        w->refreshDelayPage();
        for (int n = 1; n <= 18; ++n) {
            QVERIFY(row(n)->isEnabled());
            QVERIFY(!row(n)->isReadOnly());
        }
    }

    void rowsWithoutSlotStoreNothing()
    {
        Store.Dev_Variant = 10;
        w->enterDelayPage();
        setRows(700, 800);
        quint8 before[kLayers][kSlots][kRecordSize];
        memcpy(before, Store.PHY2_KEY_Value, sizeof(before));
        // what clearing does to the rows, and a user edit
        setRows(0, 50);
        row(5)->setValue(900);
        QCOMPARE(memcmp(before, Store.PHY2_KEY_Value, sizeof(before)), 0);
        for (int l = 0; l < kLayers; ++l)
            for (int s = 0; s < kSlots; ++s)
                QCOMPARE(Store.Modify_Key_Flag[l][s], quint8(0));
    }

    void rowLabelsNameTheStrokes()
    {
        Store.Dev_Variant = 10;
        quint8 *r = Store.PHY2_KEY_Value[0][2];
        r[3] = 1;
        r[5] = 2;
        r[8] = 0xF1;  // Ctrl
        r[11] = 0x04; // A
        Store.selectSlot(2);
        w->enterDelayPage();
        QCOMPARE(rowLabel(1)->text(), QStringLiteral("Ctrl+"));
        QCOMPARE(rowLabel(2)->text(), QStringLiteral("A"));
        QCOMPARE(rowLabel(1)->styleSheet(), QStringLiteral("color: rgb(0, 255, 0);"));
        QCOMPARE(rowLabel(2)->styleSheet(), QStringLiteral("color: rgb(0, 255, 0);"));
        for (int n = 3; n <= 18; ++n) {
            QCOMPARE(rowLabel(n)->text(), QStringLiteral("NULL"));
            QCOMPARE(rowLabel(n)->styleSheet(), QStringLiteral("color: rgb(255, 0, 0);"));
        }

        // a media record leaves the labels as they were
        quint8 *media = Store.PHY2_KEY_Value[0][7];
        media[3] = 2;
        media[8] = 0xCD;
        Store.selectSlot(7);
        w->refreshDelayPage();
        QCOMPARE(rowLabel(1)->text(), QStringLiteral("Ctrl+"));
        QCOMPARE(rowLabel(3)->text(), QStringLiteral("NULL"));

        // key names follow the language
        r[11] = 0x1E;
        Store.selectSlot(2);
        w->Language = 0;
        w->refreshDelayPage();
        w->Language = 1;
        QCOMPARE(rowLabel(2)->text(), w->Key_Name_CN[172]);
    }
};

QTEST_MAIN(TestWindowDelay)
#include "tst_window_delay.moc"
