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
#include "app/dialog1.h"

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
    void onlyInterfaceZeroIsOpened();
    void refusedOpenIsNotFoundAndSaysWhy_data();
    void refusedOpenIsNotFoundAndSaysWhy();
    void keypadWithoutAUsableModelAnswer_data();
    void keypadWithoutAUsableModelAnswer();
    void presetPageFollowsTheKeypadsFormat();
};

void TestDeviceConnection::plugConnectUnplugWithStatusTexts()
{
    QCOMPARE((*f)->Language, catalogue::English); // start-up switches to English
    f->poll();
    QCOMPARE(f->statusText(), QStringLiteral("Device Disconnect USB"));
    QCOMPARE(f->statusStyle(), kDisconnectedStyle);

    sim::setModel(21, 4, 0);
    sim::plug();
    f->poll(); // found and opened
    QVERIFY(Store.dev_list);
    QCOMPARE(Store.Dev_Connected, quint8(0));
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

    (*f)->Language = catalogue::Chinese;
    f->poll(); // connected upkeep sends nothing
    QCOMPARE(sim::received().size(), 1);
    QCOMPARE(f->statusText(), QStringLiteral("设备已连接"));

    f->unplugKeypad(); // the loss is noticed and shown at this step
    QCOMPARE(Store.Dev_Connected, quint8(0));
    QVERIFY(!Store.dev_list);
    QCOMPARE(sim::openHandles(), 0);
    QCOMPARE(sim::exitCount(), 1);
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
}

void TestDeviceConnection::onlyInterfaceZeroIsOpened()
{
    sim::setInterfaces({1, 2});
    sim::plug();
    f->poll(3);
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
    (*f)->Language = catalogue::Language(language);
    sim::setOpenFails(true);
    sim::plug();
    LogCapture log;

    // every step finds the keypad, fails to open it and says why, without holding anything
    for (int step = 0; step < 3; ++step) {
        f->poll();
        QCOMPARE(f->statusText(), denied);
        QCOMPARE(f->statusStyle(), kDisconnectedStyle);
        QVERIFY(!Store.dev_list);
        QCOMPARE(Store.Dev_Connected, quint8(0));
        QCOMPARE(sim::openHandles(), 0);
    }
    QVERIFY(sim::received().isEmpty());
    // said once, not at every step
    QCOMPARE(
        log.messages().filter(QStringLiteral("err_string = virtual keypad: cannot open the device")).size(),
        1);

    // access granted (rule installed, keypad re-triggered): the next steps connect as usual
    sim::setOpenFails(false);
    f->poll(2);
    QCOMPARE(Store.Dev_Connected, quint8(1));
    QCOMPARE(f->statusText(), connected);
    QCOMPARE(f->statusStyle(), kConnectedStyle);
}

void TestDeviceConnection::keypadWithoutAUsableModelAnswer_data()
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
void TestDeviceConnection::keypadWithoutAUsableModelAnswer()
{
    QFETCH(QByteArray, raw);
    QFETCH(int, failure);
    QWidget *readButton = f->child<QWidget>(QStringLiteral("Read_Configuration"));
    QVERIFY(f->connectKeypad(16, 1, 10));
    f->unplugKeypad();
    sim::setModel(21, 4, 0);
    sim::setModelAnswer(!raw.isEmpty());
    sim::setRawModelAnswer(raw);
    if (failure == 1)
        sim::failWrites(0, 1);
    if (failure == 2)
        sim::failReads(0, 1);
    LogCapture log;
    sim::plug();
    f->poll(2); // opened, first contact

    QVERIFY((*f)->Model_Dialog->isVisible());
    QVERIFY(!readButton->isEnabled());
    QCOMPARE(Store.Dev_Variant, quint8(0));
    QCOMPARE(f->tabCount(QStringLiteral("Procreate")), 0);
    QCOMPARE(Store.Dev_Key_Num, Store.Layout_Key_Num);
    QCOMPARE(Store.Dev_Knob_Num, Store.Layout_Knob_Num);
    if (failure) {
        QVERIFY(log.contains(QStringLiteral("err_string = virtual keypad: the ")));
        // closed on the failure, found again: the keypad answers this time
        f->poll(2);
        QCOMPARE(Store.Dev_Connected, quint8(1));
        QVERIFY(!(*f)->Model_Dialog->isVisible());
        QVERIFY(readButton->isEnabled());
        QCOMPARE(Store.Layout_Key_Num, quint8(21));
        return;
    }
    f->poll(3); // the first contact again after the Procreate page went, then connected
    QCOMPARE(Store.Dev_Connected, quint8(1));
    QVERIFY((*f)->Model_Dialog->isVisible()); // stays until the user picks a model

    // the dialog's choice writes the device bytes; the next step lays the picture out for it
    Store.Dev_Key_Num = 12;
    Store.Dev_Knob_Num = 2;
    f->poll();
    QVERIFY(!(*f)->Model_Dialog->isVisible());
    QCOMPARE(Store.Layout_Key_Num, quint8(12));
    QCOMPARE(Store.Layout_Knob_Num, quint8(2));
    QVERIFY(!readButton->isEnabled());
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
    QVERIFY(!f->child<QWidget>(QStringLiteral("LED_color_8"))->isHidden()); // the extended palette
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
    QVERIFY(f->child<QWidget>(QStringLiteral("LED_color_8"))->isHidden());
}

QTEST_MAIN(TestDeviceConnection)
#include "tst_window_device_connection.moc"
