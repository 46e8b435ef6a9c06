// A keypad that is listed but cannot be opened (its hidraw node belongs to root until the
// udev rule is installed) gets its own status text; the poll keeps trying to open it.
#include <QtTest>

#include "device/store.h"
#include "sim/virtual_keypad.h"
#include "support/keypad_fixture.h"

namespace
{

const QString kDeniedEN =
    QStringLiteral("Device found, but access denied: install the udev rule (see README)");
const QString kDeniedCN = QStringLiteral("已找到设备，但无权访问：请安装 udev 规则（见 README）");
const QString kDisconnectedStyle = QStringLiteral("color: rgb(220, 0, 0);");
const QString kConnectedStyle = QStringLiteral("color: rgb(255, 255, 255);");

} // namespace

class TestAccessDenied : public QObject
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

    void deniedThenGranted_data();
    void deniedThenGranted();
    void unpluggedWhileDeniedIsDisconnected();
    void saveNoticeKeepsTheStatusLine();
};

void TestAccessDenied::deniedThenGranted_data()
{
    QTest::addColumn<int>("language");
    QTest::addColumn<QString>("denied");
    QTest::addColumn<QString>("connected");
    QTest::newRow("English") << 1 << kDeniedEN << QStringLiteral("Device Connect");
    QTest::newRow("Chinese") << 0 << kDeniedCN << QStringLiteral("设备已连接");
}

void TestAccessDenied::deniedThenGranted()
{
    QFETCH(int, language);
    QFETCH(QString, denied);
    QFETCH(QString, connected);
    (*f)->Language = language;
    sim::setOpenFails(true);
    sim::plug();

    // every step finds the keypad, fails to open it and says why, without holding anything
    for (int step = 0; step < 3; ++step) {
        f->poll();
        QCOMPARE(f->statusText(), denied);
        QCOMPARE(f->statusStyle(), kDisconnectedStyle);
        QVERIFY(!Store.dev_list);
        QVERIFY(!(*f)->Device_Handle);
        QCOMPARE(Store.Dev_Connected, quint8(0));
        QCOMPARE(sim::openHandles(), 0);
    }
    QVERIFY(sim::received().isEmpty());

    // access granted (rule installed, keypad re-triggered): the next steps connect as usual
    sim::setOpenFails(false);
    f->poll(2);
    QCOMPARE(Store.Dev_Connected, quint8(1));
    QCOMPARE(f->statusText(), connected);
    QCOMPARE(f->statusStyle(), kConnectedStyle);
}

// The access text only stands while the keypad is listed.
void TestAccessDenied::unpluggedWhileDeniedIsDisconnected()
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

void TestAccessDenied::saveNoticeKeepsTheStatusLine()
{
    auto *status = f->child<QAbstractButton>(QStringLiteral("Dev_Sta_Dsp"));
    status->setText(QStringLiteral("Saved successfully"));
    Store.Save_Notice_Active = 1;
    sim::setOpenFails(true);
    sim::plug();
    f->poll();
    QCOMPARE(f->statusText(), QStringLiteral("Saved successfully"));
}

QTEST_MAIN(TestAccessDenied)
#include "tst_window_access.moc"
