// Editing by clicking on the real main window against the virtual keypad: slot selection, layers,
// the function pages, refusals and clearing; the delay, LED and Procreate pages; down to what the
// keypad stores.
#include <QGridLayout>
#include <QSignalSpy>
#include <QSlider>
#include <QSpinBox>
#include <QTabWidget>
#include <QTextEdit>
#include <QUndoStack>
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

// Clicks on slot 3 and what they make: record bytes from the type on, caption, information box.
struct Assigned {
    const char *name;
    bool extended;
    const char *clicks, *hex, *caption, *info;
};
} // namespace
Q_DECLARE_METATYPE(Assigned)

class TestWindowAssign : public QObject
{
    Q_OBJECT

    KeypadFixture *f = nullptr;

    void click(const QString &name) { f->click(name); }
    void clicks(const QStringList &names)
    {
        for (const QString &n : names)
            n.startsWith('#') ? f->clickTab(n.mid(1).toInt())
                              : f->click(n.startsWith('K') ? "pushButton_" + n : n);
    }
    QString selectedName() { return f->text(QStringLiteral("pushButton_SeleKey")); }
    bool framed(int n) { return keyStyle(n).contains("e1e100"); }
    QByteArray std(int l, int s, int n = kRecordSize) { return recordBytes(Store.PHY_KEY_Value[l][s], n); }
    QByteArray ext(int l, int s, int n = kRecordSize) { return recordBytes(Store.PHY2_KEY_Value[l][s], n); }
    QSpinBox *row(int n) { return f->child<QSpinBox>("delay_spinBox_" + QString::number(n)); }
    QPushButton *rowLabel(int n) { return f->child<QPushButton>("pushButton_delay_" + QString::number(n)); }
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
    void cleanup() { delete f; }

    void functionsByPage_data()
    {
        QTest::addColumn<Assigned>("a");
        const Assigned rows[] = {
            {"ctrl, A, C", false, "pushButton_Ctrl pushButton_A pushButton_C", "01 0000000000 02 0104 0006",
             "Ctrl+ A C", "Ctrl+ A C"},
            {"combination twice, symbol", false, "#1 CtrlAlta CtrlAlta spe_a", "01 0000000000 01 0735",
             "Ctrl+Alt+ Ctrl+Alt+ ~", "Ctrl+Shift+Alt+ ~、"},
            {"media", false, "#2 start_pause volminus_2", "02 0000000000 04 cd00 0000 9401",
             "Play/Pause My Computer", " Play/Pause"},
            {"keys, then mouse clears", false,
             "pushButton_Shift pushButton_A pushButton_B #4 mouse_left pushButton_2",
             "03 0000000000 01 0001 0000 ff00 0000", "Mouse LeftKey Mouse Wheel-", ""},
            {"extended", true, "#1 CtrlShifta #0 pushButton_A #1 CtrlAlta_4",
             "01 00 04 0000 f1 0000 f2 0000 04 0000 f4 0000", "Ctrl+Shift+ A command", "Ctrl+Shift+AWin+"},
        };
        for (const Assigned &a : rows)
            QTest::newRow(a.name) << a;
    }
    void functionsByPage()
    {
        QFETCH(Assigned, a);
        const QByteArray bytes = QByteArray::fromHex(a.hex);
        Store.Dev_Variant = a.extended ? kExtendedVariant : 0;
        click("pushButton_K3");
        clicks(QString(a.clicks).split(' '));
        const QByteArray written = a.extended ? ext(0, 3) : std(0, 3);
        QCOMPARE(written.left(3 + bytes.size()).toHex(' '), ("\xFD\x03\x01" + bytes).toHex(' '));
        const QByteArray other = a.extended ? std(0, 3) : ext(0, 3); // the other format holds nothing
        for (int i : a.extended ? QVector<int>{9, 10, 11} : QVector<int>{5, 8, 11})
            QCOMPARE(int(other[i]), 0);
        QCOMPARE(Store.Modify_Key_Flag[0][3], quint8(1));
        QCOMPARE(f->slotText(3), QString(a.caption));
        clicks({"Layer1", "pushButton_K3"}); // relabels the picture and reads the record back
        QCOMPARE(f->info(), QString(a.info));
    }

    void selectionNamesAndLayers()
    {
        Store.PHY_KEY_Value[1][2][3] = 1, Store.PHY_KEY_Value[1][2][9] = 1;
        Store.PHY_KEY_Value[1][2][10] = 0x01, Store.PHY_KEY_Value[1][2][11] = 0x04;
        Store.PHY_KEY_Value[1][17][3] = 2, Store.PHY_KEY_Value[1][17][10] = 0xE9;
        clicks({"K4", "pushButton_A"});
        QVERIFY(framed(4));
        click("Layer2"); // drops the selection and relabels from layer 2
        QVERIFY(!framed(4));
        QCOMPARE(QVector<int>({Store.Select_PHY_Key_Layer, Store.Select_PHY_Key}), QVector<int>({1, 0}));
        QCOMPARE(selectedName() + f->info(), QStringLiteral("NULL"));
        QCOMPARE(QStringList({f->slotText(2), f->slotText(17), f->slotText(4)}),
                 QStringList({"Ctrl+A", "Volume+", "NULL"}));
        QCOMPARE(f->child("Layer2")->styleSheet(),
                 QStringLiteral("QPushButton{background-color: #FFFFFF;color:#383838;}"));
        click("pushButton_B"); // nothing is assigned without a selected slot
        QCOMPARE(std(1, 0).mid(9, 3), QByteArray(3, '\0'));

        click("pushButton_K16"); // stamped in the format in use, not flagged
        QCOMPARE(selectedName(), QStringLiteral("k1_left"));
        QCOMPARE(std(1, 16, 4) + ext(1, 16, 2) + char(Store.Modify_Key_Flag[1][16]),
                 QByteArray::fromHex("FD100201FD0000"));
        QVERIFY(QMetaObject::invokeMethod(f->window(), "on_change_clicked")); // to Chinese
        click("pushButton_K24");
        QCOMPARE(selectedName(), QString::fromUtf8("K3_右"));
        click("Layer2");
        QCOMPARE(f->slotText(17), QString::fromUtf8("音量+"));
    }

    void delayAndLedPagesAssignNoKey()
    {
        clicks({"K7", "#5"});
        auto *row = f->child<QPushButton>("pushButton_delay_1");
        row->setText("A"); // a caption the catalogue knows: still no assignment, no click
        QSignalSpy clicked(row, &QPushButton::clicked);
        QTest::mouseClick(row, Qt::LeftButton);
        QCOMPARE(clicked.count(), 0);
        QCOMPARE(std(0, 7).mid(9, 3) + char(Store.Modify_Key_Flag[0][7]), QByteArray(4, '\0'));

        clicks({"#3", "K4"}); // the standard LED page edits the layer's LED record
        QVERIFY(Store.Select_PHY_Key == 0 && !framed(7) && !framed(4));
        QCOMPARE(std(0, 4, 2), QByteArray::fromHex("FD00"));
        click("LED_Mode_2");
        QCOMPARE(std(0, 0, 12), QByteArray::fromHex("FEB001080000000000010052"));
    }

    void fullRecordsRefuseMore()
    {
        click("pushButton_K8");
        QString twenty;
        for (char c = 'A'; c <= 'T'; ++c) {
            click(QStringLiteral("pushButton_") + c);
            twenty += c;
        }
        click("Layer1");
        QCOMPARE(f->slotText(8), twenty);
        Store.Modify_Key_Flag[0][8] = 0;
        const QByteArray full = std(0, 8);
        clicks({"pushButton_B", "pushButton_Ctrl", "#1", "spe_b"});
        QVERIFY(std(0, 8) == full && !Store.Modify_Key_Flag[0][8] && f->slotText(8) == twenty);
    }

    // Clear and Clear All reach the keypad with the next Save; the LED record and the other
    // layers stay, and clearing what is empty flags nothing.
    void clearingReachesTheKeypad()
    {
        const auto ctrlC = [](int layer, int slot) {
            return bytesOf({0xFD, slot, layer + 1, 1, 0, 2, 0, 0, 0xF1, 0, 0, 0x06}, 64);
        };
        for (int layer = 0; layer < 3; ++layer)
            sim::setStoredRecord(layer, 2, true, ctrlC(layer, 2));
        QByteArray strokes = bytesOf({0xFD, 5, 2, 1, 0, 18}, 64); // A .. R
        for (int i = 0; i < 18; ++i)
            strokes[8 + 3 * i] = char(0x04 + i);
        sim::setStoredRecord(1, 5, true, strokes);
        QVERIFY(f->connectKeypad(16, 3, 10)); // reads the keypad's configuration back
        clicks({"Layer2", "K25", "pushButton_A", "K3", "pushButton_C"});
        click("cancel"); // one slot: the type stays
        QCOMPARE(ext(1, 3, 12), bytesOf({0xFD, 3, 2, 1}, 12));
        QCOMPARE(f->slotText(3) + f->info(), QStringLiteral("NULL"));
        Store.PHY_KEY_Value[1][0][11] = 0x52;
        const QByteArray led = std(1, 0);
        QCOMPARE(f->slotText(5), QStringLiteral("ABCDEFGHIJKLMNOPQR"));
        clicks({"K2", "cancel_2"});
        for (int slot = 0; slot < kSlots; ++slot)
            QCOMPARE(Store.Modify_Key_Flag[1][slot],
                     quint8(slot == 2 || slot == 3 || slot == 5 || slot == 25));
        for (int n = 1; n <= 25; ++n)
            QCOMPARE(f->slotText(n), QStringLiteral("NULL"));
        QVERIFY(f->window()->Delay_SpinBoxes[1]->value() == 50 && std(1, 0) == led);
        click("download");
        for (int slot : {2, 3, 5, 25})
            QCOMPARE(sim::storedRecord(1, slot, true), bytesOf({0xFD, slot, 2, 1}, 64));
        QCOMPARE(sim::storedRecord(2, 2, true), ctrlC(2, 2));
        click("Read_Configuration");
        QCOMPARE(ext(1, 5, 64), bytesOf({0xFD, 5, 2, 1}, 64));
        click("cancel_2");
        QCOMPARE(recordBytes(&Store.Modify_Key_Flag[0][0], sizeof Store.Modify_Key_Flag),
                 QByteArray(sizeof Store.Modify_Key_Flag, '\0'));
        click("pushButton_E"); // the selection stays
        QCOMPARE(ext(1, 2).mid(5, 4), QByteArray::fromHex("01000008"));
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
        QVERIFY(Store.Modify_Key_Flag[0][3] == 1 && f->info() == " 300 MS" && slider->value() == 300);
        slider->setValue(1000); // through the spin box
        QCOMPARE(recordBytes(Store.PHY_KEY_Value[0][3] + 4, 2), QByteArray::fromHex("E803"));
        QCOMPARE(recordBytes(Store.PHY2_KEY_Value[0][3] + 4, 2), QByteArray(2, '\0'));
        f->click("pushButton_K4"); // shows its own delay and stores nothing
        QVERIFY(spin->value() == 0 && !Store.Modify_Key_Flag[0][4]);
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
        clicks({"Layer2", "LED_Mode_2", "LED_color_1"}); // "Red"
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
        f->clickTab(kLedPage); // in front when the keypad connects: asked at first contact
        QVERIFY(f->connectKeypad(16, 3, 10));
        QVERIFY(colours(0) == pattern(10) && style("LED_Mode_3") == kSelected);
        QCOMPARE(keyStyle(16), QStringLiteral("background-color: rgb(55, 56, 57);"));
        f->click("Layer2");
        QCOMPARE(receivedBytes(), QVector<QByteArray>{padded("03FAB001")});
        QVERIFY(sim::reads().last().timeoutMs > 0 && sim::reads().last().timeoutMs <= 1000);
        QCOMPARE(keyStyle(1), QStringLiteral("background-color: rgb(100, 101, 102);"));

        clicks({"K5", "LED_color_4", "LED_color_36"}); // rgb(0, 255, 0), then rgb(255, 69, 0) replaces it
        QCOMPARE(recordBytes(Store.LED_Color_Table[1][4], 3), QByteArray::fromHex("FF4500"));
        QVERIFY(keyStyle(5).startsWith("QPushButton {   background-color: #ff4500;   color: white;"));
        click("pushButton_K17");
        QTest::ignoreMessage(QtWarningMsg, "Invalid Select_PHY_Key: 17");
        f->click("LED_color_1");
        QCOMPARE(recordBytes(Store.LED_Color_Table[1][15], 3), pattern(100).mid(45, 3));
        f->clickTab(0); // leaving the page, the key colours give way to the selection's frame
        QVERIFY(keyStyle(17).contains("border:4px solid #e1e100;") && !keyStyle(5).contains("#ff4500"));
        sim::clearLogs();
        f->click("download");
        QByteArray layer2 = padded("03FEB00105");
        layer2.replace(5, 48, colours(1));
        QCOMPARE(receivedBytes().value(1), layer2);
        QCOMPARE(receivedBytes().size(), 3); // the LED state alone: no commit
        QCOMPARE(sim::ledColours(1).mid(12, 3), QByteArray::fromHex("FF4500"));
        (*f)->Undo_Stack->undo(); // what the keypad holds after the Save is compared on all three layers
        QVERIFY((*f)->isWindowModified() && ((*f)->Undo_Stack->redo(), !(*f)->isWindowModified()));
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
            QVERIFY(Store.LED_Layer_Mode[0] == 4 && colours(0) == before && style("LED_Mode_4") == kSelected);
            QVERIFY(log.contains("err_string = "));
            f->clickTab(0);
            f->poll(2); // the failure closed the keypad; it is found again
        }
        f->clickTab(kLedPage);
        QVERIFY(Store.LED_Layer_Mode[0] == 1 && colours(0) == pattern(20));
    }

    void presetPage()
    {
        QVERIFY(f->connectKeypad(15, 3, 10));
        f->clickTab(kPresetPage);
        QWidget *page = f->child<QTabWidget>("tabWidget")->widget(kPresetPage);
        QCOMPARE(page->findChildren<QPushButton *>().size(), 31);
        QCOMPARE(qobject_cast<QGridLayout *>(page->layout())->itemAtPosition(3, 6)->widget(), preset("Redo"));
        const QByteArray untouched = recordBytes(&Store.PHY2_KEY_Value[0][0][0], sizeof Store.PHY2_KEY_Value);
        QTest::ignoreMessage(QtWarningMsg, "Invalid Select_PHY_Key: 0");
        f->click(preset("Copy"));
        QCOMPARE(recordBytes(&Store.PHY2_KEY_Value[0][0][0], sizeof Store.PHY2_KEY_Value), untouched);

        f->click("pushButton_K2");
        quint8 *r = Store.PHY2_KEY_Value[0][2];
        r[9] = 0x01, r[10] = 0x2C; // a delay on the second stroke stays with it
        f->click(preset("Undo"));
        QCOMPARE(recordBytes(r + 3, 12), QByteArray::fromHex("0100020000F4012C1D000000"));
        QVERIFY(Store.Modify_Key_Flag[0][2] == 1 && f->slotText(2) + f->info() == "UndoUndo");
        f->click(preset("Redo"));
        f->click(preset("QuickMenu"));
        QCOMPARE(recordBytes(r + 3, 12) + f->slotText(2).toUtf8(),
                 QByteArray::fromHex("01000100002C012CF400001D") + "QuickMenu");
        clicks({"#0", "pushButton_Ctrl", "pushButton_A"}); // they hold what was clicked, whatever Redo left
        QCOMPARE(QByteArray() + char(r[5]) + char(r[8]) + char(r[11]) + char(r[14]),
                 QByteArray::fromHex("032CF104"));
    }
};

QTEST_MAIN(TestWindowAssign)
#include "tst_window_assign.moc"
