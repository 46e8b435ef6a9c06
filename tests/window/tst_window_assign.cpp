// Assigning functions by clicking: slot selection, layers, pages, the assignment filter
// and clearing, on the real main window.
#include <QSignalSpy>
#include <QTabBar>
#include <QTabWidget>
#include <QTextEdit>
#include <QtTest>

#include <cstring>

#include "app/editing_log.h"
#include "app/widget.h"
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
    Widget *w = nullptr;

    template <typename T = QPushButton> T *child(const QString &name) { return f->child<T>(name); }
    void click(const QString &name) { f->click(name); }
    void clickSlot(int n) { click(QStringLiteral("pushButton_K%1").arg(n)); }
    QString slotText(int n) { return f->slotText(n); }
    QString info() { return f->info(); }
    QString selectedName() { return f->text(QStringLiteral("pushButton_SeleKey")); }
    void showPage(int page) { f->clickTab(page); }
    bool framed(int n)
    {
        return child(QStringLiteral("pushButton_K%1").arg(n))->styleSheet().contains("e1e100");
    }
    void save() { click(QStringLiteral("download")); }
    const quint8 *std(int layer, int slot) { return Store.PHY_KEY_Value[layer][slot]; }
    const quint8 *ext(int layer, int slot) { return Store.PHY2_KEY_Value[layer][slot]; }

  private slots:
    void init()
    {
        f = new KeypadFixture; // no keypad in these tests
        w = f->window();
    }
    void cleanup()
    {
        delete f;
        f = nullptr;
    }

    void ctrlThenKeyOnStandardKeypad()
    {
        clickSlot(3);
        click(QStringLiteral("pushButton_Ctrl"));
        click(QStringLiteral("pushButton_A"));
        const quint8 expected[] = {0xFD, 3, 1, 1, 0, 0, 0, 0, 0, 1, 0x01, 0x04};
        QCOMPARE(recordBytes(std(0, 3), 12), recordBytes(expected, 12));
        QCOMPARE(Store.Modify_Key_Flag[0][3], quint8(1));
        QCOMPARE(slotText(3), QStringLiteral("Ctrl+ A"));
        QCOMPARE(info(), QStringLiteral("Ctrl+ A"));
        // only the record format in use changes
        QCOMPARE(ext(0, 3)[8], quint8(0));
        QCOMPARE(ext(0, 3)[5], quint8(0));
        // a second key gets an entry of its own, without the modifier
        click(QStringLiteral("pushButton_C"));
        QCOMPARE(recordBytes(std(0, 3) + 9, 5), QByteArray::fromHex("0201040006"));

        // the information box reads the record back when the slot is selected again
        clickSlot(4);
        clickSlot(3);
        QCOMPARE(info(), QStringLiteral("Ctrl+ A C"));
    }

    void combinationsSymbolsAndMediaByPage()
    {
        clickSlot(2);
        showPage(Modifiers);
        click(QStringLiteral("CtrlAlta")); // "Ctrl+Alt+"
        click(QStringLiteral("CtrlAlta")); // again: the same mask
        click(QStringLiteral("spe_a"));    // "~"
        QCOMPARE(std(0, 2)[9], quint8(1));
        QCOMPARE(std(0, 2)[10], quint8(0x07));
        QCOMPARE(std(0, 2)[11], quint8(0x35));
        QCOMPARE(slotText(2), QStringLiteral("Ctrl+Alt+ Ctrl+Alt+ ~"));

        clickSlot(6);
        showPage(Media);
        click(QStringLiteral("start_pause"));
        click(QStringLiteral("volminus_2")); // "My Computer", two entries further on
        const quint8 *r = std(0, 6);
        QCOMPARE(r[3], quint8(2));
        QCOMPARE(r[9], quint8(4));
        QCOMPARE(r[10], quint8(0xCD));
        QCOMPARE(r[11], quint8(0x00));
        QCOMPARE(r[14], quint8(0x94));
        QCOMPARE(r[15], quint8(0x01));
        QCOMPARE(slotText(6), QStringLiteral("Play/Pause My Computer"));
    }

    void extendedKeypadWritesItsOwnFormat()
    {
        Store.Dev_Variant = 10;
        clickSlot(3);
        showPage(Modifiers);
        click(QStringLiteral("CtrlShifta")); // "Ctrl+Shift+"
        showPage(BaseKeys);
        click(QStringLiteral("pushButton_A"));
        const quint8 *r = ext(0, 3);
        QCOMPARE(r[5], quint8(3));
        QCOMPARE(r[8], quint8(0xF1));
        QCOMPARE(r[11], quint8(0xF2));
        QCOMPARE(r[14], quint8(0x04));
        QCOMPARE(slotText(3), QStringLiteral("Ctrl+Shift+ A"));
        QCOMPARE(std(0, 3)[9], quint8(0));
        QCOMPARE(std(0, 3)[10], quint8(0));

        // read back without separators, and "command" as "Win+"
        clickSlot(3);
        QCOMPARE(info(), QStringLiteral("Ctrl+Shift+A"));
        showPage(Modifiers);
        click(QStringLiteral("CtrlAlta_4")); // "command"
        QCOMPARE(r[17], quint8(0xF4));
        click(QStringLiteral("Layer1"));
        QCOMPARE(slotText(3), QStringLiteral("Ctrl+Shift+AWin+"));
    }

    void selectingASlotNamesAndStampsIt()
    {
        click(QStringLiteral("Layer2"));
        clickSlot(16);
        QCOMPARE(selectedName(), QStringLiteral("k1_left"));
        QCOMPARE(Store.Select_PHY_Key, quint8(16));
        QCOMPARE(std(1, 16)[0], quint8(0xFD));
        QCOMPARE(std(1, 16)[1], quint8(16));
        QCOMPARE(std(1, 16)[2], quint8(2));
        QCOMPARE(Store.Modify_Key_Flag[1][16], quint8(0));
        QCOMPARE(ext(1, 16)[1], quint8(0)); // the other format is not stamped

        QVERIFY(QMetaObject::invokeMethod(w, "on_change_clicked")); // to Chinese
        QCOMPARE(w->Language, catalogue::Chinese);
        clickSlot(16);
        QCOMPARE(selectedName(), QString::fromUtf8("K1_左"));
        clickSlot(24);
        QCOMPARE(selectedName(), QString::fromUtf8("K3_右"));
    }

    void switchingLayerDropsSelectionAndRelabels()
    {
        quint8 *l1 = Store.PHY_KEY_Value[1][2];
        l1[3] = 1;
        l1[9] = 1;
        l1[10] = 0x01;
        l1[11] = 0x04;
        quint8 *m = Store.PHY_KEY_Value[1][17];
        m[3] = 2;
        m[9] = 2;
        m[10] = 0xE9;
        clickSlot(4);
        click(QStringLiteral("pushButton_A"));
        QCOMPARE(slotText(4), QStringLiteral("A"));
        QVERIFY(framed(4));

        click(QStringLiteral("Layer2"));
        QCOMPARE(Store.Select_PHY_Key_Layer, quint8(1));
        QCOMPARE(Store.Select_PHY_Key, quint8(0));
        QVERIFY(!framed(4)); // the frame goes with the selection
        QCOMPARE(selectedName(), QStringLiteral("NULL"));
        QCOMPARE(info(), QString());
        QCOMPARE(slotText(2), QStringLiteral("Ctrl+A"));
        QCOMPARE(slotText(17), QStringLiteral("Volume+"));
        QCOMPARE(slotText(4), QStringLiteral("NULL"));
        QCOMPARE(child(QStringLiteral("Layer2"))->styleSheet(),
                 QStringLiteral("QPushButton{background-color: #FFFFFF;color:#383838;}"));
        QCOMPARE(child(QStringLiteral("Layer1"))->styleSheet(),
                 QStringLiteral("QPushButton{background-color: #383838;color:#FFFFFF;}"));

        // nothing is assigned without a selected slot
        click(QStringLiteral("pushButton_B"));
        QCOMPARE(Store.PHY_KEY_Value[1][0][11], quint8(0));
        QCOMPARE(l1[9], quint8(1));

        // in Chinese the media slot reads its Chinese name
        QVERIFY(QMetaObject::invokeMethod(w, "on_change_clicked"));
        click(QStringLiteral("Layer2"));
        QCOMPARE(slotText(17), QString::fromUtf8("音量+"));
    }

    void anotherFunctionTypeClearsTheSlotFirst()
    {
        clickSlot(5);
        click(QStringLiteral("pushButton_Shift"));
        click(QStringLiteral("pushButton_A"));
        click(QStringLiteral("pushButton_B"));
        showPage(Mouse);
        QCOMPARE(Store.Select_PHY_Key_Mode, quint8(3));
        QCOMPARE(Store.Select_PHY_Key, quint8(5)); // changing page keeps the slot
        click(QStringLiteral("mouse_left"));
        const quint8 *r = std(0, 5);
        QCOMPARE(r[3], quint8(3));
        QCOMPARE(r[9], quint8(1));
        QCOMPARE(r[10], quint8(0));
        QCOMPARE(r[11], quint8(1));
        for (int i = 12; i < kRecordSize; ++i)
            QCOMPARE(r[i], quint8(0));
        QCOMPARE(slotText(5), QStringLiteral("Mouse LeftKey"));

        // same type: the wheel joins the button
        click(QStringLiteral("pushButton_2")); // "Mouse Wheel-"
        QCOMPARE(r[11], quint8(1));
        QCOMPARE(r[14], quint8(0xFF));
        QCOMPARE(slotText(5), QStringLiteral("Mouse LeftKey Mouse Wheel-"));
    }

    void delayPageSwallowsReleases()
    {
        clickSlot(7);
        showPage(Delay);
        QPushButton *row = child(QStringLiteral("pushButton_delay_1"));
        row->setText(QStringLiteral("A")); // a caption the catalogue knows
        QSignalSpy clicked(row, &QPushButton::clicked);
        QTest::mouseClick(row, Qt::LeftButton);
        QCOMPARE(clicked.count(), 0);
        QCOMPARE(std(0, 7)[9], quint8(0));
        QCOMPARE(std(0, 7)[11], quint8(0));
        QCOMPARE(Store.Modify_Key_Flag[0][7], quint8(0));
        QCOMPARE(slotText(7), QStringLiteral("NULL"));
        row->setText(QString());

        // on the other pages the button still gets its release
        showPage(BaseKeys);
        QSignalSpy keyClicked(child(QStringLiteral("pushButton_A")), &QPushButton::clicked);
        click(QStringLiteral("pushButton_A"));
        QCOMPARE(keyClicked.count(), 1);
        QCOMPARE(std(0, 7)[11], quint8(0x04));
    }

    void standardLedPageEditsTheLayerNotAKey()
    {
        clickSlot(3);
        showPage(Led);
        QCOMPARE(Store.Select_PHY_Key, quint8(0));
        QVERIFY(!framed(3));
        const QString before = selectedName();
        clickSlot(4);
        QCOMPARE(Store.Select_PHY_Key, quint8(0));
        QCOMPARE(std(0, 4)[1], quint8(0)); // not stamped
        QCOMPARE(selectedName(), before);

        // the LED mode still lands in the layer's LED record
        click(QStringLiteral("LED_Mode_2"));
        QCOMPARE(std(0, 0)[0], quint8(0xFE));
        QCOMPARE(std(0, 0)[11], quint8(0x52));
        QCOMPARE(std(0, 3)[9], quint8(0));
    }

    void refusedWhenTheRecordIsFull()
    {
        // twenty keys fill every entry of a standard record, and all twenty are named
        clickSlot(8);
        QString twenty;
        for (QChar c = 'A'; c <= 'T'; c = QChar(c.unicode() + 1)) {
            click(QStringLiteral("pushButton_") + c);
            twenty += c;
        }
        click(QStringLiteral("Layer1")); // relabels the picture from the records
        QCOMPARE(slotText(8), twenty);
        clickSlot(8);
        QCOMPARE(info().remove(QLatin1Char(' ')), twenty);
        Store.Modify_Key_Flag[0][8] = 0;
        QByteArray before(reinterpret_cast<const char *>(std(0, 8)), kRecordSize);
        {
            LogCapture log;
            QLoggingCategory::setFilterRules(QStringLiteral("zorveldeck.editing.debug=true"));
            click(QStringLiteral("pushButton_B"));
            // (unless the editing log is switched off through QT_LOGGING_RULES)
            if (lcEditing().isDebugEnabled())
                QVERIFY(log.contains(QStringLiteral("Assignment refused")));
        }
        click(QStringLiteral("pushButton_Ctrl"));
        showPage(Modifiers);
        click(QStringLiteral("spe_b")); // "!"
        QCOMPARE(recordBytes(std(0, 8)), before);
        QCOMPARE(Store.Modify_Key_Flag[0][8], quint8(0));
        QCOMPARE(slotText(8), twenty);

        Store.Dev_Variant = 10;
        clickSlot(9);
        Store.PHY2_KEY_Value[0][9][5] = 15;
        before = recordBytes(ext(0, 9));
        click(QStringLiteral("CtrlAltShiftWin")); // four entries, one too many
        QCOMPARE(recordBytes(ext(0, 9)), before);
        QCOMPARE(slotText(9), QStringLiteral("NULL"));
        click(QStringLiteral("CtrlShiftAlta")); // three entries fit exactly
        QCOMPARE(ext(0, 9)[5], quint8(18));
        QCOMPARE(ext(0, 9)[59], quint8(0xF3));
        QCOMPARE(slotText(9), QStringLiteral("Ctrl+Shift+Alt+"));
    }

    void clearingOneSlotReachesTheKeypad()
    {
        QVERIFY(f->connectKeypad(15, 3, 0));
        clickSlot(3);
        click(QStringLiteral("pushButton_Ctrl"));
        click(QStringLiteral("pushButton_A"));
        save();
        QTRY_COMPARE(sim::storedRecord(0, 3, false),
                     bytesOf({0xFD, 3, 1, 1, 0, 0, 0, 0, 0, 1, 0x01, 0x04}, 64));

        click(QStringLiteral("cancel"));
        QCOMPARE(recordBytes(std(0, 3), 64), bytesOf({0xFD, 3, 1, 1}, 64)); // the type stays
        QCOMPARE(slotText(3), QStringLiteral("NULL"));
        QCOMPARE(info(), QString());
        QCOMPARE(Store.Select_PHY_Key, quint8(3));
        // the delay rows show the cleared state
        QCOMPARE(w->Delay_SpinBoxes[1]->value(), 0);
        QCOMPARE(w->Delay_SpinBoxes[18]->value(), 50);
        // and the next save empties the keypad's slot
        save();
        QTRY_COMPARE(sim::storedRecord(0, 3, false), bytesOf({0xFD, 3, 1, 1}, 64));
    }

    void clearingWithoutSlotKeepsTheLedRecord()
    {
        showPage(Led);
        click(QStringLiteral("LED_Mode_3"));
        const QByteArray led(reinterpret_cast<const char *>(std(0, 0)), kRecordSize);
        const QByteArray led2(reinterpret_cast<const char *>(ext(0, 0)), kRecordSize);
        QCOMPARE(quint8(led[11]), quint8(0x53));
        showPage(BaseKeys);
        clickSlot(6);
        click(QStringLiteral("pushButton_A"));
        click(QStringLiteral("Layer1")); // drops the selection
        QCOMPARE(Store.Select_PHY_Key, quint8(0));
        child<QTextEdit>(QStringLiteral("lineEdit"))->setPlainText(QStringLiteral("something"));

        click(QStringLiteral("cancel"));
        QCOMPARE(recordBytes(std(0, 0)), led);
        QCOMPARE(recordBytes(ext(0, 0)), led2);
        QCOMPARE(slotText(6), QStringLiteral("A"));
        QCOMPARE(std(0, 6)[11], quint8(0x04));
        QCOMPARE(info(), QString());
    }

    // Clear All on layer 2, Save, View: the keypad's layer 2 reads back empty, the 18th stroke of
    // its records included; the other layers and the layer's LED record stay.
    void clearAllOnLayer2ReachesTheKeypad()
    {
        auto ctrlC = [](int layer, int slot) {
            return bytesOf({0xFD, slot, layer + 1, 1, 0, 2, 0, 0, 0xF1, 0, 0, 0x06}, 64);
        };
        for (int layer = 0; layer < 3; ++layer)
            for (int slot : {2, 20})
                sim::setStoredRecord(layer, slot, true, ctrlC(layer, slot));
        QByteArray strokes = bytesOf({0xFD, 5, 2, 1, 0, 18}, 64); // A .. R, 18 strokes
        for (int i = 0; i < 18; ++i)
            strokes[8 + 3 * i] = char(0x04 + i);
        sim::setStoredRecord(1, 5, true, strokes);
        QVERIFY(f->connectKeypad(15, 3, 10)); // reads the keypad's configuration
        Store.PHY_KEY_Value[1][0][11] = 0x52; // a standard LED byte of layer 2
        const QByteArray led = recordBytes(std(1, 0));

        click(QStringLiteral("Layer2"));
        QCOMPARE(slotText(5), QStringLiteral("ABCDEFGHIJKLMNOPQR"));
        clickSlot(2);
        click(QStringLiteral("cancel_2"));
        for (int slot = 0; slot < kSlots; ++slot) // what changed is flagged, and only that
            QCOMPARE(Store.Modify_Key_Flag[1][slot], quint8(slot == 2 || slot == 5 || slot == 20));
        for (int n = 1; n <= 27; ++n)
            QCOMPARE(slotText(n), QStringLiteral("NULL"));
        QCOMPARE(info(), QString());
        QCOMPARE(Store.Select_PHY_Key, quint8(2));
        QCOMPARE(w->Delay_SpinBoxes[1]->value(), 50);
        QCOMPARE(recordBytes(std(1, 0)), led);
        clickSlot(5);
        QCOMPARE(info(), QString());

        save();
        for (int slot : {2, 5, 20})
            QTRY_COMPARE(sim::storedRecord(1, slot, true), bytesOf({0xFD, slot, 2, 1}, 64));
        for (int layer : {0, 2})
            QCOMPARE(sim::storedRecord(layer, 2, true), ctrlC(layer, 2));
        click(QStringLiteral("Read_Configuration"));
        QTRY_COMPARE(recordBytes(ext(1, 5), 64), bytesOf({0xFD, 5, 2, 1}, 64));
        QCOMPARE(slotText(5), QStringLiteral("NULL"));
        QCOMPARE(slotText(20), QStringLiteral("NULL"));

        // clearing what is already empty flags nothing
        QTRY_COMPARE(Store.Modify_Key_Flag[1][5], quint8(0));
        click(QStringLiteral("cancel_2"));
        QCOMPARE(recordBytes(&Store.Modify_Key_Flag[0][0], sizeof Store.Modify_Key_Flag),
                 QByteArray(sizeof Store.Modify_Key_Flag, '\0'));

        // the selection stays: the next key goes into the emptied record
        click(QStringLiteral("pushButton_E"));
        QCOMPARE(ext(1, 5)[5], quint8(1));
        QCOMPARE(ext(1, 5)[8], quint8(0x08));
        QCOMPARE(slotText(5), QStringLiteral("E"));
    }
};

QTEST_MAIN(TestWindowAssign)
#include "tst_window_assign.moc"
