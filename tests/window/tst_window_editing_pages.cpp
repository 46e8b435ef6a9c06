// The delay, LED and Procreate pages on the real main window, with and without the
// virtual keypad: what each control writes into the store and what goes to the keypad.
#include <QGridLayout>
#include <QPointer>
#include <QPushButton>
#include <QSlider>
#include <QSpinBox>
#include <QTabWidget>
#include <QtTest>

#include <cstring>

#include "device/store.h"
#include "sim/virtual_keypad.h"
#include "support/keypad_fixture.h"

using namespace zd_test;

namespace
{
const QString kSelected = QStringLiteral("color: #000000; background-color: white;");
const QString kUnselected = QStringLiteral("color: #FFFFFF; background-color: rgb(60, 60, 60);");
constexpr int kLedPage = 3, kPresetPage = 6;

QByteArray pattern(int seed)
{
    QByteArray colours(48, '\0');
    for (int i = 0; i < 48; ++i)
        colours[i] = char(seed + i);
    return colours;
}

QByteArray storedColours(int layer)
{
    return recordBytes(&Store.LED_Color_Table[layer][0][0], 48);
}
} // namespace

class TestWindowEditingPages : public QObject
{
    Q_OBJECT

    KeypadFixture *f = nullptr;
    Widget *w = nullptr;

    QSpinBox *row(int n) { return f->child<QSpinBox>(QStringLiteral("delay_spinBox_%1").arg(n)); }
    QPushButton *rowLabel(int n)
    {
        return f->child<QPushButton>(QStringLiteral("pushButton_delay_%1").arg(n));
    }
    QPushButton *colour(int n) { return f->child<QPushButton>(QStringLiteral("LED_color_%1").arg(n)); }
    QString style(const QString &name) { return f->child<QWidget>(name)->styleSheet(); }
    QString keyStyle(int n) { return style(QStringLiteral("pushButton_K%1").arg(n)); }
    void setRows(int first, int others)
    {
        for (int n = 2; n <= 18; ++n)
            row(n)->setValue(others);
        row(1)->setValue(first);
    }
    void led(const char *caption)
    {
        w->SetRgb_Led_Key(w->Key_Index_Map.value(QString::fromUtf8(caption), -1));
    }
    QPushButton *preset(const QString &caption)
    {
        auto *tabs = f->child<QTabWidget>(QStringLiteral("tabWidget"));
        if (tabs->count() <= kPresetPage)
            return nullptr;
        for (QPushButton *b : tabs->widget(kPresetPage)->findChildren<QPushButton *>())
            if (b->text() == caption)
                return b;
        return nullptr;
    }

  private slots:
    void initTestCase() { QLoggingCategory::setFilterRules(QStringLiteral("zorveldeck.*.debug=false")); }
    void init()
    {
        f = new KeypadFixture;
        w = f->window();
    }
    void cleanup()
    {
        delete f;
        f = nullptr;
    }

    // ---- delays ----

    void standardSpinBoxAndSliderStoreTheSlotDelay()
    {
        f->clickTab(5);
        auto *spin = f->child<QSpinBox>(QStringLiteral("spinBox"));
        auto *slider = f->child<QSlider>(QStringLiteral("horizontalSlider"));
        f->click(QStringLiteral("pushButton_K3"));
        spin->setValue(300);
        const quint8 *r = Store.PHY_KEY_Value[0][3];
        QCOMPARE(recordBytes(r + 3, 3), QByteArray::fromHex("052C01"));
        QCOMPARE(Store.Modify_Key_Flag[0][3], quint8(1));
        QCOMPARE(f->info(), QStringLiteral(" 300 MS"));
        QCOMPARE(slider->value(), 300);

        // the slider stores through the spin box; the extended record is not touched
        slider->setValue(1000);
        QCOMPARE(spin->value(), 1000);
        QCOMPARE(recordBytes(r + 4, 2), QByteArray::fromHex("E803"));
        QCOMPARE(f->info(), QStringLiteral(" 1000 MS"));
        QCOMPARE(recordBytes(Store.PHY2_KEY_Value[0][3] + 4, 2), QByteArray(2, '\0'));

        // another slot shows its own delay, and showing it stores nothing
        f->click(QStringLiteral("pushButton_K4"));
        QCOMPARE(spin->value(), 0);
        QCOMPARE(slider->value(), 0);
        QCOMPARE(Store.PHY_KEY_Value[0][4][3], quint8(1));
        QCOMPARE(Store.Modify_Key_Flag[0][4], quint8(0));
        f->click(QStringLiteral("pushButton_K3"));
        QCOMPARE(spin->value(), 1000);
    }

    void standardDelayWithoutSlotKeepsTheLedRecord()
    {
        Store.Select_PHY_Key_Mode = 5;
        led("Blue");
        const QByteArray before = recordBytes(&Store.PHY_KEY_Value[0][0][0], sizeof Store.PHY_KEY_Value);
        const QByteArray flagsBefore =
            recordBytes(&Store.Modify_Key_Flag[0][0], sizeof Store.Modify_Key_Flag);
        QCOMPARE(Store.Select_PHY_Key, quint8(0));

        f->child<QSpinBox>(QStringLiteral("spinBox"))->setValue(4000);
        f->child<QSlider>(QStringLiteral("horizontalSlider"))->setValue(2500);
        QCOMPARE(recordBytes(&Store.PHY_KEY_Value[0][0][0], sizeof Store.PHY_KEY_Value), before);
        QCOMPARE(recordBytes(&Store.Modify_Key_Flag[0][0], sizeof Store.Modify_Key_Flag), flagsBefore);
        QCOMPARE(Store.PHY_KEY_Value[0][0][0], quint8(0xFE));
        QCOMPARE(Store.PHY_KEY_Value[0][0][11], quint8(0x60));
    }

    // The delay page shows the selected slot's delays, and the next save sends what it shows:
    // each row's delay big-endian in its unit, the strokes' codes and the type unchanged.
    void delayPageShowsWhatTheNextSaveSends()
    {
        QVERIFY(f->connectKeypad(15, 3, 10));
        quint8 *r = Store.PHY2_KEY_Value[0][6];
        const QByteArray stored = QByteArray::fromHex("fd060101000200" // header, counter 2
                                                      "1404"           // row 1: 20, A
                                                      "000005"         // row 2: 0 (shown as 50), B
                                                      "012c00"         // row 3: 300
                                                      "0033");         // row 4: 51
        std::memcpy(r, stored.constData(), size_t(stored.size()));
        f->clickTab(5);
        for (int n = 1; n <= 18; ++n) {
            QCOMPARE(row(n)->minimum(), n == 1 ? 0 : 50);
            QCOMPARE(row(n)->maximum(), 60000);
            QCOMPARE(row(n)->suffix(), QStringLiteral("   ms"));
        }
        f->click(QStringLiteral("pushButton_K3"));
        row(1)->setValue(700); // the rows show slot 3

        f->clickTab(0);
        f->click(QStringLiteral("pushButton_K6"));
        f->clickTab(5);
        QByteArray sent = stored.left(8) + QByteArray(56, '\0');
        for (int n = 1; n <= 18; ++n) {
            const int ms = n <= 4 ? QList<int>{20, 50, 300, 51}[n - 1] : 50;
            QCOMPARE(row(n)->value(), ms);
            sent[3 + 3 * n] = char(ms >> 8);
            sent[4 + 3 * n] = char(ms);
        }
        sent[8] = 0x04, sent[11] = 0x05;
        f->click(QStringLiteral("download"));
        QTRY_COMPARE(sim::storedRecord(0, 6, true), sent);

        // selecting a slot on the page loads its rows
        f->click(QStringLiteral("pushButton_K3"));
        QCOMPARE(row(1)->value(), 700);
        QCOMPARE(row(3)->value(), 50);
    }

    void rowsWithoutSlotAreDisabledAndStoreNothing()
    {
        Store.Select_PHY_Key_Mode = 5;
        Store.Dev_Variant = 10;
        w->enterDelayPage();
        for (int n = 1; n <= 18; ++n)
            QVERIFY(!row(n)->isEnabled());
        setRows(700, 800);
        const QByteArray before = recordBytes(&Store.PHY2_KEY_Value[0][0][0], sizeof Store.PHY2_KEY_Value);
        setRows(0, 50); // what clearing does to the rows, and a user edit
        row(5)->setValue(900);
        QCOMPARE(recordBytes(&Store.PHY2_KEY_Value[0][0][0], sizeof Store.PHY2_KEY_Value), before);
        QCOMPARE(recordBytes(&Store.Modify_Key_Flag[0][0], sizeof Store.Modify_Key_Flag),
                 QByteArray(sizeof Store.Modify_Key_Flag, '\0'));

        Store.selectSlot(2);
        w->refreshDelayPage();
        for (int n = 1; n <= 18; ++n)
            QVERIFY(row(n)->isEnabled() && !row(n)->isReadOnly());
    }

    void rowLabelsNameTheStrokes()
    {
        Store.Select_PHY_Key_Mode = 5;
        Store.Dev_Variant = 10;
        quint8 *r = Store.PHY2_KEY_Value[0][2];
        r[3] = 1;
        r[5] = 2;
        r[8] = 0xF1;  // Ctrl
        r[11] = 0x04; // A
        Store.selectSlot(2);
        w->enterDelayPage();
        const QString green = QStringLiteral("color: rgb(0, 255, 0);"),
                      red = QStringLiteral("color: rgb(255, 0, 0);");
        QCOMPARE(rowLabel(1)->text(), QStringLiteral("Ctrl+"));
        QCOMPARE(rowLabel(2)->text(), QStringLiteral("A"));
        QCOMPARE(rowLabel(1)->styleSheet(), green);
        QCOMPARE(rowLabel(2)->styleSheet(), green);
        for (int n = 3; n <= 18; ++n) {
            QCOMPARE(rowLabel(n)->text(), QStringLiteral("NULL"));
            QCOMPARE(rowLabel(n)->styleSheet(), red);
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
        w->Language = catalogue::Chinese;
        w->refreshDelayPage();
        QCOMPARE(rowLabel(2)->text(), w->Key_Name_CN[172]);
    }

    // ---- LED ----

    void standardLedSequence()
    {
        Store.Select_PHY_Key_Mode = 8;
        led("LED Mode2");
        const quint8 *r = Store.PHY_KEY_Value[0][0];
        QCOMPARE(r[11], quint8(0x52));
        QCOMPARE(f->info(), QStringLiteral("LED Mode2   Cyan"));
        led("Red");
        QCOMPARE(r[11], quint8(0x12));
        led("LED Mode0");
        QCOMPARE(recordBytes(r, 12), QByteArray::fromHex("FEB00108000000000001"
                                                         "0010"));
        QCOMPARE(f->info(), QStringLiteral("LED Mode0   Red"));
        QCOMPARE(Store.Modify_Key_Flag[0][0], quint8(1));
        QCOMPARE(Store.PHY2_KEY_Value[0][0][11], quint8(0)); // the extended records stay

        // the source language, on layer 3
        w->Language = catalogue::Chinese;
        Store.Select_PHY_Key_Layer = 2;
        led("LED模式0");
        led("红色");
        QCOMPARE(Store.PHY_KEY_Value[2][0][2], quint8(3));
        QCOMPARE(Store.PHY_KEY_Value[2][0][11], quint8(0x10));
        QCOMPARE(f->info(), QStringLiteral("LED模式0   红色"));
        QCOMPARE(Store.Modify_Key_Flag[2][0], quint8(1));
        QCOMPARE(Store.Modify_Key_Flag[1][0], quint8(0));
    }

    void paletteColoursTheSelectedKeyAndOnlyWarnsOnAKnob()
    {
        Store.Dev_Variant = 10;
        w->setupPagesForFormat(true);
        f->clickTab(kLedPage);
        Store.Select_PHY_Key_Layer = 1;
        Store.selectSlot(5);
        f->click(colour(4)); // rgb(0, 255, 0)
        QCOMPARE(recordBytes(Store.LED_Color_Table[1][4], 3), QByteArray::fromHex("00FF00"));
        QCOMPARE(Store.LED_Modify_Flag, quint8(1));
        QVERIFY(keyStyle(5).startsWith(
            QStringLiteral("QPushButton {   background-color: #00ff00;   color: white;")));
        QVERIFY(keyStyle(5).contains(QStringLiteral("QPushButton:hover {   background-color: %1;}")
                                         .arg(QColor(0, 255, 0).darker(110).name())));
        // the other layers keep their colours
        QCOMPARE(recordBytes(Store.LED_Color_Table[0][4], 3), QByteArray::fromHex("00FFFF"));
        // a palette colour from the lower rows
        Store.selectSlot(16);
        f->click(colour(36)); // rgb(255, 69, 0)
        QCOMPARE(recordBytes(Store.LED_Color_Table[1][15], 3), QByteArray::fromHex("FF4500"));

        // a knob slot, or none, only warns
        Store.LED_Modify_Flag = 0;
        const QString before = keyStyle(17);
        const QByteArray table = recordBytes(&Store.LED_Color_Table[0][0][0], sizeof Store.LED_Color_Table);
        Store.selectSlot(17);
        QTest::ignoreMessage(QtWarningMsg, "Invalid Select_PHY_Key: 17");
        f->click(colour(4));
        Store.Select_PHY_Key = 0;
        QTest::ignoreMessage(QtWarningMsg, "Invalid Select_PHY_Key: 0");
        f->click(colour(1));
        QCOMPARE(recordBytes(&Store.LED_Color_Table[0][0][0], sizeof Store.LED_Color_Table), table);
        QCOMPARE(Store.LED_Modify_Flag, quint8(0));
        QCOMPARE(keyStyle(17), before);
    }

    void modeClickSelectsTheLayerMode()
    {
        f->clickTab(kLedPage);
        Store.Select_PHY_Key_Layer = 2;
        f->click(QStringLiteral("LED_Mode_3"));
        QCOMPARE(Store.LED_Layer_Mode[2], quint8(3));
        QCOMPARE(Store.LED_Layer_Mode[0], quint8(0));
        QCOMPARE(Store.LED_Modify_Flag, quint8(1));
        for (int i = 0; i < 6; ++i)
            QCOMPARE(style(QStringLiteral("LED_Mode_%1").arg(i)), i == 3 ? kSelected : kUnselected);
    }

    // The pages follow the record format of the keypad, also from an extended keypad to a
    // standard one.
    void pagesForTheFormat()
    {
        auto shown = [this](const char *pattern, int n = 0) {
            return !f->child<QWidget>(QString::fromLatin1(pattern).arg(n))->isHidden();
        };
        const char *const slotDelay[] = {"label", "horizontalSlider", "spinBox", "label_2"};
        QVERIFY(f->connectKeypad(15, 3, 10));
        for (int n = 1; n <= 56; ++n) {
            QVERIFY(shown("LED_color_%1", n));
            if (n <= 7)
                QCOMPARE(colour(n)->text(), QString());
        }
        for (int n = 1; n <= 18; ++n)
            QVERIFY(shown("delay_spinBox_%1", n) && shown("pushButton_delay_%1", n));
        for (const char *name : slotDelay)
            QVERIFY(!shown(name));

        f->unplugKeypad();
        QVERIFY(f->connectKeypad(15, 3, 0));
        const char *english[] = {"Red", "Orange", "Yellow", "Green", "Cyan", "Blue", "Purple"};
        for (int n = 1; n <= 56; ++n) {
            QCOMPARE(shown("LED_color_%1", n), n <= 7);
            if (n <= 7)
                QCOMPARE(colour(n)->text(), QString::fromLatin1(english[n - 1]));
        }
        for (int n = 1; n <= 18; ++n)
            QVERIFY(!shown("delay_spinBox_%1", n) && !shown("pushButton_delay_%1", n));
        for (const char *name : slotDelay)
            QVERIFY(shown(name));

        w->Language = catalogue::Chinese;
        w->setupPagesForFormat(false);
        QCOMPARE(colour(1)->text(), QStringLiteral("红色"));
        QCOMPARE(colour(7)->text(), QStringLiteral("紫色"));
    }

    void enteringTheLedPageAsksTheKeypad()
    {
        sim::setLedState(0, 3, pattern(10));
        sim::setLedState(1, 5, pattern(100));
        QVERIFY(f->connectKeypad(15, 3, 10));

        f->clickTab(kLedPage);
        QCOMPARE(receivedBytes(), QVector<QByteArray>{padded("03FAB000")});
        // a bounded wait, not a read that could block for ever
        QVERIFY(!sim::reads().isEmpty());
        QVERIFY(sim::reads().last().timeoutMs > 0 && sim::reads().last().timeoutMs <= 1000);
        QCOMPARE(Store.LED_Layer_Mode[0], quint8(3));
        QCOMPARE(storedColours(0), pattern(10));
        QCOMPARE(style(QStringLiteral("LED_Mode_3")), kSelected);
        QCOMPARE(keyStyle(1), QStringLiteral("background-color: rgb(10, 11, 12);"));
        QCOMPARE(keyStyle(15), QStringLiteral("background-color: rgb(52, 53, 54);"));

        // another layer while the page is in front: that layer is asked for
        sim::clearLogs();
        f->click(QStringLiteral("Layer2"));
        QCOMPARE(receivedBytes(), QVector<QByteArray>{padded("03FAB001")});
        QCOMPARE(Store.LED_Layer_Mode[1], quint8(5));
        QCOMPARE(storedColours(1), pattern(100));
        QCOMPARE(style(QStringLiteral("LED_Mode_5")), kSelected);
        QCOMPARE(keyStyle(1), QStringLiteral("background-color: rgb(100, 101, 102);"));
    }

    void disconnectedLedPageShowsTheStoredState()
    {
        QVERIFY(f->connectKeypad(15, 3, 10));
        f->unplugKeypad();
        sim::clearLogs();
        Store.LED_Layer_Mode[0] = 4;
        Store.LED_Color_Table[0][0][0] = 7;
        f->clickTab(kLedPage);
        QVERIFY(sim::reports().isEmpty());
        QVERIFY(sim::reads().isEmpty());
        QCOMPARE(style(QStringLiteral("LED_Mode_4")), kSelected);
        QCOMPARE(keyStyle(1), QStringLiteral("background-color: rgb(7, 0, 0);"));
        QCOMPARE(keyStyle(2), QStringLiteral("background-color: rgb(255, 128, 48);"));
        // the picture shows 15 keys: key 16's colour is not painted on slot 16
        QVERIFY(!keyStyle(16).contains(QStringLiteral("rgb(255, 200, 100)")));
    }

    void failedLedAnswerKeepsTheStoredState()
    {
        sim::setLedState(0, 1, pattern(20));
        QVERIFY(f->connectKeypad(15, 3, 10));
        Store.LED_Layer_Mode[0] = 4;
        const QByteArray before = storedColours(0);

        sim::failReads(0, 1);
        LogCapture log;
        f->clickTab(kLedPage);
        QCOMPARE(sim::received().size(), 1); // the query went out, its answer was lost
        QCOMPARE(Store.LED_Layer_Mode[0], quint8(4));
        QCOMPARE(storedColours(0), before);
        QVERIFY(log.contains(QStringLiteral("err_string = ")));
        QCOMPARE(style(QStringLiteral("LED_Mode_4")), kSelected);

        // a failure closes the keypad; it is opened again at the next steps
        f->clickTab(0);
        f->poll(2);
        // a query that cannot be written asks nothing and keeps the state too
        sim::failWrites(0, 1);
        f->clickTab(kLedPage);
        QCOMPARE(Store.LED_Layer_Mode[0], quint8(4));
        QCOMPARE(storedColours(0), before);

        // once the keypad answers again, its state is shown
        f->clickTab(0);
        f->poll(2);
        f->clickTab(kLedPage);
        QCOMPARE(Store.LED_Layer_Mode[0], quint8(1));
        QCOMPARE(storedColours(0), pattern(20));
    }

    void standardLedGoesToTheKeypadWithoutSlot()
    {
        QVERIFY(f->connectKeypad(15, 3, 0));
        f->clickTab(kLedPage);
        f->click(QStringLiteral("Layer2"));
        QCOMPARE(Store.Select_PHY_Key, quint8(0));
        f->click(QStringLiteral("LED_Mode_2"));
        QCOMPARE(Store.PHY_KEY_Value[1][0][11], quint8(0x52));
        f->click(QStringLiteral("LED_color_1")); // "Red"
        QCOMPARE(Store.PHY_KEY_Value[1][0][11], quint8(0x12));
        f->click(QStringLiteral("download"));

        QCOMPARE(receivedBytes(),
                 (QVector<QByteArray>{padded("03FEB002080000000000010012"), padded("03FDFEFF")}));
        QCOMPARE(sim::storedRecord(1, 0, false).left(12), QByteArray::fromHex("FEB00208000000000001"
                                                                              "0012"));
    }

    // ---- Procreate presets ----

    void presetPageIsBuiltOnce()
    {
        QCOMPARE(f->tabCount(QStringLiteral("Procreate")), 0);
        w->buildPresetPage();
        w->buildPresetPage();
        auto *tabs = f->child<QTabWidget>(QStringLiteral("tabWidget"));
        QCOMPARE(f->tabCount(QStringLiteral("Procreate")), 1);
        QCOMPARE(tabs->tabText(kPresetPage), QStringLiteral("Procreate"));
        QCOMPARE(tabs->count(), 7);

        QWidget *page = tabs->widget(kPresetPage);
        QCOMPARE(page->findChildren<QPushButton *>().size(), 31);
        auto *grid = qobject_cast<QGridLayout *>(page->layout());
        QVERIFY(grid);
        QCOMPARE(grid->columnCount(), 8);
        QCOMPARE(grid->rowCount(), 4);
        for (int c = 0; c < 8; ++c)
            QCOMPARE(grid->columnStretch(c), 1);
        for (int r = 0; r < 4; ++r)
            QCOMPARE(grid->rowStretch(r), 1);
        auto cell = [grid](int row, int column) {
            return qobject_cast<QPushButton *>(grid->itemAtPosition(row, column)->widget());
        };
        QCOMPARE(cell(0, 0)->text(), QStringLiteral("QuickMenu"));
        QCOMPARE(cell(0, 0)->property("data-value"), QVariant(0x2C));
        QCOMPARE(cell(1, 1)->text(), QStringLiteral("Color Pick (Alt)"));
        QCOMPARE(cell(1, 1)->property("data-value"), QVariant(0xF3));
        QCOMPARE(cell(3, 5)->text(), QStringLiteral("Undo"));
        QCOMPARE(cell(3, 5)->property("data-value"), QVariant(QVariantList{0xF4, 0x1D}));
        QCOMPARE(cell(3, 6)->text(), QStringLiteral("Redo"));
        QCOMPARE(cell(3, 6)->property("data-value"), QVariant(QVariantList{0xF2, 0xF4, 0x1D}));
        QCOMPARE(cell(3, 6)->sizePolicy().horizontalPolicy(), QSizePolicy::Expanding);
        QCOMPARE(cell(3, 6)->sizePolicy().verticalPolicy(), QSizePolicy::Expanding);
        QVERIFY(cell(3, 6)->styleSheet().contains(QStringLiteral("font-size:20px")));
        QVERIFY(grid->itemAtPosition(3, 7) == nullptr);
    }

    void undoRedoQuickMenuOnSlot2()
    {
        Store.Dev_Variant = 10;
        w->buildPresetPage();
        f->clickTab(kPresetPage);
        Store.selectSlot(2);
        quint8 *r = Store.PHY2_KEY_Value[0][2];
        r[9] = 0x01, r[10] = 0x2C; // a delay on the second stroke stays with it

        f->click(preset(QStringLiteral("Undo")));
        QCOMPARE(recordBytes(r + 3, 9), QByteArray::fromHex("0100020000F4012C1D"));
        QCOMPARE(Store.Modify_Key_Flag[0][2], quint8(1));
        QCOMPARE(f->slotText(2), QStringLiteral("Undo"));
        QCOMPARE(f->info(), QStringLiteral("Undo"));

        f->click(preset(QStringLiteral("Redo")));
        QCOMPARE(r[5], quint8(3));
        QCOMPARE(QByteArray() + char(r[8]) + char(r[11]) + char(r[14]), QByteArray::fromHex("F2F41D"));
        QCOMPARE(f->slotText(2), QStringLiteral("Redo"));

        f->click(preset(QStringLiteral("QuickMenu")));
        QCOMPARE(r[5], quint8(1));
        QCOMPARE(QByteArray() + char(r[8]) + char(r[11]) + char(r[14]), QByteArray::fromHex("2CF41D"));
        QCOMPARE(f->slotText(2), QStringLiteral("QuickMenu"));
        QCOMPARE(recordBytes(Store.PHY_KEY_Value[0][2] + 4, 61), QByteArray(61, '\0')); // standard untouched

        // the strokes clicked next hold exactly what was clicked, whatever Redo left there
        f->clickTab(0);
        f->click(QStringLiteral("pushButton_Ctrl"));
        f->click(QStringLiteral("pushButton_A"));
        QCOMPARE(r[5], quint8(3));
        QCOMPARE(QByteArray() + char(r[8]) + char(r[11]) + char(r[14]), QByteArray::fromHex("2CF104"));
    }

    void presetWithoutSlotOnlyWarns()
    {
        Store.Dev_Variant = 10;
        w->buildPresetPage();
        f->clickTab(kPresetPage);
        const QString caption = f->slotText(1);
        const QByteArray before = recordBytes(&Store.PHY2_KEY_Value[0][0][0], sizeof Store.PHY2_KEY_Value);
        QTest::ignoreMessage(QtWarningMsg, "Invalid Select_PHY_Key: 0");
        f->click(preset(QStringLiteral("Copy")));
        QCOMPARE(recordBytes(&Store.PHY2_KEY_Value[0][0][0], sizeof Store.PHY2_KEY_Value), before);
        QCOMPARE(Store.Modify_Key_Flag[0][0], quint8(0));
        QCOMPARE(f->slotText(1), caption);
    }

    void presetPageRemovedAndSourceCaptions()
    {
        Store.Dev_Variant = 10;
        w->buildPresetPage();
        QPointer<QWidget> page = f->child<QTabWidget>(QStringLiteral("tabWidget"))->widget(kPresetPage);
        QVERIFY(w->removePresetPage());
        QCOMPARE(f->tabCount(QStringLiteral("Procreate")), 0);
        QCOMPARE(f->child<QTabWidget>(QStringLiteral("tabWidget"))->count(), 6);
        QVERIFY(page.isNull());
        QVERIFY(!w->removePresetPage());

        w->Language = catalogue::Chinese;
        w->buildPresetPage();
        f->clickTab(kPresetPage);
        QVERIFY(preset(QStringLiteral("开/关 全屏模式")));
        Store.Select_PHY_Key_Layer = 2;
        Store.selectSlot(9);
        f->click(preset(QStringLiteral("撤销")));
        QCOMPARE(f->slotText(9), QStringLiteral("撤销"));
        QCOMPARE(Store.PHY2_KEY_Value[2][9][8], quint8(0xF4));
        QCOMPARE(Store.Modify_Key_Flag[2][9], quint8(1));
    }
};

QTEST_MAIN(TestWindowEditingPages)
#include "tst_window_editing_pages.moc"
