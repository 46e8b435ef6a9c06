// The real main window polling the virtual keypad: search, access, first contact, the model
// dialog, the Procreate page; slots assigned by clicks, Save settings and View settings clicked
// and the reports the keypad received; and what the status line and the buttons tell the user
// while the link works, when a Save fails and when the keypad stops answering.
#include <QMessageBox>
#include <QTabWidget>
#include <QtTest>

#include "app/dialog1.h"
#include "device/store.h"
#include "sim/virtual_keypad.h"
#include "support/keypad_fixture.h"

using namespace zd_test;

namespace
{
const QString kConnectedStyle = QStringLiteral("color: rgb(255, 255, 255);");
const QString kDisconnectedStyle = QStringLiteral("color: rgb(220, 0, 0);");
const QByteArray kCommit = padded("03FDFEFF");
constexpr qint64 kPauseNs = 200LL * 1000 * 1000;

// A standard record of (layer, slot) with one key, flagged for the next Save.
void editStandard(int layer, int slot, quint8 code)
{
    std::copy_n(bytesOf({0xFD, slot, layer + 1, 1, 0, 0, 0, 0, 0, 1, 0, code}, 12).constData(), 12,
                Store.PHY_KEY_Value[layer][slot]);
    Store.markChanged(layer, slot);
}
} // namespace

class TestDeviceConnection : public QObject
{
    Q_OBJECT

    KeypadFixture *f = nullptr;

    bool buttonsEnabled() const
    {
        return f->child("download")->isEnabled() && f->child("Read_Configuration")->isEnabled();
    }
    // a click that does not wait for the exchange it starts
    void clickAndGo(const char *name) { QTest::mouseClick(f->child<QPushButton>(name), Qt::LeftButton); }

  private slots:
    void initTestCase() { QLoggingCategory::setFilterRules(QStringLiteral("zorveldeck.*.debug=false")); }
    void init() { f = new KeypadFixture; }
    void cleanup() { delete f; }

    void plugConnectUnplug_data()
    {
        QTest::addColumn<int>("variant");
        QTest::newRow("standard") << 0;
        QTest::newRow("extended") << 10;
    }
    void plugConnectUnplug()
    {
        QFETCH(int, variant);
        f->poll();
        QCOMPARE(f->statusText() + f->statusStyle(), "Device Disconnect USB" + kDisconnectedStyle);
        QCOMPARE(sim::enumerations(), (QVector<QPair<quint16, quint16>>{{0, 0}})); // one of every device
        sim::setModel(21, 4, quint8(variant));
        sim::plug();
        f->poll(); // found and opened
        QVERIFY(Store.dev_list && !Store.Dev_Connected && sim::received().isEmpty() &&
                !sim::liveEnumerations());
        f->poll(); // first contact: the model query; an extended keypad is read back
        QVector<QByteArray> expected{padded("03FBFBFB")};
        for (int layer = 1; variant && layer <= 3; ++layer)
            expected << bytesOf({3, 0xFA, 25, 0, layer}); // every key slot of every layer
        QCOMPARE(receivedBytes(), expected);
        QCOMPARE(f->statusText() + f->statusStyle(), "Device Connect" + kConnectedStyle);
        QCOMPARE(QVector<int>(
                     {Store.Dev_Key_Num, Store.Dev_Knob_Num, Store.Layout_Key_Num, Store.Layout_Knob_Num}),
                 QVector<int>({21, 4, 21, 4}));
        QVERIFY(buttonsEnabled() && !(*f)->Model_Dialog->isVisible());
        (*f)->Language = catalogue::Chinese;
        f->poll(); // upkeep sends nothing
        QVERIFY(receivedBytes().size() == expected.size() && f->statusText() == QStringLiteral("设备已连接"));
        f->unplugKeypad();
        QVERIFY(!Store.Dev_Connected && !Store.dev_list && !sim::openHandles() && Store.Layout_Key_Num == 21);
        QCOMPARE(f->statusText() + f->statusStyle(), "——请用数据线连接设备——" + kDisconnectedStyle);
    }

    // 8851 only under the second vendor id; only interface 0; a keypad that cannot be opened
    // says why, once, holds nothing and connects when access is granted.
    void searchAndAccess()
    {
        sim::setIds(0x1189, 0x8851);
        sim::plug();
        f->poll(3); // 8851 under 1189: not searched
        QVERIFY(!Store.dev_list);
        sim::setIds(0x514C, 0x8851);
        sim::setInterfaces({1, 2});
        f->poll(3);
        QVERIFY(!Store.dev_list && !sim::openHandles());
        sim::setInterfaces({2, 1, 0});
        (*f)->Language = catalogue::Chinese;
        sim::setOpenFails(true);
        LogCapture log;
        for (int step = 0; step < 3; ++step) {
            f->poll();
            QCOMPARE(f->statusText() + f->statusStyle(),
                     "已找到设备，但无权访问：请安装 udev 规则（见 README）" + kDisconnectedStyle);
            QVERIFY(!Store.dev_list && !Store.Dev_Connected && !sim::openHandles());
        }
        QCOMPARE(log.messages().filter("err_string = virtual keypad: cannot open the device").size(), 1);
        sim::setOpenFails(false);
        f->poll(2);
        QCOMPARE(QVector<int>({Store.Dev_Connected, Store.Cur_VID, Store.Cur_PID}),
                 QVector<int>({1, 0x514C, 0x8851}));
        QCOMPARE(sim::enumerations().last(), (QPair<quint16, quint16>(0x514C, 0x8851))); // watched by its ids
    }

    void keypadWithoutAUsableModelAnswer_data()
    {
        QTest::addColumn<QByteArray>("raw"); // the model answer; empty: none
        QTest::addColumn<int>("failure");    // 1: the query's write fails once, 2: its read
        QTest::newRow("silent") << QByteArray() << 0;
        QTest::newRow("garbage naming variant 10") << QByteArray::fromHex("03FBC3770A") << 0;
        QTest::newRow("two bytes") << QByteArray::fromHex("03FB") << 0;
        QTest::newRow("failed write") << QByteArray::fromHex("03FB150400") << 1;
        QTest::newRow("failed read") << QByteArray::fromHex("03FB150400") << 2;
    }
    // The model dialog instead: nothing of the answer is taken, View settings waits for a model
    // the keypad names, and an extended keypad connected before leaves no extended format behind.
    void keypadWithoutAUsableModelAnswer()
    {
        QFETCH(QByteArray, raw);
        QFETCH(int, failure);
        QVERIFY(f->connectKeypad(16, 1, 10));
        f->unplugKeypad();
        sim::setModel(21, 4, 0);
        sim::setModelAnswer(!raw.isEmpty());
        sim::setRawModelAnswer(raw);
        failure == 1 ? sim::failWrites(0, 1) : failure == 2 ? sim::failReads(0, 1) : void();
        sim::plug();
        LogCapture log;
        f->poll(2);
        QVERIFY(!raw.isEmpty() || log.contains("hid_read_timeout = timeout"));
        Dialog1 *dialog = (*f)->Model_Dialog;
        QVERIFY(dialog->isVisible() && !f->child("Read_Configuration")->isEnabled() && !Store.Dev_Variant &&
                !f->tabCount("Procreate") && Store.Dev_Key_Num == Store.Layout_Key_Num);
        f->poll(failure ? 2 : 3); // found again after a failure; after the page went, contact again
        QCOMPARE(Store.Dev_Connected, quint8(1));
        if (failure) { // the keypad answers this time
            QVERIFY(!dialog->isVisible() && f->child("Read_Configuration")->isEnabled() &&
                    Store.Layout_Key_Num == 21);
            return;
        }
        QVERIFY(dialog->isVisible()); // until the user picks a model; the next step lays it out
        f->click(dialog->findChild<QPushButton *>("BT_6key_2VT"));
        QVERIFY(!f->child("pushButton_K12")->isHidden());
        f->poll();
        QVERIFY(!dialog->isVisible() && !f->child("Read_Configuration")->isEnabled());
        QCOMPARE(QVector<int>({Store.Layout_Key_Num, Store.Layout_Knob_Num}), QVector<int>({6, 2}));
        QVERIFY(f->child("pushButton_K12")->isHidden() && !f->child("pushButton_K21")->isHidden());
    }

    // Added at an extended keypad's first contact (once); removed when a standard keypad
    // connects, which then makes first contact again.
    void presetPageFollowsTheKeypadsFormat()
    {
        QVERIFY(f->connectKeypad(16, 1, 10));
        f->unplugKeypad();
        QVERIFY(f->connectKeypad(15, 3, 10));
        QVERIFY(f->tabCount("Procreate") == 1 && !f->child("LED_color_8")->isHidden());
        f->unplugKeypad();
        sim::setModel(15, 3, 0);
        sim::plug();
        f->poll(2);
        QVERIFY(f->tabCount("Procreate") == 0 && Store.dev_list && !Store.Dev_Connected);
        f->poll();
        QVERIFY(Store.Dev_Connected && modelQueries() == 2 && f->child("LED_color_8")->isHidden());
    }

    // Slot 3, "Ctrl+", "C", Save: exactly the record and a commit; cleared and read back, it
    // shows Ctrl+C again, the read-back starting 200 ms after the commit at the earliest.
    // Extended: slot 3 reads back with type 0 at first contact, so the first click clears it,
    // which sets the delay rows 2..18 to 50 ms.
    void ctrlCSavedAndReadBack_data()
    {
        QTest::addColumn<int>("variant");
        QTest::addColumn<QByteArray>("report");
        QTest::newRow("standard") << 0 << bytesOf({3, 0xFD, 3, 1, 1, 0, 0, 0, 0, 0, 1, 1, 6});
        QByteArray ext = bytesOf({3, 0xFD, 3, 1, 1, 0, 2, 0, 0, 0xF1, 0, 0x32, 6});
        for (int unit = 2; unit < 18; ++unit)
            ext[8 + 3 * unit] = char(0x32);
        QTest::newRow("extended") << 10 << ext;
    }
    void ctrlCSavedAndReadBack()
    {
        QFETCH(int, variant);
        QFETCH(QByteArray, report);
        QVERIFY(f->connectKeypad(15, 3, quint8(variant)));
        for (const char *name : {"pushButton_K3", "pushButton_Ctrl", "pushButton_C", "download"})
            f->click(name);
        QCOMPARE(receivedBytes(), (QVector<QByteArray>{report, kCommit}));
        f->click("cancel");
        QCOMPARE(f->slotText(3), QStringLiteral("NULL"));
        int asked = 0; // the unsaved clear is given up for the keypad's records
        (*f)->Ask_User = [&asked](const QString &, int, int) { return ++asked, int(QMessageBox::Yes); };
        f->click("Read_Configuration");
        QCOMPARE(asked, 1);
        const QVector<sim::Report> got = sim::received();
        QVERIFY(quint8(got.value(2).bytes[1]) == 0xFA && got[2].nsecs - got[1].nsecs >= kPauseNs);
        QCOMPARE(f->slotText(3), QStringLiteral("Ctrl+C"));
    }

    void saveAndViewTellTheUser()
    {
        QVERIFY(f->connectKeypad(15, 3, 0));
        for (int layer = 0; layer < kLayers; ++layer)
            editStandard(layer, 2, 0x05);
        clickAndGo("download"); // three layers, three pauses: the buttons wait, the status counts
        QVERIFY(!buttonsEnabled());
        QTRY_VERIFY_WITH_TIMEOUT(f->statusText().startsWith("Saving "), 2000);
        QVERIFY(f->statusText().endsWith("/6…")); // 3 records, 3 commits
        f->waitIdle();
        QCOMPARE(f->statusText() + f->statusStyle(),
                 QStringLiteral("Saved successfully"
                                "background-color: rgb(0,225,40);border:0px;"));
        QVERIFY(buttonsEnabled());
        f->poll(3); // the notice owns the line for 1500 ms, then the state is shown again
        QCOMPARE(f->statusText(), QStringLiteral("Saved successfully"));
        QTRY_COMPARE_WITH_TIMEOUT(Store.Save_Notice_Active, quint8(0), 5000);
        f->poll();
        QCOMPARE(f->statusText() + f->statusStyle(), "Device Connect" + kConnectedStyle);

        sim::setAnswerTiming(1, 10);
        clickAndGo("Read_Configuration");
        QVERIFY(!buttonsEnabled());
        QTRY_VERIFY_WITH_TIMEOUT(f->statusText().startsWith("Reading "), 2000);
        QVERIFY(f->statusText().endsWith("/72…"));
        f->waitIdle();
        f->poll();
        QCOMPARE(f->statusText(), QStringLiteral("Read 72 records"));
        (*f)->Language = catalogue::Chinese;
        sim::setAnswerLimit(10);
        f->click("Read_Configuration");
        QCOMPARE(f->statusText() + f->statusStyle(),
                 "已读取 30/72 条记录：设备停止应答" + kDisconnectedStyle);
    }

    // Unplugged and plugged back after the second record: nothing committed, every edit kept
    // and said so until read, whatever the poll finds meanwhile; the next Save commits them.
    void failedSaveKeepsItsEdits_data()
    {
        QTest::addColumn<int>("language");
        QTest::addColumn<int>("edits");
        QTest::addColumn<QString>("notice");
        QTest::newRow("four, Chinese") << 0 << 4 << "保存失败：已保留 4 项更改，请再次点击“保存配置”";
        QTest::newRow("one, English") << 1 << 1 << "Save failed: 1 change kept, click Save settings again";
    }
    void failedSaveKeepsItsEdits()
    {
        QFETCH(int, language);
        QFETCH(int, edits);
        QFETCH(QString, notice);
        QVERIFY(f->connectKeypad());
        (*f)->Language = catalogue::Language(language);
        for (int i = 0; i < edits; ++i)
            editStandard(i / 2, i % 2 + 1, quint8(0x10 + i));
        sim::unplugAfterWrites(std::min(edits, 2), true);
        f->click("download");
        QCOMPARE(f->statusText(), notice);
        QVERIFY(f->statusStyle().startsWith("background-color: rgb(220,0,0);"));
        for (int i = 0; i < 10; ++i) {
            f->poll();
            QTest::qWait(100);
        }
        QVERIFY(Store.Dev_Connected && f->statusText() == notice);
        f->click("download");
        QCOMPARE(sim::commitCount(), edits == 1 ? 1 : 2);
    }
};

QTEST_MAIN(TestDeviceConnection)
#include "tst_window_device_connection.moc"
