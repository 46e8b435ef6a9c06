// The delay, LED and Procreate pages on the real main window against the virtual keypad:
// what each control writes into the store and what reaches the keypad.
#include <QGridLayout>
#include <QSlider>
#include <QSpinBox>
#include <QTabWidget>
#include <QtTest>

#include "device/store.h"
#include "sim/virtual_keypad.h"
#include "support/keypad_fixture.h"

using namespace zd_test;

namespace
{
const QString kSelected = QStringLiteral("color: #000000; background-color: white;");
constexpr int kDelayPage = 5, kLedPage = 3, kPresetPage = 6;

QByteArray pattern(int seed)
{
    QByteArray colours(48, '\0');
    for (int i = 0; i < 48; ++i)
        colours[i] = char(seed + i);
    return colours;
}
} // namespace

class TestWindowEditingPages : public QObject
{
    Q_OBJECT

    KeypadFixture *f = nullptr;

    QSpinBox *row(int n) { return f->child<QSpinBox>(QStringLiteral("delay_spinBox_%1").arg(n)); }
    QPushButton *rowLabel(int n)
    {
        return f->child<QPushButton>(QStringLiteral("pushButton_delay_%1").arg(n));
    }
    QString style(const QString &name) { return f->child(name)->styleSheet(); }
    QString keyStyle(int n) { return style(QStringLiteral("pushButton_K%1").arg(n)); }
    QByteArray colours(int layer) { return recordBytes(&Store.LED_Color_Table[layer][0][0], 48); }
    QPushButton *preset(const QString &caption)
    {
        for (QPushButton *b :
             f->child<QTabWidget>("tabWidget")->widget(kPresetPage)->findChildren<QPushButton *>())
            if (b->text() == caption)
                return b;
        return nullptr;
    }

  private slots:
    void initTestCase() { QLoggingCategory::setFilterRules(QStringLiteral("zorveldeck.*.debug=false")); }
    void init() { f = new KeypadFixture; }
    void cleanup()
    {
        delete f;
        f = nullptr;
    }

    void standardDelayOfTheSelectedSlot()
    {
        f->clickTab(kDelayPage);
        auto *spin = f->child<QSpinBox>("spinBox");
        auto *slider = f->child<QSlider>("horizontalSlider");
        const QByteArray untouched = recordBytes(&Store.PHY_KEY_Value[0][0][0], sizeof Store.PHY_KEY_Value);
        spin->setValue(4000); // no slot: nothing is stored
        QCOMPARE(recordBytes(&Store.PHY_KEY_Value[0][0][0], sizeof Store.PHY_KEY_Value), untouched);
        f->click("pushButton_K3");
        spin->setValue(300);
        QCOMPARE(recordBytes(Store.PHY_KEY_Value[0][3] + 3, 3), QByteArray::fromHex("052C01"));
        QCOMPARE(Store.Modify_Key_Flag[0][3], quint8(1));
        QCOMPARE(f->info(), QStringLiteral(" 300 MS"));
        QCOMPARE(slider->value(), 300);
        slider->setValue(1000); // through the spin box
        QCOMPARE(recordBytes(Store.PHY_KEY_Value[0][3] + 4, 2), QByteArray::fromHex("E803"));
        QCOMPARE(recordBytes(Store.PHY2_KEY_Value[0][3] + 4, 2), QByteArray(2, '\0'));
        f->click("pushButton_K4"); // shows its own delay and stores nothing
        QCOMPARE(spin->value(), 0);
        QCOMPARE(Store.Modify_Key_Flag[0][4], quint8(0));
        f->click("pushButton_K3");
        QCOMPARE(slider->value(), 1000);
    }

    // The rows show the selected slot's strokes and delays, and the next Save sends what they
    // show: each row's delay big-endian in its unit, codes and type unchanged.
    void strokeRowsShowWhatTheNextSaveSends()
    {
        QVERIFY(f->connectKeypad(15, 3, 10));
        const QByteArray stored = QByteArray::fromHex("fd060101000200"
                                                      "1404" // row 1: 20 ms, A
                                                      "000005"
                                                      "012c00"
                                                      "003200"); // B 0 ms, 300, 50
        std::copy(stored.begin(), stored.end(), Store.PHY2_KEY_Value[0][6]);
        f->clickTab(kDelayPage);
        for (int n = 1; n <= 18; ++n) // no slot: the rows are disabled
            QVERIFY(!row(n)->isEnabled() && row(n)->minimum() == (n == 1 ? 0 : 50) &&
                    row(n)->maximum() == 60000);
        f->click("pushButton_K3");
        row(1)->setValue(700);
        f->click("pushButton_K6");
        QByteArray sent = stored.left(8) + QByteArray(56, '\0');
        for (int n = 1; n <= 18; ++n) {
            const int ms = QList<int>{20, 50, 300, 50, 50}.value(n - 1, 50);
            QCOMPARE(row(n)->value(), ms);
            sent[3 + 3 * n] = char(ms >> 8);
            sent[4 + 3 * n] = char(ms);
            QCOMPARE(rowLabel(n)->text(), n == 1 ? "A" : n == 2 ? "B" : "NULL");
            QCOMPARE(rowLabel(n)->styleSheet(), n <= 2 ? "color: rgb(0, 255, 0);" : "color: rgb(255, 0, 0);");
        }
        sent[8] = 0x04, sent[11] = 0x05;
        f->click("download");
        QCOMPARE(sim::storedRecord(0, 6, true), sent);
        f->click("pushButton_K3");
        QCOMPARE(row(1)->value(), 700);
    }

    void standardLedReachesTheKeypad()
    {
        QVERIFY(f->connectKeypad(15, 3, 0));
        f->clickTab(kLedPage);
        for (int n = 1; n <= 56; ++n) // the seven named colours only
            QCOMPARE(f->child(QStringLiteral("LED_color_%1").arg(n))->isHidden(), n > 7);
        f->click("Layer2");
        f->click("LED_Mode_2");
        QCOMPARE(f->info(), QStringLiteral("LED Mode2   Cyan"));
        f->click("LED_color_1"); // "Red"
        QCOMPARE(f->info(), QStringLiteral("LED Mode2   Red"));
        QCOMPARE(recordBytes(Store.PHY2_KEY_Value[1][0], 12), bytesOf({0xFD, 0, 1, 1}, 12));
        f->click("download");
        QCOMPARE(receivedBytes(),
                 (QVector<QByteArray>{padded("03FEB002080000000000010012"), padded("03FDFEFF")}));
    }

    // An extended keypad: the page asks the keypad for the layer's LED state (bounded wait),
    // shows it, colours the selected key, and a knob or no slot only warns.
    void extendedLedPage()
    {
        sim::setLedState(0, 3, pattern(10));
        sim::setLedState(1, 5, pattern(100));
        QVERIFY(f->connectKeypad(16, 3, 10));
        f->clickTab(kLedPage);
        QCOMPARE(receivedBytes(), QVector<QByteArray>{padded("03FAB000")});
        QVERIFY(sim::reads().last().timeoutMs > 0 && sim::reads().last().timeoutMs <= 1000);
        QCOMPARE(colours(0), pattern(10));
        QCOMPARE(style("LED_Mode_3"), kSelected);
        QCOMPARE(keyStyle(16), QStringLiteral("background-color: rgb(55, 56, 57);"));
        sim::clearLogs();
        f->click("Layer2");
        QCOMPARE(receivedBytes(), QVector<QByteArray>{padded("03FAB001")});
        QCOMPARE(keyStyle(1), QStringLiteral("background-color: rgb(100, 101, 102);"));

        f->click("pushButton_K5");
        f->click("LED_color_4");  // rgb(0, 255, 0)
        f->click("LED_color_36"); // rgb(255, 69, 0) replaces it
        QCOMPARE(recordBytes(Store.LED_Color_Table[1][4], 3), QByteArray::fromHex("FF4500"));
        QVERIFY(keyStyle(5).startsWith("QPushButton {   background-color: #ff4500;   color: white;"));
        f->click("LED_Mode_1");
        QCOMPARE(style("LED_Mode_1"), kSelected);
        f->click("pushButton_K17");
        QTest::ignoreMessage(QtWarningMsg, "Invalid Select_PHY_Key: 17");
        f->click("LED_color_4");
        QCOMPARE(recordBytes(Store.LED_Color_Table[1][15], 3), pattern(100).mid(45, 3));
        sim::clearLogs();
        f->click("download");
        QByteArray layer2 = padded("03FEB00101");
        layer2.replace(5, 48, colours(1));
        QCOMPARE(receivedBytes().value(1), layer2);
        QCOMPARE(receivedBytes().size(), 3); // the LED state alone: no commit
        QCOMPARE(sim::ledColours(1).mid(12, 3), QByteArray::fromHex("FF4500"));
    }

    void failedLedQueryKeepsTheStoredState()
    {
        sim::setLedState(0, 1, pattern(20));
        QVERIFY(f->connectKeypad(15, 3, 10));
        Store.LED_Layer_Mode[0] = 4;
        const QByteArray before = colours(0);
        for (bool writeFails : {false, true}) {
            writeFails ? sim::failWrites(0, 1) : sim::failReads(0, 1);
            LogCapture log;
            f->clickTab(kLedPage);
            QCOMPARE(Store.LED_Layer_Mode[0], quint8(4));
            QCOMPARE(colours(0), before);
            QCOMPARE(style("LED_Mode_4"), kSelected);
            QVERIFY(log.contains("err_string = "));
            f->clickTab(0);
            f->poll(2); // the failure closed the keypad; it is found again
        }
        f->clickTab(kLedPage);
        QCOMPARE(Store.LED_Layer_Mode[0], quint8(1));
        QCOMPARE(colours(0), pattern(20));
    }

    void presetPage()
    {
        QVERIFY(f->connectKeypad(15, 3, 10));
        f->clickTab(kPresetPage);
        QWidget *page = f->child<QTabWidget>("tabWidget")->widget(kPresetPage);
        QCOMPARE(page->findChildren<QPushButton *>().size(), 31);
        auto *grid = qobject_cast<QGridLayout *>(page->layout());
        QCOMPARE(QVector<int>({grid->columnCount(), grid->rowCount()}), QVector<int>({8, 4}));
        QCOMPARE(qobject_cast<QPushButton *>(grid->itemAtPosition(3, 6)->widget())->text(),
                 QStringLiteral("Redo"));
        const QByteArray untouched = recordBytes(&Store.PHY2_KEY_Value[0][0][0], sizeof Store.PHY2_KEY_Value);
        QTest::ignoreMessage(QtWarningMsg, "Invalid Select_PHY_Key: 0");
        f->click(preset("Copy"));
        QCOMPARE(recordBytes(&Store.PHY2_KEY_Value[0][0][0], sizeof Store.PHY2_KEY_Value), untouched);

        f->click("pushButton_K2");
        quint8 *r = Store.PHY2_KEY_Value[0][2];
        r[9] = 0x01, r[10] = 0x2C; // a delay on the second stroke stays with it
        f->click(preset("Undo"));
        QCOMPARE(recordBytes(r + 3, 12), QByteArray::fromHex("0100020000F4012C1D000000"));
        QCOMPARE(Store.Modify_Key_Flag[0][2], quint8(1));
        QCOMPARE(f->slotText(2) + f->info(), QStringLiteral("UndoUndo"));
        f->click(preset("Redo"));
        f->click(preset("QuickMenu"));
        QCOMPARE(recordBytes(r + 3, 12), QByteArray::fromHex("01000100002C012CF400001D"));
        QCOMPARE(f->slotText(2), QStringLiteral("QuickMenu"));
        f->clickTab(0); // the strokes clicked next hold what was clicked, whatever Redo left
        f->click("pushButton_Ctrl");
        f->click("pushButton_A");
        QCOMPARE(QByteArray() + char(r[5]) + char(r[8]) + char(r[11]) + char(r[14]),
                 QByteArray::fromHex("032CF104"));
    }
};

QTEST_MAIN(TestWindowEditingPages)
#include "tst_window_editing_pages.moc"
