// The LED page against the virtual keypad: the LED query of extended keypads, what is
// kept when it fails, and the standard LED record on its way to the keypad.
#include <QPushButton>
#include <QTabBar>
#include <QTabWidget>
#include <QtTest>

#include "device/store.h"
#include "sim/virtual_keypad.h"
#include "support/keypad_fixture.h"

namespace
{
const QString kSelected = QStringLiteral("color: #000000; background-color: white;");

QByteArray pattern(int seed)
{
    QByteArray colours(48, '\0');
    for (int i = 0; i < 48; ++i)
        colours[i] = char(seed + i);
    return colours;
}

QByteArray report(std::initializer_list<int> head)
{
    QByteArray r(65, '\0');
    int i = 0;
    for (int b : head)
        r[i++] = char(b);
    return r;
}
} // namespace

class TestWindowLedKeypad : public QObject
{
    Q_OBJECT

    KeypadFixture *f = nullptr;

    void clickTab(int index)
    {
        QTabBar *bar = f->child<QTabWidget>(QStringLiteral("tabWidget"))->tabBar();
        QTest::mouseClick(bar, Qt::LeftButton, Qt::NoModifier, bar->tabRect(index).center());
        QCOMPARE(f->child<QTabWidget>(QStringLiteral("tabWidget"))->currentIndex(), index);
    }
    QString keyStyle(int n)
    {
        return f->child<QPushButton>(QStringLiteral("pushButton_K%1").arg(n))->styleSheet();
    }
    QByteArray storedColours(int layer)
    {
        return QByteArray(reinterpret_cast<const char *>(Store.LED_Color_Table[layer]), 48);
    }

  private slots:
    void initTestCase() { QLoggingCategory::setFilterRules(QStringLiteral("zorveldeck.*.debug=false")); }
    void init() { f = new KeypadFixture; }
    void cleanup()
    {
        delete f;
        f = nullptr;
    }

    void enteringThePageAsksTheKeypad()
    {
        sim::setLedState(0, 3, pattern(10));
        sim::setLedState(1, 5, pattern(100));
        QVERIFY(f->connectKeypad(15, 3, 10));

        clickTab(3);
        QCOMPARE(sim::received().size(), 1);
        QCOMPARE(sim::received().at(0).bytes, report({0x03, 0xFA, 0xB0, 0x00}));
        // a bounded wait, not a read that could block for ever
        QVERIFY(!sim::reads().isEmpty());
        QVERIFY(sim::reads().last().timeoutMs > 0 && sim::reads().last().timeoutMs <= 1000);
        QCOMPARE(Store.LED_Layer_Mode[0], quint8(3));
        QCOMPARE(storedColours(0), pattern(10));
        QCOMPARE(f->child<QPushButton>(QStringLiteral("LED_Mode_3"))->styleSheet(), kSelected);
        QCOMPARE(keyStyle(1), QStringLiteral("background-color: rgb(10, 11, 12);"));
        QCOMPARE(keyStyle(15), QStringLiteral("background-color: rgb(52, 53, 54);"));

        // another layer while the page is in front: that layer is asked for
        sim::clearLogs();
        f->click(QStringLiteral("Layer2"));
        QCOMPARE(sim::received().size(), 1);
        QCOMPARE(sim::received().at(0).bytes, report({0x03, 0xFA, 0xB0, 0x01}));
        QCOMPARE(Store.LED_Layer_Mode[1], quint8(5));
        QCOMPARE(storedColours(1), pattern(100));
        QCOMPARE(f->child<QPushButton>(QStringLiteral("LED_Mode_5"))->styleSheet(), kSelected);
        QCOMPARE(keyStyle(1), QStringLiteral("background-color: rgb(100, 101, 102);"));
    }

    void disconnectedPageShowsTheStoredState()
    {
        QVERIFY(f->connectKeypad(15, 3, 10));
        f->unplugKeypad();
        sim::clearLogs();
        Store.LED_Layer_Mode[0] = 4;
        Store.LED_Color_Table[0][0][0] = 7;
        clickTab(3);
        QVERIFY(sim::reports().isEmpty());
        QVERIFY(sim::reads().isEmpty());
        QCOMPARE(f->child<QPushButton>(QStringLiteral("LED_Mode_4"))->styleSheet(), kSelected);
        QCOMPARE(keyStyle(1), QStringLiteral("background-color: rgb(7, 0, 0);"));
        QCOMPARE(keyStyle(2), QStringLiteral("background-color: rgb(255, 128, 48);"));
        // the picture shows 15 keys: key 16's colour is not painted on slot 16
        QVERIFY(!keyStyle(16).contains(QStringLiteral("rgb(255, 200, 100)")));
    }

    void failedAnswerKeepsTheStoredState()
    {
        sim::setLedState(0, 1, pattern(20));
        QVERIFY(f->connectKeypad(15, 3, 10));
        Store.LED_Layer_Mode[0] = 4;
        const QByteArray before = storedColours(0);

        sim::failReads(0, 1);
        LogCapture log;
        clickTab(3);
        QCOMPARE(sim::received().size(), 1); // the query went out, its answer was lost
        QCOMPARE(Store.LED_Layer_Mode[0], quint8(4));
        QCOMPARE(storedColours(0), before);
        QVERIFY(log.contains(QStringLiteral("err_string = ")));
        QCOMPARE(f->child<QPushButton>(QStringLiteral("LED_Mode_4"))->styleSheet(), kSelected);

        // a query that cannot be written asks nothing and keeps the state too
        clickTab(0);
        sim::failWrites(0, 1);
        clickTab(3);
        QCOMPARE(Store.LED_Layer_Mode[0], quint8(4));
        QCOMPARE(storedColours(0), before);

        // once the keypad answers again, its state is shown
        clickTab(0);
        clickTab(3);
        QCOMPARE(Store.LED_Layer_Mode[0], quint8(1));
        QCOMPARE(storedColours(0), pattern(20));
    }

    void standardLedGoesToTheKeypadWithoutSlot()
    {
        QVERIFY(f->connectKeypad(15, 3, 0));
        clickTab(3);
        f->click(QStringLiteral("Layer2"));
        QCOMPARE(Store.Select_PHY_Key, quint8(0));
        f->click(QStringLiteral("LED_Mode_2"));
        QCOMPARE(Store.PHY_KEY_Value[1][0][11], quint8(0x52));
        f->click(QStringLiteral("LED_color_1")); // "Red"
        QCOMPARE(Store.PHY_KEY_Value[1][0][11], quint8(0x12));
        f->click(QStringLiteral("download"));

        const QVector<sim::Report> got = sim::received();
        QCOMPARE(got.size(), 2);
        QCOMPARE(got.at(0).bytes, report({0x03, 0xFE, 0xB0, 0x02, 0x08, 0, 0, 0, 0, 0, 0x01, 0, 0x12}));
        QCOMPARE(got.at(1).bytes, report({0x03, 0xFD, 0xFE, 0xFF}));
        QCOMPARE(sim::storedRecord(1, 0, false).left(12), QByteArray::fromHex("feb0020800000000000100"
                                                                              "12"));
    }
};

QTEST_MAIN(TestWindowLedKeypad)
#include "tst_window_led_keypad.moc"
