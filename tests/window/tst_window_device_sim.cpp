// The virtual keypad through its hidapi C API: the parts the window tests read without
// checking them otherwise (what it stores per format, how it answers a read request, the
// order and times of its report log). Discovery, failures, silence and the LED state are
// checked through the window in the connection, page and end-to-end suites.
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
    void storesRecordsPerFormat();
    void answersReadRequestsInSlotOrder();
};

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

QTEST_APPLESS_MAIN(TestVirtualKeypad)
#include "tst_window_device_sim.moc"
