// Assigning functions by clicking on the real main window: slot selection, layers, the
// function pages, refusals and clearing, down to what the keypad stores.
#include <QSignalSpy>
#include <QTextEdit>
#include <QtTest>

#include "device/store.h"
#include "sim/virtual_keypad.h"
#include "support/keypad_fixture.h"

using namespace zd_test;

namespace
{
enum Page { BaseKeys = 0, Modifiers = 1, Media = 2, Led = 3, Mouse = 4, Delay = 5 };
}

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
    bool framed(int n)
    {
        return f->child(QStringLiteral("pushButton_K%1").arg(n))->styleSheet().contains("e1e100");
    }
    QByteArray std(int layer, int slot, int n = kRecordSize)
    {
        return recordBytes(Store.PHY_KEY_Value[layer][slot], n);
    }
    QByteArray ext(int layer, int slot, int n = kRecordSize)
    {
        return recordBytes(Store.PHY2_KEY_Value[layer][slot], n);
    }

  private slots:
    void init() { f = new KeypadFixture; }
    void cleanup()
    {
        delete f;
        f = nullptr;
    }

    // Clicks on slot 3, record bytes (type on), slot caption, and the information box when the
    // slot is selected again.
    void functionsByPage_data()
    {
        QTest::addColumn<bool>("extended");
        QTest::addColumn<QStringList>("steps");
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("info");
        auto row = [](const char *name, bool ext, const char *clicks, const char *hex, const char *caption,
                      const char *info) {
            QTest::newRow(name) << ext << QString(clicks).split(' ') << QByteArray::fromHex(hex) << caption
                                << info;
        };
        row("ctrl, A, C", false, "pushButton_Ctrl pushButton_A pushButton_C", "01 0000000000 02 0104 0006",
            "Ctrl+ A C", "Ctrl+ A C");
        row("combination twice, symbol", false, "#1 CtrlAlta CtrlAlta spe_a", "01 0000000000 01 0735",
            "Ctrl+Alt+ Ctrl+Alt+ ~", "Ctrl+Shift+Alt+ ~、");
        row("media", false, "#2 start_pause volminus_2", "02 0000000000 04 cd00 0000 9401",
            "Play/Pause My Computer", " Play/Pause");
        row("keys, then mouse clears", false,
            "pushButton_Shift pushButton_A pushButton_B #4 mouse_left pushButton_2",
            "03 0000000000 01 0001 0000 ff00 0000", "Mouse LeftKey Mouse Wheel-", "");
        row("extended", true, "#1 CtrlShifta #0 pushButton_A #1 CtrlAlta_4",
            "01 00 04 0000 f1 0000 f2 0000 04 0000 f4 0000", "Ctrl+Shift+ A command", "Ctrl+Shift+AWin+");
    }
    void functionsByPage()
    {
        QFETCH(bool, extended);
        QFETCH(QStringList, steps);
        QFETCH(QByteArray, bytes);
        QFETCH(QString, caption);
        QFETCH(QString, info);
        Store.Dev_Variant = extended ? kExtendedVariant : 0;
        click("pushButton_K3");
        clicks(steps);
        const QByteArray written = extended ? ext(0, 3) : std(0, 3);
        QCOMPARE(written.mid(3, bytes.size()).toHex(' '), bytes.toHex(' '));
        QCOMPARE(written.left(3), QByteArray::fromHex("FD0301"));
        const QByteArray other = extended ? std(0, 3) : ext(0, 3); // the other format holds nothing
        for (int i : extended ? QVector<int>{9, 10, 11} : QVector<int>{5, 8, 11})
            QCOMPARE(int(other[i]), 0);
        QCOMPARE(Store.Modify_Key_Flag[0][3], quint8(1));
        QCOMPARE(f->slotText(3), caption);
        clicks({"Layer1", "pushButton_K3"}); // relabels the picture and reads the record back
        QCOMPARE(f->info(), info);
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
        QCOMPARE(f->child("Layer1")->styleSheet(),
                 QStringLiteral("QPushButton{background-color: #383838;color:#FFFFFF;}"));
        click("pushButton_B"); // nothing is assigned without a selected slot
        QCOMPARE(std(1, 0).mid(9, 3), QByteArray(3, '\0'));

        click("pushButton_K16"); // stamped in the format in use, not flagged
        QCOMPARE(selectedName(), QStringLiteral("k1_left"));
        QCOMPARE(std(1, 16, 4), QByteArray::fromHex("FD100201"));
        QCOMPARE(ext(1, 16, 2), QByteArray::fromHex("FD00"));
        QCOMPARE(Store.Modify_Key_Flag[1][16], quint8(0));
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
        QCOMPARE(std(0, 7).mid(9, 3), QByteArray(3, '\0'));
        QCOMPARE(Store.Modify_Key_Flag[0][7], quint8(0));

        clicks({"#3", "K4"}); // the standard LED page edits the layer's LED record
        QCOMPARE(Store.Select_PHY_Key, quint8(0));
        QVERIFY(!framed(7) && !framed(4));
        QCOMPARE(std(0, 4, 2), QByteArray::fromHex("FD00"));
        click("LED_Mode_2");
        QCOMPARE(std(0, 0, 12), QByteArray::fromHex("FEB00108000000000001"
                                                    "0052"));
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
        QCOMPARE(std(0, 8), full);
        QCOMPARE(Store.Modify_Key_Flag[0][8], quint8(0));
        QCOMPARE(f->slotText(8), twenty);

        Store.Dev_Variant = kExtendedVariant;
        click("pushButton_K9");
        Store.PHY2_KEY_Value[0][9][5] = 15;
        click("CtrlAltShiftWin"); // four entries, one too many
        QCOMPARE(f->slotText(9), QStringLiteral("NULL"));
        click("CtrlShiftAlta"); // three fit exactly
        QCOMPARE(ext(0, 9).mid(56, 4), QByteArray::fromHex("F20000F3"));
        QCOMPARE(f->slotText(9), QStringLiteral("Ctrl+Shift+Alt+"));
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
        QCOMPARE(f->window()->Delay_SpinBoxes[1]->value(), 50);
        QCOMPARE(std(1, 0), led);
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
};

QTEST_MAIN(TestWindowAssign)
#include "tst_window_assign.moc"
