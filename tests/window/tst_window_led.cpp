// The LED page: the layer's LED record of standard keypads, and the per-layer mode and
// per-key colours of extended keypads.
#include <QButtonGroup>
#include <QPushButton>
#include <QTabWidget>
#include <QTextEdit>
#include <QtTest>

#include "app/widget.h"
#include "device/store.h"

class TestWindowLed : public QObject
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
    QPushButton *colour(int n) { return child<QPushButton>(QStringLiteral("LED_color_%1").arg(n)); }
    QPushButton *mode(int n) { return child<QPushButton>(QStringLiteral("LED_Mode_%1").arg(n)); }
    QPushButton *key(int n) { return child<QPushButton>(QStringLiteral("pushButton_K%1").arg(n)); }
    QString info() { return child<QTextEdit>(QStringLiteral("lineEdit"))->toPlainText(); }
    void led(const char *caption)
    {
        w->SetRgb_Led_Key(w->Key_Index_Map.value(QString::fromUtf8(caption), -1));
    }

    const QString kSelected = QStringLiteral("color: #000000; background-color: white;");
    const QString kUnselected = QStringLiteral("color: #FFFFFF; background-color: rgb(60, 60, 60);");

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
        w->Language = 1;
    }

    void standardLedSequence()
    {
        Store.Select_PHY_Key_Mode = 8;
        led("LED Mode2");
        const quint8 *r = Store.PHY_KEY_Value[0][0];
        QCOMPARE(r[11], quint8(0x52));
        QCOMPARE(info(), QStringLiteral("LED Mode2   Cyan"));
        led("Red");
        QCOMPARE(r[11], quint8(0x12));
        led("LED Mode0");
        QCOMPARE(r[11], quint8(0x10));
        QCOMPARE(info(), QStringLiteral("LED Mode0   Red"));
        const quint8 header[] = {0xFE, 0xB0, 0x01, 0x08};
        for (int i = 0; i < 4; ++i)
            QCOMPARE(r[i], header[i]);
        QCOMPARE(r[9], quint8(1));
        QCOMPARE(Store.Modify_Key_Flag[0][0], quint8(1));
        QCOMPARE(Store.PHY2_KEY_Value[0][0][11], quint8(0)); // the extended records stay

        // the source language, on layer 3
        w->Language = 0;
        Store.Select_PHY_Key_Layer = 2;
        led("LED模式0");
        led("红色");
        QCOMPARE(Store.PHY_KEY_Value[2][0][2], quint8(3));
        QCOMPARE(Store.PHY_KEY_Value[2][0][11], quint8(0x10));
        QCOMPARE(info(), QStringLiteral("LED模式0   红色"));
        QCOMPARE(Store.Modify_Key_Flag[2][0], quint8(1));
        QCOMPARE(Store.Modify_Key_Flag[1][0], quint8(0));
    }

    void paletteClickColoursTheSelectedKey()
    {
        Store.Dev_Variant = 10;
        w->setupPagesForFormat(true);
        Store.Select_PHY_Key_Layer = 1;
        Store.selectSlot(5);
        QTest::mouseClick(colour(4), Qt::LeftButton); // rgb(0, 255, 0)
        const quint8 *rgb = Store.LED_Color_Table[1][4];
        QCOMPARE(rgb[0], quint8(0x00));
        QCOMPARE(rgb[1], quint8(0xFF));
        QCOMPARE(rgb[2], quint8(0x00));
        QCOMPARE(Store.LED_Modify_Flag, quint8(1));
        QVERIFY(key(5)->styleSheet().startsWith(
            QStringLiteral("QPushButton {   background-color: #00ff00;   color: white;")));
        QVERIFY(key(5)->styleSheet().contains(QStringLiteral("QPushButton:hover {   background-color: %1;}")
                                                  .arg(QColor(0, 255, 0).darker(110).name())));
        // the other layers keep their colours
        QCOMPARE(Store.LED_Color_Table[0][4][0], quint8(0x00));
        QCOMPARE(Store.LED_Color_Table[0][4][1], quint8(0xFF));
        QCOMPARE(Store.LED_Color_Table[0][4][2], quint8(0xFF));

        // a palette colour from the lower rows
        Store.selectSlot(16);
        QTest::mouseClick(colour(36), Qt::LeftButton); // rgb(255, 69, 0)
        QCOMPARE(Store.LED_Color_Table[1][15][0], quint8(255));
        QCOMPARE(Store.LED_Color_Table[1][15][1], quint8(69));
        QCOMPARE(Store.LED_Color_Table[1][15][2], quint8(0));
    }

    void paletteClickOnAKnobOnlyWarns()
    {
        Store.Dev_Variant = 10;
        w->setupPagesForFormat(true);
        const QString before = key(17)->styleSheet();
        quint8 table[kLayers][kLedKeys][3];
        memcpy(table, Store.LED_Color_Table, sizeof(table));
        Store.selectSlot(17);
        QTest::ignoreMessage(QtWarningMsg, "Invalid Select_PHY_Key: 17");
        QTest::mouseClick(colour(4), Qt::LeftButton);
        Store.Select_PHY_Key = 0;
        QTest::ignoreMessage(QtWarningMsg, "Invalid Select_PHY_Key: 0");
        QTest::mouseClick(colour(1), Qt::LeftButton);
        QCOMPARE(memcmp(table, Store.LED_Color_Table, sizeof(table)), 0);
        QCOMPARE(Store.LED_Modify_Flag, quint8(0));
        QCOMPARE(key(17)->styleSheet(), before);
    }

    void modeClickSelectsTheLayerMode()
    {
        Store.Select_PHY_Key_Layer = 2;
        QTest::mouseClick(mode(3), Qt::LeftButton);
        QCOMPARE(Store.LED_Layer_Mode[2], quint8(3));
        QCOMPARE(Store.LED_Layer_Mode[0], quint8(0));
        QCOMPARE(Store.LED_Modify_Flag, quint8(1));
        for (int i = 0; i < 6; ++i)
            QCOMPARE(mode(i)->styleSheet(), i == 3 ? kSelected : kUnselected);
    }

    void pagesForTheFormat()
    {
        w->setupPagesForFormat(false);
        const char *english[] = {"Red", "Orange", "Yellow", "Green", "Cyan", "Blue", "Purple"};
        for (int n = 1; n <= 7; ++n) {
            QCOMPARE(colour(n)->text(), QString::fromLatin1(english[n - 1]));
            QVERIFY(!colour(n)->isHidden());
        }
        for (int n = 8; n <= 56; ++n)
            QVERIFY(colour(n)->isHidden());
        for (int n = 1; n <= 18; ++n) {
            QVERIFY(child<QWidget>(QStringLiteral("delay_spinBox_%1").arg(n))->isHidden());
            QVERIFY(child<QWidget>(QStringLiteral("pushButton_delay_%1").arg(n))->isHidden());
        }
        w->Language = 0;
        w->setupPagesForFormat(false);
        QCOMPARE(colour(1)->text(), QStringLiteral("红色"));
        QCOMPARE(colour(7)->text(), QStringLiteral("紫色"));

        w->setupPagesForFormat(true);
        for (int n = 1; n <= 56; ++n) {
            QVERIFY(!colour(n)->isHidden());
            if (n <= 7)
                QCOMPARE(colour(n)->text(), QString());
        }
        for (int n = 1; n <= 18; ++n) {
            QVERIFY(!child<QWidget>(QStringLiteral("delay_spinBox_%1").arg(n))->isHidden());
            QVERIFY(!child<QWidget>(QStringLiteral("pushButton_delay_%1").arg(n))->isHidden());
        }
        for (const char *name : {"label", "horizontalSlider", "spinBox", "label_2"})
            QVERIFY(child<QWidget>(QString::fromLatin1(name))->isHidden());
    }
};

QTEST_MAIN(TestWindowLed)
#include "tst_window_led.moc"
