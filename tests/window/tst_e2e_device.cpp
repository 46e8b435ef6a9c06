// End to end against the virtual keypad: slots assigned by clicks or set in the store,
// "Save settings" and "View settings" clicked on the real window, and the reports checked as
// the keypad received them (bytes, order and the pause after commits), then what the keypad
// keeps and what the window reads back.
#include <QPushButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QTimer>
#include <QtTest>

#include <cstring>

#include <hidapi.h>

#include "device/reports.h"
#include "device/store.h"
#include "sim/virtual_keypad.h"
#include "support/keypad_fixture.h"

using namespace zd_test;

namespace
{

constexpr qint64 kPauseNs = 200LL * 1000 * 1000;
const QByteArray kCommit = padded("03FDFEFF");

// Marks a standard record as edited: header of (layer, slot), one entry {0, code}.
void editStandard(int layer, int slot, quint8 code)
{
    quint8 *r = Store.PHY_KEY_Value[layer][slot];
    r[0] = 0xFD;
    r[1] = quint8(slot);
    r[2] = quint8(layer + 1);
    r[9] = 1;
    r[11] = code;
    Store.Modify_Key_Flag[layer][slot] = 1;
}

// The first report of the keypad's log after `index` starts at least 200 ms after it.
void verifyPauseAfter(int index)
{
    const QVector<sim::Report> got = sim::received();
    QVERIFY(index + 1 < got.size());
    QVERIFY2(got[index + 1].nsecs - got[index].nsecs >= kPauseNs,
             qPrintable(QString("only %1 ns").arg(got[index + 1].nsecs - got[index].nsecs)));
}

// A recognisable keypad record: byte 0 is not FD (answers are stored whatever it holds),
// byte i of (layer, slot) is layer * 64 + slot + i, except the content bytes that name a key.
QByteArray keypadRecord(int layer, int slot)
{
    QByteArray r(64, '\0');
    r[0] = char(0xAB);
    for (int i = 1; i < 64; ++i)
        r[i] = char(layer * 64 + slot + i);
    return r;
}

void seedKeypad(bool extended)
{
    for (int layer = 0; layer < 3; ++layer)
        for (int slot = 0; slot < 60; ++slot)
            sim::setStoredRecord(layer, slot, extended, keypadRecord(layer, slot));
}

// The store's record holds the keypad's bytes 1..last and `filler` elsewhere (byte 0 included).
bool holdsKeypadRecord(const quint8 *record, int layer, int slot, int last, quint8 filler)
{
    const QByteArray k = keypadRecord(layer, slot);
    for (int i = 0; i < kRecordSize; ++i) {
        const quint8 expected = i >= 1 && i <= last ? quint8(k[i]) : filler;
        if (record[i] != expected)
            return false;
    }
    return true;
}

bool untouched(const quint8 *record, quint8 filler)
{
    for (int i = 0; i < kRecordSize; ++i)
        if (record[i] != filler)
            return false;
    return true;
}

void fillStore(quint8 filler)
{
    std::memset(Store.PHY_KEY_Value, filler, sizeof Store.PHY_KEY_Value);
    std::memset(Store.PHY2_KEY_Value, filler, sizeof Store.PHY2_KEY_Value);
}

int answersRead()
{
    int n = 0;
    for (const sim::Read &r : sim::reads())
        n += r.result == 64;
    return n;
}

int emptyReads()
{
    int n = 0;
    for (const sim::Read &r : sim::reads()) {
        if (r.timeoutMs < 0 || r.timeoutMs > 1000) // every wait is bounded
            return -1;
        n += r.result == 0;
    }
    return n;
}

// The colours every layer starts with, key 1 first.
const QByteArray kInitialColours = QByteArray::fromHex("ff0000"
                                                       "ff8030"
                                                       "ffff30"
                                                       "00ff00"
                                                       "00ffff"
                                                       "0000ff"
                                                       "800080"
                                                       "8b0000"
                                                       "ffa500"
                                                       "ffff96"
                                                       "7dff00"
                                                       "008b8b"
                                                       "00008b"
                                                       "ff00ff"
                                                       "ff6666"
                                                       "ffc864");
// ---- the virtual keypad's own side, through its hidapi C API ----

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

int writeReport(hid_device *dev, const QByteArray &report)
{
    return hid_write(dev, reinterpret_cast<const unsigned char *>(report.constData()),
                           size_t(report.size()));
}

QByteArray readAnswer(hid_device *dev)
{
    unsigned char buf[64];
    const int n = hid_read_timeout(dev, buf, sizeof buf, 50);
    return n > 0 ? QByteArray(reinterpret_cast<const char *>(buf), n) : QByteArray();
}

QByteArray filledRecord(int slot, int layerNumber, quint8 fill)
{
    QByteArray r(64, char(fill));
    r[0] = char(0xFD);
    r[1] = char(slot);
    r[2] = char(layerNumber);
    return r;
}

} // namespace

class TestE2eDevice : public QObject
{
    Q_OBJECT

    KeypadFixture *f = nullptr;

    void save() { f->click(QStringLiteral("download")); }
    void readBack() { f->click(QStringLiteral("Read_Configuration")); }
    // Slot 3, "Ctrl+", "C", save: the keypad must have got exactly `record` and a commit.
    void assignCtrlCAndSave(const QByteArray &record)
    {
        sim::clearLogs();
        f->click(QStringLiteral("pushButton_K3"));
        f->click(QStringLiteral("pushButton_Ctrl"));
        f->click(QStringLiteral("pushButton_C"));
        f->click(QStringLiteral("download"));

        const QVector<sim::Report> got = sim::received();
        QCOMPARE(got.size(), 2);
        QCOMPARE(got[0].bytes.toHex(' '), record.toHex(' '));
        QCOMPARE(got[1].bytes.toHex(' '), kCommit.toHex(' '));
    }

    // Clears the slot in memory, reads the keypad back and checks what slot 3 shows; the
    // first report of the read-back comes no sooner than 200 ms after the commit.
    void readBackShowsCtrlC()
    {
        const qint64 committedAt = sim::received().last().nsecs;
        f->click(QStringLiteral("cancel"));
        QCOMPARE(f->child<QPushButton>(QStringLiteral("pushButton_K3"))->text(), QStringLiteral("NULL"));
        f->click(QStringLiteral("Read_Configuration"));
        const QVector<sim::Report> got = sim::received();
        QVERIFY(got.size() > 2);
        QCOMPARE(quint8(got[2].bytes[1]), quint8(0xFA));
        QVERIFY2(got[2].nsecs - committedAt >= kPauseNs,
                 qPrintable(QStringLiteral("%1 ns after the commit").arg(got[2].nsecs - committedAt)));
        QCOMPARE(f->child<QPushButton>(QStringLiteral("pushButton_K3"))->text(), QStringLiteral("Ctrl+C"));
    }

  private slots:
    void initTestCase() { QLoggingCategory::setFilterRules(QStringLiteral("zorveldeck.*.debug=false")); }
    void init() { f = new KeypadFixture; }
    void cleanup()
    {
        delete f;
        f = nullptr;
    }

    // ---- the virtual keypad: what it stores per format, how it answers a read request and
    // the order and times of its report log, which the cases below read without re-checking
    void keypadStoresRecordsPerFormat();
    void keypadAnswersReadRequestsInSlotOrder();

    // ---- download ----
    void notConnectedSendsNothing();
    void commitPerLayerAndSecondDownloadSendsNothing();
    void extendedLedChangeAloneHasNoCommit();
    void saveNoticeOwnsTheStatusFor1500ms();
    void failedRecordKeepsItsFlagAndIsNoSuccess();
    void failedCommitKeepsItsBatch();
    void failedLedWriteKeepsTheLedFlag();

    // ---- read-back ----
    void standardReadsThreeLayersOf24();
    void extendedReadsAtFirstContact();
    void keypadFallingSilentMidway();
    void failedReadsAndRequests();

    // ---- assigned by clicks, saved, read back ----
    void ctrlCOnStandardKeypad()
    {
        QVERIFY(f->connectKeypad(15, 3, 0));
        assignCtrlCAndSave(
            bytesOf({0x03, 0xFD, 0x03, 0x01, 0x01, 0x00, 0x00, 0x00, 0x00, 0x00, 0x01, 0x01, 0x06}));
        readBackShowsCtrlC();
    }

    void ctrlCOnExtendedKeypadWithAKeyRecord()
    {
        // the keypad already holds a key combination record for slot 3 of layer 1
        sim::setStoredRecord(0, 3, true, bytesOf({0xFD, 0x03, 0x01, 0x01}, 64));
        QVERIFY(f->connectKeypad(15, 3, 10));
        assignCtrlCAndSave(
            bytesOf({0x03, 0xFD, 0x03, 0x01, 0x01, 0x00, 0x02, 0x00, 0x00, 0xF1, 0x00, 0x00, 0x06}));
        readBackShowsCtrlC();
    }

    void ctrlCOnExtendedKeypadFromFactoryRecords()
    {
        // Slot 3 reads back with function type 0 at first contact, so the first click
        // clears it; clearing resets the delay rows (all to 50, row 1 to 0), and each row
        // that changes stores its delay in the slot's unit.
        QVERIFY(f->connectKeypad(15, 3, 10));
        QByteArray record =
            bytesOf({0x03, 0xFD, 0x03, 0x01, 0x01, 0x00, 0x02, 0x00, 0x00, 0xF1, 0x00, 0x32, 0x06});
        for (int unit = 2; unit < 18; ++unit)
            record[7 + 3 * unit + 1] = char(0x32); // report byte = record byte + 1
        assignCtrlCAndSave(record);
        readBackShowsCtrlC();
    }

    // An extended keypad, through clicks: connect (configuration read back), give slot 2
    // "Undo" with a 300 ms delay on its second stroke and a green key colour, save, and find
    // exactly those bytes in the keypad.
    void extendedUndoWithDelayAndColourReachesTheKeypad()
    {
        // what the keypad holds before: a record on layer 2 and its LED state of layer 1
        const QByteArray held = bytesOf({0xFD, 7, 2, 1, 0, 1, 0, 0, 0x04}, 64);
        sim::setStoredRecord(1, 7, true, held);
        QByteArray colours0(48, '\0');
        for (int i = 0; i < 48; ++i)
            colours0[i] = char(1 + 3 * i);
        sim::setLedState(0, 2, colours0);
        QVERIFY(f->connectKeypad(15, 3, 10)); // the read-back at first contact is checked above
        QCOMPARE(recordBytes(Store.PHY2_KEY_Value[1][7], 64), held);

        // slot 2 on the delay page; 300 ms on the second stroke, typed in
        f->clickTab(5);
        f->click(QStringLiteral("pushButton_K2"));
        QCOMPARE(Store.Select_PHY_Key, quint8(2));
        auto *row2 = f->child<QSpinBox>(QStringLiteral("delay_spinBox_2"));
        QVERIFY(row2->isEnabled());
        row2->setFocus();
        QTest::keyClick(row2, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(row2, QStringLiteral("300"));
        QCOMPARE(row2->value(), 300);

        // "Undo" on the Procreate page
        f->clickTab(6);
        QPushButton *undo = nullptr;
        for (QPushButton *b :
             f->child<QTabWidget>(QStringLiteral("tabWidget"))->widget(6)->findChildren<QPushButton *>())
            if (b->text() == QLatin1String("Undo"))
                undo = b;
        QVERIFY(undo);
        f->click(undo);
        QCOMPARE(f->slotText(2), QStringLiteral("Undo"));

        // green for key 2 on the LED page (the page asks the keypad for its LED state)
        f->clickTab(3);
        QCOMPARE(sim::received().size(), 1);
        QCOMPARE(Store.LED_Layer_Mode[0], quint8(2));
        f->click(QStringLiteral("LED_color_4")); // rgb(0, 255, 0)
        sim::clearLogs();

        save();

        QByteArray record = bytesOf({0xFD, 0x02, 0x01, 0x01, 0x00, 0x02, // header, count 2
                                     0x00, 0x00, 0xF4,                   // command, no delay
                                     0x01, 0x2C, 0x1D},                  // Z after 300 ms
                                    64);
        for (int unit = 2; unit < 18; ++unit)
            record[7 + 3 * unit] = 50; // the 50 ms the later rows show
        colours0.replace(3, 3, QByteArray::fromHex("00ff00"));
        auto led = [](int layer, int mode, const QByteArray &colours) {
            QByteArray r(65, '\0');
            r[0] = 0x03, r[1] = char(0xFE), r[2] = char(0xB0), r[3] = char(layer), r[4] = char(mode);
            r.replace(5, 48, colours);
            return r;
        };

        const QVector<sim::Report> got = sim::received();
        QCOMPARE(got.size(), 5);
        QCOMPARE(got[0].bytes, QByteArray(1, 0x03) + record);
        QCOMPARE(got[1].bytes, led(0, 2, colours0));
        QCOMPARE(got[2].bytes, led(1, 0, kInitialColours));
        QCOMPARE(got[3].bytes, led(2, 0, kInitialColours));
        QCOMPARE(got[4].bytes, kCommit);

        // what the keypad now holds
        QCOMPARE(sim::storedRecord(0, 2, true), record);
        QCOMPARE(sim::storedRecord(1, 7, true), held);
        QCOMPARE(sim::ledMode(0), quint8(2));
        QCOMPARE(sim::ledColours(0), colours0);
        QCOMPARE(sim::ledColours(1), kInitialColours);
        QCOMPARE(sim::ledColours(2), kInitialColours);
        QCOMPARE(sim::commitCount(), 1);
    }
};

void TestE2eDevice::notConnectedSendsNothing()
{
    editStandard(0, 1, 0x04);
    save();
    QVERIFY(sim::reports().isEmpty());
    QCOMPARE(Store.Modify_Key_Flag[0][1], quint8(1));
    QCOMPARE(Store.Save_Notice_Active, quint8(0));
}

void TestE2eDevice::commitPerLayerAndSecondDownloadSendsNothing()
{
    QVERIFY(f->connectKeypad(15, 3, 0));
    editStandard(0, 5, 0x08);
    editStandard(1, 7, 0x09);
    // the layer's LED record travels first
    quint8 *led = Store.PHY_KEY_Value[1][0];
    led[0] = 0xFE;
    led[1] = 0xB0;
    led[2] = 2;
    led[3] = 8;
    led[9] = 1;
    led[11] = 0x12;
    Store.Modify_Key_Flag[1][0] = 1;
    editStandard(2, 24, 0x0A);

    save();
    const QVector<QByteArray> got = receivedBytes();
    QCOMPARE(got.size(), 7);
    QCOMPARE(got[0].left(3), QByteArray::fromHex("03FD05"));
    QCOMPARE(got[1], kCommit);
    QCOMPARE(got[2], padded("03FEB002080000000000010012"));
    QCOMPARE(got[3].left(4), QByteArray::fromHex("03FD0702"));
    QCOMPARE(got[4], kCommit);
    QCOMPARE(got[5].left(4), QByteArray::fromHex("03FD1803"));
    QCOMPARE(got[6], kCommit);
    for (const QByteArray &report : got)
        QCOMPARE(report.size(), 65);
    verifyPauseAfter(1);
    verifyPauseAfter(4);
    QCOMPARE(sim::storedRecord(1, 0, false).at(11), char(0x12));
    for (int layer = 0; layer < kLayers; ++layer)
        for (int slot = 0; slot < kSlots; ++slot)
            QCOMPARE(Store.Modify_Key_Flag[layer][slot], quint8(0));

    sim::clearLogs();
    save();
    QVERIFY(sim::reports().isEmpty());
}

void TestE2eDevice::extendedLedChangeAloneHasNoCommit()
{
    QVERIFY(f->connectKeypad(16, 1, 10));
    (*f)->Language = 0;
    Store.LED_Layer_Mode[1] = 3;
    Store.LED_Color_Table[2][15][0] = 0x11;
    Store.LED_Modify_Flag = 1;

    save();
    const QVector<QByteArray> got = receivedBytes();
    QCOMPARE(got.size(), 3);
    for (int layer = 0; layer < 3; ++layer) {
        QCOMPARE(got[layer].size(), 65);
        QCOMPARE(got[layer].left(4), QByteArray::fromHex("03FEB0") + char(layer)); // layers from 0 here
        QCOMPARE(got[layer].at(4), char(Store.LED_Layer_Mode[layer]));
        QCOMPARE(got[layer].mid(5, 48),
                 QByteArray(reinterpret_cast<const char *>(Store.LED_Color_Table[layer]), 48));
        QCOMPARE(got[layer].mid(53), QByteArray(12, '\0'));
    }
    QCOMPARE(got[0].mid(5, 6), QByteArray::fromHex("FF0000FF8030")); // red, orange
    QCOMPARE(sim::ledMode(1), quint8(3));
    QCOMPARE(sim::ledColours(2).at(45), char(0x11));
    QCOMPARE(sim::commitCount(), 0);
    QCOMPARE(Store.LED_Modify_Flag, quint8(0));
    QCOMPARE(f->statusText(), QStringLiteral("保存成功"));
}

void TestE2eDevice::saveNoticeOwnsTheStatusFor1500ms()
{
    QVERIFY(f->connectKeypad());
    editStandard(0, 1, 0x04);
    save();
    const QString green = QStringLiteral("background-color: rgb(0,225,40);border:0px;");
    QCOMPARE(f->statusText(), QStringLiteral("Saved successfully"));
    QCOMPARE(f->statusStyle(), green);
    QCOMPARE(Store.Save_Notice_Active, quint8(1));

    QTimer *notice = nullptr;
    for (QTimer *t : f->window()->findChildren<QTimer *>(QString(), Qt::FindDirectChildrenOnly))
        if (t != (*f)->Poll_Timer)
            notice = t;
    QVERIFY(notice);
    QVERIFY(notice->isActive() && notice->isSingleShot());
    QCOMPARE(notice->interval(), 1500);

    f->poll(3);
    QCOMPARE(f->statusText(), QStringLiteral("Saved successfully"));
    QCOMPARE(f->statusStyle(), green);

    QTRY_COMPARE_WITH_TIMEOUT(Store.Save_Notice_Active, quint8(0), 5000);
    QCOMPARE(f->statusStyle(), QStringLiteral("background-color: rgb(60,60,60);border:0px;color:#FFFFFF;"));
    QCOMPARE(f->statusText(), QStringLiteral("Saved successfully"));
    f->poll();
    QCOMPARE(f->statusText(), QStringLiteral("Device Connect"));
    QCOMPARE(f->statusStyle(), QStringLiteral("color: rgb(255, 255, 255);"));
}

void TestE2eDevice::failedRecordKeepsItsFlagAndIsNoSuccess()
{
    QVERIFY(f->connectKeypad());
    editStandard(0, 2, 0x04);
    editStandard(0, 5, 0x05);
    editStandard(0, 9, 0x06);
    sim::failWrites(1, 1); // slot 5's write fails; slot 9 and the commit get through
    {
        LogCapture log;
        save();
        QVERIFY(log.contains(QStringLiteral(
            "err_string = virtual keypad: the device refused the output report (write failure)")));
    }
    QVector<QByteArray> got = receivedBytes();
    QCOMPARE(got.size(), 3);
    QCOMPARE(got[0].at(2), char(2));
    QCOMPARE(got[1].at(2), char(9));
    QCOMPARE(got[2], kCommit);
    QCOMPARE(f->statusText(), QStringLiteral("Device Disconnect USB"));
    QCOMPARE(f->statusStyle(), QStringLiteral("color: rgb(220, 0, 0);"));
    QCOMPARE(Store.Save_Notice_Active, quint8(0));
    QCOMPARE(Store.Modify_Key_Flag[0][2], quint8(0));
    QCOMPARE(Store.Modify_Key_Flag[0][5], quint8(1));
    QCOMPARE(Store.Modify_Key_Flag[0][9], quint8(0));

    // the next download retries only the failed record
    sim::clearLogs();
    save();
    got = receivedBytes();
    QCOMPARE(got.size(), 2);
    QCOMPARE(got[0].left(3), QByteArray::fromHex("03FD05"));
    QCOMPARE(got[1], kCommit);
    QCOMPARE(Store.Modify_Key_Flag[0][5], quint8(0));
    QCOMPARE(f->statusText(), QStringLiteral("Saved successfully"));
}

void TestE2eDevice::failedCommitKeepsItsBatch()
{
    QVERIFY(f->connectKeypad());
    editStandard(1, 4, 0x04);
    sim::failWrites(1, 1);
    save();
    QCOMPARE(sim::received().size(), 1);
    QCOMPARE(sim::commitCount(), 0);
    QCOMPARE(Store.Modify_Key_Flag[1][4], quint8(1));
    QCOMPARE(f->statusText(), QStringLiteral("Device Disconnect USB"));
}

void TestE2eDevice::failedLedWriteKeepsTheLedFlag()
{
    QVERIFY(f->connectKeypad(16, 1, 10));
    Store.LED_Layer_Mode[2] = 4;
    Store.LED_Modify_Flag = 1;
    sim::failWrites(1, 1);
    save();
    QCOMPARE(sim::received().size(), 2);
    QCOMPARE(Store.LED_Modify_Flag, quint8(1));
    QCOMPARE(f->statusText(), QStringLiteral("Device Disconnect USB"));

    sim::clearLogs();
    save();
    QCOMPARE(sim::received().size(), 3);
    QCOMPARE(sim::ledMode(2), quint8(4));
    QCOMPARE(Store.LED_Modify_Flag, quint8(0));
    QCOMPARE(f->statusText(), QStringLiteral("Saved successfully"));
}

void TestE2eDevice::standardReadsThreeLayersOf24()
{
    seedKeypad(false);
    fillStore(0x77);
    Store.Modify_Key_Flag[1][4] = 1;
    Store.Modify_Key_Flag[2][30] = 1;
    quint8 flags[kLayers][kSlots];
    std::memcpy(flags, Store.Modify_Key_Flag, sizeof flags);

    readBack(); // not connected: nothing happens
    QVERIFY(sim::reports().isEmpty());

    QVERIFY(f->connectKeypad(15, 3, 0));
    // layer 2 in front; its slot 1 holds Ctrl+C on the keypad, slot 2 nothing
    Store.Select_PHY_Key_Layer = 1;
    sim::setStoredRecord(1, 1, false, bytesOf({0xFD, 1, 2, 1, 0, 0, 0, 0, 0, 1, 0x01, 0x06}, 64));
    sim::setStoredRecord(1, 2, false, bytesOf({0xFD, 2, 2, 1}, 64));

    readBack();
    QCOMPARE(sim::received().size(), 3);
    for (int layer = 1; layer <= 3; ++layer)
        QCOMPARE(sim::received()[layer - 1].bytes,
                 QByteArray::fromHex("03FA0F03") + char(layer) + QByteArray(60, '\0'));
    QCOMPARE(answersRead(), 72);

    for (int layer = 0; layer < 3; ++layer)
        for (int slot = 1; slot <= 24; ++slot) {
            if (layer == 1 && slot <= 2)
                continue;
            QVERIFY2(holdsKeypadRecord(Store.PHY_KEY_Value[layer][slot], layer, slot, 49, 0x77),
                     qPrintable(QString("layer %1 slot %2").arg(layer).arg(slot)));
        }
    for (int layer = 0; layer < 3; ++layer)
        for (int slot : {0, 25, 26, 59})
            QVERIFY(untouched(Store.PHY_KEY_Value[layer][slot], 0x77));
    QVERIFY(untouched(Store.PHY2_KEY_Value[0][1], 0x77));
    QVERIFY(std::memcmp(flags, Store.Modify_Key_Flag, sizeof flags) == 0);

    // the picture shows the layer in front as read
    QCOMPARE(f->child<QPushButton>(QStringLiteral("pushButton_K1"))->text(), QStringLiteral("Ctrl+C"));
    QCOMPARE(f->child<QPushButton>(QStringLiteral("pushButton_K2"))->text(), QStringLiteral("NULL"));
}

void TestE2eDevice::extendedReadsAtFirstContact()
{
    seedKeypad(true);
    fillStore(0x66);
    sim::setModel(25, 0, 10);
    sim::plug();
    f->poll(2);
    QCOMPARE(Store.Dev_Connected, quint8(1));

    const QVector<sim::Report> got = sim::received();
    QCOMPARE(got.size(), 4); // model query, then one request per layer
    for (int layer = 1; layer <= 3; ++layer)
        QCOMPARE(got[layer].bytes, QByteArray::fromHex("03FA1900") + char(layer) + QByteArray(60, '\0'));
    QCOMPARE(answersRead(), 1 + 75);
    for (int layer = 0; layer < 3; ++layer) {
        for (int slot = 1; slot <= 25; ++slot)
            QVERIFY(holdsKeypadRecord(Store.PHY2_KEY_Value[layer][slot], layer, slot, 59, 0x66));
        QVERIFY(untouched(Store.PHY2_KEY_Value[layer][26], 0x66));
        QVERIFY(untouched(Store.PHY_KEY_Value[layer][1], 0x66));
    }
    for (int layer = 0; layer < kLayers; ++layer)
        for (int slot = 0; slot < kSlots; ++slot)
            QCOMPARE(Store.Modify_Key_Flag[layer][slot], quint8(0));
}

void TestE2eDevice::keypadFallingSilentMidway()
{
    seedKeypad(false);
    QVERIFY(f->connectKeypad(15, 3, 0));
    fillStore(0x55);
    sim::setAnswerLimit(10);

    readBack();
    QCOMPARE(sim::received().size(), 3); // every layer is still asked
    QCOMPARE(answersRead(), 30);
    QCOMPARE(emptyReads(), 3); // one bounded wait per layer, no more
    for (int layer = 0; layer < 3; ++layer) {
        for (int slot = 1; slot <= 10; ++slot)
            QVERIFY(holdsKeypadRecord(Store.PHY_KEY_Value[layer][slot], layer, slot, 49, 0x55));
        for (int slot = 11; slot <= 24; ++slot) // not the previous answer's bytes
            QVERIFY(untouched(Store.PHY_KEY_Value[layer][slot], 0x55));
    }

    // a keypad that does not answer at all
    sim::setAnswerLimit(0);
    sim::clearLogs();
    readBack();
    QCOMPARE(emptyReads(), 3);
    QCOMPARE(sim::reads().size(), 3);
}

void TestE2eDevice::failedReadsAndRequests()
{
    seedKeypad(false);
    QVERIFY(f->connectKeypad(15, 3, 0));
    fillStore(0x44);
    sim::failReads(5, 1);  // the answer for slot 6 of layer 1 is lost
    sim::failWrites(1, 1); // the request for layer 2 fails
    LogCapture log;

    readBack();
    QVERIFY(log.contains(
        QStringLiteral("err_string = virtual keypad: the input report was lost (read failure)")));
    QCOMPARE(sim::received().size(), 2);
    QVERIFY(holdsKeypadRecord(Store.PHY_KEY_Value[0][5], 0, 5, 49, 0x44));
    QVERIFY(untouched(Store.PHY_KEY_Value[0][6], 0x44));
    QVERIFY(holdsKeypadRecord(Store.PHY_KEY_Value[0][7], 0, 7, 49, 0x44));
    QVERIFY(untouched(Store.PHY_KEY_Value[1][1], 0x44));
    QVERIFY(holdsKeypadRecord(Store.PHY_KEY_Value[2][24], 2, 24, 49, 0x44));
}

void TestE2eDevice::keypadStoresRecordsPerFormat()
{
    sim::plug();
    hid_device *dev = openKeypad();
    quint8 rec[kRecordSize] = {0xFD, 3, 2, 1};
    rec[9] = 1;
    rec[11] = 0x06;
    QCOMPARE(writeReport(dev, reports::encodeKeyRecord(rec, false)), 65);
    QCOMPARE(writeReport(dev, reports::encodeCommit()), 65);
    QCOMPARE(sim::storedRecord(1, 3, false).left(12), QByteArray::fromHex("FD0302010000000000010006"));
    QCOMPARE(sim::storedRecord(1, 3, true), filledRecord(3, 2, 0)); // untouched
    QCOMPARE(sim::commitCount(), 1);
    hid_close(dev);

    sim::setModel(25, 0, 10);
    dev = openKeypad();
    writeReport(dev, filledRecord(7, 3, 0x42).prepend(char(0x03)));
    QCOMPARE(sim::storedRecord(2, 7, true), filledRecord(7, 3, 0x42));
    QCOMPARE(sim::storedRecord(2, 7, false), filledRecord(7, 3, 0));
    hid_close(dev);

    // every write is logged in order with monotonic timestamps
    const QVector<sim::Report> got = sim::received();
    QCOMPARE(got.size(), 3);
    QCOMPARE(got[1].bytes, reports::encodeCommit());
    QVERIFY(got[0].nsecs <= got[1].nsecs && got[1].nsecs <= got[2].nsecs);
}

void TestE2eDevice::keypadAnswersReadRequestsInSlotOrder()
{
    sim::plug();
    for (int s = 0; s < 60; ++s)
        sim::setStoredRecord(0, s, false, filledRecord(s, 1, quint8(s)));
    hid_device *dev = openKeypad();
    writeReport(dev, reports::encodeReadRequest(2, 1, 1));
    QList<int> order;
    for (QByteArray a = readAnswer(dev); !a.isEmpty(); a = readAnswer(dev)) {
        QCOMPARE(a.size(), 64);
        QCOMPARE(a.mid(1),
                 filledRecord(quint8(a[2]), 1, quint8(a[2])).left(63)); // answer byte i+1 = record byte i
        order.append(a[2]);
    }
    QCOMPARE(order, (QList<int>{1, 2, 16, 17, 18}));
    hid_close(dev);

    // an extended keypad answers key slots only
    sim::setModel(25, 0, 10);
    dev = openKeypad();
    writeReport(dev, reports::encodeReadRequest(25, 3, 3));
    int answers = 0;
    while (!readAnswer(dev).isEmpty())
        ++answers;
    QCOMPARE(answers, 25);
    hid_close(dev);
}

QTEST_MAIN(TestE2eDevice)
#include "tst_e2e_device.moc"
