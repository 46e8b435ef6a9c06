// The virtual keypad through its hidapi C API: what other tests rely on when they use it.
#include <QtTest>

#include <hidapi.h>

#include "device/reports.h"
#include "sim/virtual_keypad.h"

namespace
{

// Opens the interface-0 entry of the plugged keypad.
hid_device *openKeypad()
{
    hid_device_info *list = hid_enumerate(0, 0);
    hid_device *dev = nullptr;
    for (hid_device_info *i = list; i; i = i->next)
        if (i->interface_number == 0)
            dev = hid_open_path(i->path);
    hid_free_enumeration(list);
    return dev;
}

int write(hid_device *dev, const QByteArray &report)
{
    return hid_write(dev, reinterpret_cast<const unsigned char *>(report.constData()), size_t(report.size()));
}

QByteArray read(hid_device *dev)
{
    unsigned char buf[64];
    const int n = hid_read_timeout(dev, buf, sizeof buf, 50);
    return n > 0 ? QByteArray(reinterpret_cast<const char *>(buf), n) : QByteArray();
}

QByteArray record(int slot, int layerNumber, quint8 fill)
{
    QByteArray r(64, char(fill));
    r[0] = char(0xFD);
    r[1] = char(slot);
    r[2] = char(layerNumber);
    return r;
}

} // namespace

class TestVirtualKeypad : public QObject
{
    Q_OBJECT

  private slots:
    void init() { sim::reset(); }
    void enumerationFollowsPlugIdsAndInterfaces();
    void openingAndClosing();
    void storesRecordsPerFormat();
    void answersReadRequestsInSlotOrder();
    void answerLimitAndSilentModel();
    void ledStateAndQuery();
    void failingWritesWindow();
    void unplugKillsOpenHandles();
};

void TestVirtualKeypad::enumerationFollowsPlugIdsAndInterfaces()
{
    QVERIFY(!hid_enumerate(0x1189, 0x8840));
    sim::plug();
    sim::setIds(0x514C, 0x8851);
    QVERIFY(!hid_enumerate(0x1189, 0x8851));
    QVERIFY(!hid_enumerate(0x514C, 0x8840));
    sim::setInterfaces({2, 0});
    hid_device_info *list = hid_enumerate(0x514C, 0x8851);
    QVERIFY(list && list->next && !list->next->next);
    QCOMPARE(list->interface_number, 2);
    QCOMPARE(list->next->interface_number, 0);
    QCOMPARE(list->vendor_id, quint16(0x514C));
    QCOMPARE(list->product_id, quint16(0x8851));
    QCOMPARE(sim::liveEnumerations(), 1);
    hid_free_enumeration(list);
    QCOMPARE(sim::liveEnumerations(), 0);

    sim::setInterfaces({});
    QVERIFY(!hid_enumerate(0, 0));
    const QVector<QPair<quint16, quint16>> calls{
        {0x1189, 0x8840}, {0x1189, 0x8851}, {0x514C, 0x8840}, {0x514C, 0x8851}, {0, 0}};
    QCOMPARE(sim::enumerations(), calls);
}

void TestVirtualKeypad::openingAndClosing()
{
    sim::plug();
    sim::setOpenFails(true);
    QVERIFY(!openKeypad());
    QVERIFY(QString::fromWCharArray(hid_error(nullptr)).contains("permission denied"));
    sim::setOpenFails(false);
    QVERIFY(!hid_open_path("virtual-keypad:1189:8840:7"));

    hid_device *dev = openKeypad();
    QVERIFY(dev);
    QCOMPARE(sim::lastOpenedInterface(), 0);
    QCOMPARE(sim::openHandles(), 1);
    hid_device *viaIds = hid_open(0x1189, 0x8840, nullptr);
    QVERIFY(viaIds);
    QCOMPARE(sim::lastOpenedInterface(), 1); // the first listed entry
    hid_close(viaIds);
    hid_close(dev);
    QCOMPARE(sim::openHandles(), 0);
}

void TestVirtualKeypad::storesRecordsPerFormat()
{
    sim::plug();
    hid_device *dev = openKeypad();
    quint8 rec[kRecordSize] = {0xFD, 3, 2, 1};
    rec[9] = 1;
    rec[11] = 0x06;
    QCOMPARE(write(dev, reports::encodeKeyRecord(rec, false)), 65);
    QCOMPARE(write(dev, reports::encodeCommit()), 65);
    QCOMPARE(sim::storedRecord(1, 3, false).left(12), QByteArray::fromHex("FD0302010000000000010006"));
    QCOMPARE(sim::storedRecord(1, 3, true), record(3, 2, 0)); // untouched
    QCOMPARE(sim::commitCount(), 1);
    hid_close(dev);

    sim::setModel(25, 0, 10);
    dev = openKeypad();
    write(dev, record(7, 3, 0x42).prepend(char(0x03)));
    QCOMPARE(sim::storedRecord(2, 7, true), record(7, 3, 0x42));
    QCOMPARE(sim::storedRecord(2, 7, false), record(7, 3, 0));
    hid_close(dev);

    // every write is logged in order with monotonic timestamps
    const QVector<sim::Report> got = sim::received();
    QCOMPARE(got.size(), 3);
    QCOMPARE(got[1].bytes, reports::encodeCommit());
    QVERIFY(got[0].nsecs <= got[1].nsecs && got[1].nsecs <= got[2].nsecs);
}

void TestVirtualKeypad::answersReadRequestsInSlotOrder()
{
    sim::plug();
    for (int s = 0; s < 60; ++s)
        sim::setStoredRecord(0, s, false, record(s, 1, quint8(s)));
    hid_device *dev = openKeypad();
    write(dev, reports::encodeReadRequest(2, 1, 1));
    QList<int> order;
    for (QByteArray a = read(dev); !a.isEmpty(); a = read(dev)) {
        QCOMPARE(a.size(), 64);
        QCOMPARE(a.mid(1), record(quint8(a[2]), 1, quint8(a[2])).left(63)); // answer byte i+1 = record byte i
        order.append(a[2]);
    }
    QCOMPARE(order, (QList<int>{1, 2, 16, 17, 18}));
    hid_close(dev);

    // an extended keypad answers key slots only
    sim::setModel(25, 0, 10);
    dev = openKeypad();
    write(dev, reports::encodeReadRequest(25, 3, 3));
    int answers = 0;
    while (!read(dev).isEmpty())
        ++answers;
    QCOMPARE(answers, 25);
    hid_close(dev);
}

void TestVirtualKeypad::answerLimitAndSilentModel()
{
    sim::plug();
    sim::setModel(21, 4, 7);
    hid_device *dev = openKeypad();
    write(dev, reports::encodeModelQuery());
    QCOMPARE(read(dev).left(5), QByteArray::fromHex("03FB150407"));

    sim::setModelAnswer(false);
    write(dev, reports::encodeModelQuery());
    QVERIFY(read(dev).isEmpty());

    sim::setAnswerLimit(10);
    write(dev, reports::encodeReadRequest(15, 3, 1));
    int answers = 0;
    while (!read(dev).isEmpty())
        ++answers;
    QCOMPARE(answers, 10);
    // reads with nothing queued come back at once and are logged with their time limit
    QCOMPARE(sim::reads().last().timeoutMs, 50);
    QCOMPARE(sim::reads().last().result, 0);
    unsigned char buf[64];
    QCOMPARE(hid_read(dev, buf, 64), 0);
    QCOMPARE(sim::reads().last().timeoutMs, -1);
    hid_close(dev);
}

void TestVirtualKeypad::ledStateAndQuery()
{
    sim::plug();
    sim::setModel(16, 1, 10);
    hid_device *dev = openKeypad();
    quint8 colours[kLedKeys][3];
    for (int k = 0; k < kLedKeys; ++k)
        colours[k][0] = colours[k][1] = colours[k][2] = quint8(k);
    write(dev, reports::encodeLedColours(1, 3, colours));
    QCOMPARE(sim::ledMode(1), quint8(3));
    QCOMPARE(sim::ledColours(1), QByteArray(reinterpret_cast<const char *>(colours), 48));
    QCOMPARE(sim::ledMode(0), quint8(0));

    write(dev, reports::encodeLedQuery(1));
    const QByteArray a = read(dev);
    QCOMPARE(quint8(a[2]), quint8(3));
    QCOMPARE(a.mid(3, 48), sim::ledColours(1));
    hid_close(dev);
}

void TestVirtualKeypad::failingWritesWindow()
{
    sim::plug();
    hid_device *dev = openKeypad();
    sim::failWrites(1, 2);
    const QByteArray commit = reports::encodeCommit();
    QCOMPARE(write(dev, commit), 65);
    QCOMPARE(write(dev, commit), -1);
    QVERIFY(QString::fromWCharArray(hid_error(dev)).contains("write failure"));
    QCOMPARE(write(dev, commit), -1);
    QCOMPARE(write(dev, commit), 65);
    QCOMPARE(sim::commitCount(), 2);
    QCOMPARE(sim::reports().size(), 4);
    QCOMPARE(sim::received().size(), 2);

    // a failed read loses its answer; the next read gets the following one
    sim::failReads(1, 1);
    write(dev, reports::encodeReadRequest(3, 0, 1));
    QCOMPARE(quint8(read(dev)[2]), quint8(1));
    unsigned char buf[64];
    QCOMPARE(hid_read_timeout(dev, buf, 64, 10), -1);
    QVERIFY(QString::fromWCharArray(hid_error(dev)).contains("read failure"));
    QCOMPARE(quint8(read(dev)[2]), quint8(3));
    hid_close(dev);
}

void TestVirtualKeypad::unplugKillsOpenHandles()
{
    sim::plug();
    hid_device *dev = openKeypad();
    write(dev, reports::encodeModelQuery());
    sim::unplug();
    unsigned char buf[64];
    QCOMPARE(hid_read_timeout(dev, buf, 64, 10), -1);
    QCOMPARE(write(dev, reports::encodeCommit()), -1);
    QVERIFY(QString::fromWCharArray(hid_error(dev)).contains("disconnected"));
    sim::plug();
    QCOMPARE(write(dev, reports::encodeCommit()), -1); // the old handle stays dead
    hid_close(dev);
    QCOMPARE(sim::openHandles(), 0);
}

QTEST_APPLESS_MAIN(TestVirtualKeypad)
#include "tst_window_device_sim.moc"
