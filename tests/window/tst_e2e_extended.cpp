// End to end with an extended keypad, through clicks: connect (configuration read back),
// give slot 2 "Undo" with a 300 ms delay on its second stroke and a green key colour,
// save, and find exactly those bytes in the keypad.
#include <QPushButton>
#include <QSpinBox>
#include <QTabBar>
#include <QTabWidget>
#include <QtTest>

#include "device/store.h"
#include "sim/virtual_keypad.h"
#include "support/keypad_fixture.h"

namespace
{
QByteArray pattern(int seed)
{
    QByteArray colours(48, '\0');
    for (int i = 0; i < 48; ++i)
        colours[i] = char(seed + 3 * i);
    return colours;
}

// The colours every layer starts with, key 1 first.
const QByteArray kInitialColours = QByteArray::fromHex("ff0000"
                                                       "ff8030"
                                                       "ffff30"
                                                       "00ff00"
                                                       "00ffff"
                                                       "0000ff"
                                                       "800080"
                                                       "8b0000"
                                                       "ffa500"
                                                       "ffff96"
                                                       "7dff00"
                                                       "008b8b"
                                                       "00008b"
                                                       "ff00ff"
                                                       "ff6666"
                                                       "ffc864");
} // namespace

class TestE2eExtended : public QObject
{
    Q_OBJECT

  private slots:
    void initTestCase() { QLoggingCategory::setFilterRules(QStringLiteral("zorveldeck.*.debug=false")); }

    void undoWithDelayAndColourReachesTheKeypad()
    {
        KeypadFixture f;
        auto *tabs = f.child<QTabWidget>(QStringLiteral("tabWidget"));
        auto clickTab = [&](int index) {
            QTabBar *bar = tabs->tabBar();
            QTest::mouseClick(bar, Qt::LeftButton, Qt::NoModifier, bar->tabRect(index).center());
            QCOMPARE(tabs->currentIndex(), index);
        };

        // what the keypad holds before: a record on layer 2 and its LED state of layer 1
        QByteArray held(64, '\0');
        held[0] = char(0xFD), held[1] = 7, held[2] = 2, held[3] = 1, held[5] = 1, held[8] = 0x04;
        sim::setStoredRecord(1, 7, true, held);
        sim::setLedState(0, 2, pattern(1));

        // connect: model query, then 3 read requests with 25 answers each
        sim::setModel(15, 3, 10);
        sim::plug();
        f.poll(2);
        QCOMPARE(Store.Dev_Connected, quint8(1));
        const QVector<sim::Report> contact = sim::received();
        QCOMPARE(contact.size(), 4);
        QVERIFY(contact[0].bytes.startsWith(QByteArray::fromHex("03fbfbfb")));
        for (int layer = 1; layer <= 3; ++layer) {
            QByteArray request(65, '\0');
            request[0] = 0x03, request[1] = char(0xFA), request[2] = 25, request[3] = 0,
            request[4] = char(layer);
            QCOMPARE(contact[layer].bytes, request);
        }
        int answers = 0;
        for (const sim::Read &r : sim::reads())
            if (r.result > 0)
                ++answers;
        QCOMPARE(answers, 1 + 75);
        QCOMPARE(QByteArray(reinterpret_cast<const char *>(Store.PHY2_KEY_Value[1][7]), 64), held);
        sim::clearLogs();

        // slot 2 on the delay page; 300 ms on the second stroke, typed in
        clickTab(5);
        f.click(QStringLiteral("pushButton_K2"));
        QCOMPARE(Store.Select_PHY_Key, quint8(2));
        auto *row2 = f.child<QSpinBox>(QStringLiteral("delay_spinBox_2"));
        QVERIFY(row2->isEnabled());
        row2->setFocus();
        QTest::keyClick(row2, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(row2, QStringLiteral("300"));
        QCOMPARE(row2->value(), 300);

        // "Undo" on the Procreate page
        clickTab(6);
        QPushButton *undo = nullptr;
        for (QPushButton *b : tabs->widget(6)->findChildren<QPushButton *>())
            if (b->text() == QLatin1String("Undo"))
                undo = b;
        QVERIFY(undo);
        f.click(undo);
        QCOMPARE(f.child<QPushButton>(QStringLiteral("pushButton_K2"))->text(), QStringLiteral("Undo"));

        // green for key 2 on the LED page (the page asks the keypad for its LED state)
        clickTab(3);
        QCOMPARE(sim::received().size(), 1);
        QCOMPARE(Store.LED_Layer_Mode[0], quint8(2));
        f.click(QStringLiteral("LED_color_4")); // rgb(0, 255, 0)
        sim::clearLogs();

        f.click(QStringLiteral("download"));

        QByteArray record(64, '\0');
        const char head[] = {char(0xFD), 0x02, 0x01,       0x01, 0x00, 0x02, // header, count 2
                             0x00,       0x00, char(0xF4),                   // command, no delay
                             0x01,       0x2C, 0x1D};                        // Z after 300 ms
        record.replace(0, sizeof head, QByteArray(head, sizeof head));
        QByteArray colours0 = pattern(1);
        colours0.replace(3, 3, QByteArray::fromHex("00ff00"));
        auto led = [](int layer, int mode, const QByteArray &colours) {
            QByteArray r(65, '\0');
            r[0] = 0x03, r[1] = char(0xFE), r[2] = char(0xB0), r[3] = char(layer), r[4] = char(mode);
            r.replace(5, 48, colours);
            return r;
        };

        const QVector<sim::Report> got = sim::received();
        QCOMPARE(got.size(), 5);
        QCOMPARE(got[0].bytes, QByteArray(1, 0x03) + record);
        QCOMPARE(got[1].bytes, led(0, 2, colours0));
        QCOMPARE(got[2].bytes, led(1, 0, kInitialColours));
        QCOMPARE(got[3].bytes, led(2, 0, kInitialColours));
        QCOMPARE(got[4].bytes, QByteArray::fromHex("03fdfeff") + QByteArray(61, '\0'));

        // what the keypad now holds
        QCOMPARE(sim::storedRecord(0, 2, true), record);
        QCOMPARE(sim::storedRecord(1, 7, true), held);
        QCOMPARE(sim::ledMode(0), quint8(2));
        QCOMPARE(sim::ledColours(0), colours0);
        QCOMPARE(sim::ledColours(1), kInitialColours);
        QCOMPARE(sim::ledColours(2), kInitialColours);
        QCOMPARE(sim::commitCount(), 1);
    }
};

QTEST_MAIN(TestE2eExtended)
#include "tst_e2e_extended.moc"
