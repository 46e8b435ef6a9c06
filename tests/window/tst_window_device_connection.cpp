// Discovery and connection: the real main window polling the virtual keypad, including a
// keypad that is listed but cannot be opened (its hidraw node belongs to root until the
// udev rule is installed): it gets its own status text and the poll keeps trying.
#include <QTabWidget>
#include <QtTest>

#include "device/reports.h"
#include "device/store.h"
#include "sim/virtual_keypad.h"
#include "support/keypad_fixture.h"

using namespace zd_test;
#include "views/dialog1.h"

namespace
{

const QString kConnectedStyle = QStringLiteral("color: rgb(255, 255, 255);");
const QString kDisconnectedStyle = QStringLiteral("color: rgb(220, 0, 0);");

const QString kDeniedEN =
    QStringLiteral("Device found, but access denied: install the udev rule (see README)");
const QString kDeniedCN = QStringLiteral("已找到设备，但无权访问：请安装 udev 规则（见 README）");

} // namespace

class TestDeviceConnection : public QObject
{
    Q_OBJECT

    KeypadFixture *f = nullptr;

  private slots:
    void init() { f = new KeypadFixture; }
    void cleanup()
    {
        delete f;
        f = nullptr;
    }

    void plugConnectUnplugWithStatusTexts();
    void searchOrderAndVendorIds();
    void keypadUnderFirstVendorFoundAfterSecond();
    void onlyInterfaceZeroIsOpened();
    void refusedOpenIsNotFoundAndSaysWhy_data();
    void refusedOpenIsNotFoundAndSaysWhy();
    void unpluggedWhileDeniedIsDisconnected();
    void saveNoticeKeepsTheStatusLine();
    void silentKeypadKeepsTheModelDialog();
    void presetPageFollowsTheKeypadsFormat();
    void hidapiErrorTextLoggedWhole();
};

void TestDeviceConnection::plugConnectUnplugWithStatusTexts()
{
    QCOMPARE((*f)->Language, 1); // start-up switches to English
    f->poll();
    QCOMPARE(f->statusText(), QStringLiteral("Device Disconnect USB"));
    QCOMPARE(f->statusStyle(), kDisconnectedStyle);

    sim::setModel(21, 4, 0);
    sim::plug();
    f->poll(); // found and opened
    QVERIFY(Store.dev_list);
    QCOMPARE(Store.Dev_Connected, quint8(0));
    QVERIFY(Store.dev_list);
    QCOMPARE(sim::lastOpenedInterface(), 0);
    QCOMPARE(sim::liveEnumerations(), 0);
    QVERIFY(sim::received().isEmpty());

    f->poll(); // first contact
    QCOMPARE(Store.Dev_Connected, quint8(1));
    QCOMPARE(f->statusText(), QStringLiteral("Device Connect"));
    QCOMPARE(f->statusStyle(), kConnectedStyle);
    QCOMPARE(sim::received().size(), 1);
    QCOMPARE(sim::received()[0].bytes, reports::encodeModelQuery());
    QCOMPARE(Store.Dev_Key_Num, quint8(21));
    QCOMPARE(Store.Dev_Knob_Num, quint8(4));
    QCOMPARE(Store.Layout_Key_Num, quint8(21));
    QCOMPARE(Store.Layout_Knob_Num, quint8(4));
    QVERIFY(f->child<QWidget>(QStringLiteral("Read_Configuration"))->isEnabled());
    QVERIFY(!(*f)->Model_Dialog->isVisible());

    (*f)->Language = 0;
    f->poll(); // connected upkeep sends nothing
    QCOMPARE(sim::received().size(), 1);
    QCOMPARE(f->statusText(), QStringLiteral("设备已连接"));

    f->unplugKeypad(); // the loss is noticed here, the text changes one step later
    QCOMPARE(Store.Dev_Connected, quint8(0));
    QVERIFY(!Store.dev_list);
    QVERIFY(!Store.dev_list);
    QCOMPARE(sim::openHandles(), 0);
    QCOMPARE(sim::exitCount(), 1);
    QCOMPARE(f->statusText(), QStringLiteral("设备已连接"));
    f->poll();
    QCOMPARE(f->statusText(), QStringLiteral("——请用数据线连接设备——"));
    QCOMPARE(f->statusStyle(), kDisconnectedStyle);
    // the store keeps the device identity across the loss
    QCOMPARE(Store.Layout_Key_Num, quint8(21));
}

void TestDeviceConnection::searchOrderAndVendorIds()
{
    // One enumeration of every device per searching step; the order in which the ids are
    // searched in it is checked in tst_core_device.
    f->poll();
    const QVector<QPair<quint16, quint16>> everyDevice{{0, 0}};
    QCOMPARE(sim::enumerations(), everyDevice);

    // 0x8851 exists only under the second vendor id
    sim::setIds(0x1189, 0x8851);
    sim::plug();
    f->poll(3);
    QVERIFY(!Store.dev_list);
    QCOMPARE(f->statusText(), QStringLiteral("Device Disconnect USB"));

    sim::setIds(0x514C, 0x8851);
    sim::clearLogs();
    f->poll();
    QVERIFY(Store.dev_list);
    QCOMPARE(Store.Cur_VID, quint16(0x514C));
    QCOMPARE(Store.Cur_PID, quint16(0x8851));
    QCOMPARE(sim::enumerations(), everyDevice);
    f->poll();
    QCOMPARE(Store.Dev_Connected, quint8(1));
    QCOMPARE(sim::enumerations().last(), (QPair<quint16, quint16>(0x514C, 0x8851))); // watched by its ids

    // a keypad that comes back is found at the first step
    f->unplugKeypad();
    f->poll();
    sim::plug();
    f->poll();
    QVERIFY(Store.dev_list);
    f->poll();
    QCOMPARE(Store.Dev_Connected, quint8(1));
}

void TestDeviceConnection::keypadUnderFirstVendorFoundAfterSecond()
{
    sim::setIds(0x514C, 0x8840);
    QVERIFY(f->connectKeypad());
    QCOMPARE(Store.Cur_VID, quint16(0x514C));
    f->unplugKeypad();
    f->poll();

    sim::setIds(0x1189, 0x8833);
    sim::plug();
    f->poll();
    QVERIFY(Store.dev_list);
    QCOMPARE(Store.Cur_VID, quint16(0x1189));
    QCOMPARE(Store.Cur_PID, quint16(0x8833));
    f->poll();
    QCOMPARE(Store.Dev_Connected, quint8(1));
    f->poll(); // still watched under the right ids
    QCOMPARE(Store.Dev_Connected, quint8(1));
}

void TestDeviceConnection::onlyInterfaceZeroIsOpened()
{
    sim::setInterfaces({1, 2});
    sim::plug();
    f->poll(3);
    QVERIFY(!Store.dev_list);
    QVERIFY(!Store.dev_list);
    QCOMPARE(Store.Dev_Connected, quint8(0));
    QCOMPARE(sim::openHandles(), 0);
    QCOMPARE(sim::liveEnumerations(), 0);
    QCOMPARE(f->statusText(), QStringLiteral("Device Disconnect USB"));

    sim::setInterfaces({2, 1, 0});
    f->poll(2);
    QCOMPARE(Store.Dev_Connected, quint8(1));
    QCOMPARE(sim::lastOpenedInterface(), 0);
    QCOMPARE(sim::openHandles(), 1);
}

void TestDeviceConnection::refusedOpenIsNotFoundAndSaysWhy_data()
{
    QTest::addColumn<int>("language");
    QTest::addColumn<QString>("denied");
    QTest::addColumn<QString>("connected");
    QTest::newRow("English") << 1 << kDeniedEN << QStringLiteral("Device Connect");
    QTest::newRow("Chinese") << 0 << kDeniedCN << QStringLiteral("设备已连接");
}

void TestDeviceConnection::refusedOpenIsNotFoundAndSaysWhy()
{
    QFETCH(int, language);
    QFETCH(QString, denied);
    QFETCH(QString, connected);
    (*f)->Language = language;
    sim::setOpenFails(true);
    sim::plug();
    LogCapture log;

    // every step finds the keypad, fails to open it and says why, without holding anything
    for (int step = 0; step < 3; ++step) {
        f->poll();
        QCOMPARE(f->statusText(), denied);
        QCOMPARE(f->statusStyle(), kDisconnectedStyle);
        QVERIFY(!Store.dev_list);
        QVERIFY(!Store.dev_list);
        QCOMPARE(Store.Dev_Connected, quint8(0));
        QCOMPARE(sim::openHandles(), 0);
    }
    QVERIFY(sim::received().isEmpty());
    QVERIFY(log.contains(
        QStringLiteral("err_string = virtual keypad: cannot open the device (permission denied)")));

    // access granted (rule installed, keypad re-triggered): the next steps connect as usual
    sim::setOpenFails(false);
    f->poll(2);
    QCOMPARE(Store.Dev_Connected, quint8(1));
    QCOMPARE(f->statusText(), connected);
    QCOMPARE(f->statusStyle(), kConnectedStyle);
}

// The access text only stands while the keypad is listed.
void TestDeviceConnection::unpluggedWhileDeniedIsDisconnected()
{
    sim::setOpenFails(true);
    sim::plug();
    f->poll();
    QCOMPARE(f->statusText(), kDeniedEN);
    sim::unplug();
    f->poll();
    QCOMPARE(f->statusText(), QStringLiteral("Device Disconnect USB"));
    QCOMPARE(f->statusStyle(), kDisconnectedStyle);
}

void TestDeviceConnection::saveNoticeKeepsTheStatusLine()
{
    f->child<QAbstractButton>(QStringLiteral("Dev_Sta_Dsp"))->setText(QStringLiteral("Saved successfully"));
    Store.Save_Notice_Active = 1;
    sim::setOpenFails(true);
    sim::plug();
    f->poll();
    QCOMPARE(f->statusText(), QStringLiteral("Saved successfully"));
}

void TestDeviceConnection::silentKeypadKeepsTheModelDialog()
{
    QWidget *readButton = f->child<QWidget>(QStringLiteral("Read_Configuration"));
    sim::setModelAnswer(false);
    QVERIFY(f->connectKeypad(21, 4, 0));
    QVERIFY((*f)->Model_Dialog->isVisible());
    QVERIFY(!readButton->isEnabled());
    QCOMPARE(Store.Dev_Key_Num, Store.Layout_Key_Num);
    QCOMPARE(Store.Dev_Knob_Num, Store.Layout_Knob_Num);
    f->poll(3);
    QVERIFY((*f)->Model_Dialog->isVisible()); // stays until the user picks a model

    // the dialog's choice writes the device bytes; the next step lays the picture out for it
    Store.Dev_Key_Num = 12;
    Store.Dev_Knob_Num = 2;
    f->poll();
    QVERIFY(!(*f)->Model_Dialog->isVisible());
    QCOMPARE(Store.Layout_Key_Num, quint8(12));
    QCOMPARE(Store.Layout_Knob_Num, quint8(2));
    QVERIFY(!readButton->isEnabled());

    // a later answer hides the dialog and enables read-back
    f->unplugKeypad();
    QVERIFY(f->connectKeypad(21, 4, 0));
    QVERIFY((*f)->Model_Dialog->isVisible());
    f->unplugKeypad();
    sim::setModelAnswer(true);
    QVERIFY(f->connectKeypad(21, 4, 0));
    QVERIFY(!(*f)->Model_Dialog->isVisible());
    QVERIFY(readButton->isEnabled());
    QCOMPARE(Store.Layout_Key_Num, quint8(21));
}

// The Procreate page is added at an extended keypad's first contact (once) and removed
// when a standard keypad connects, which then makes first contact again.
void TestDeviceConnection::presetPageFollowsTheKeypadsFormat()
{
    const QString procreate = QStringLiteral("Procreate");
    auto *tabs = f->child<QTabWidget>(QStringLiteral("tabWidget"));
    QCOMPARE(f->tabCount(procreate), 0);
    QVERIFY(f->connectKeypad(16, 1, 10));
    QCOMPARE(f->tabCount(procreate), 1);
    QCOMPARE(tabs->tabText(6), procreate);
    f->unplugKeypad();
    QVERIFY(f->connectKeypad(15, 3, 10));
    QCOMPARE(f->tabCount(procreate), 1);
    QCOMPARE(tabs->count(), 7);
    f->unplugKeypad();
    f->poll();

    sim::setModel(15, 3, 0);
    sim::plug();
    sim::clearLogs();
    f->poll(2); // open, first contact removes the page
    QCOMPARE(f->tabCount(procreate), 0);
    QCOMPARE(Store.Dev_Connected, quint8(0));
    QVERIFY(Store.dev_list);
    QCOMPARE(modelQueries(), 1);
    f->poll(); // first contact again
    QCOMPARE(Store.Dev_Connected, quint8(1));
    QCOMPARE(modelQueries(), 2);
    QCOMPARE(Store.Dev_Variant, quint8(0));
    QCOMPARE(tabs->count(), 6);
}

void TestDeviceConnection::hidapiErrorTextLoggedWhole()
{
    sim::failWrites(0);
    LogCapture log;
    QVERIFY(f->connectKeypad()); // the model query cannot be written; contact goes on
    QVERIFY(log.contains(
        QStringLiteral("err_string = virtual keypad: the device refused the output report (write failure)")));
    QVERIFY(!(*f)->Model_Dialog->isVisible());
}

QTEST_MAIN(TestDeviceConnection)
#include "tst_window_device_connection.moc"
