// Download end to end: records set in the store, "Save settings" clicked on the real window, the
// reports checked as the virtual keypad received them (bytes, order and the pause after commits).
#include <QTimer>
#include <QtTest>

#include <cstring>

#include "device/store.h"
#include "sim/virtual_keypad.h"
#include "support/keypad_fixture.h"

namespace
{

constexpr qint64 kPauseNs = 200LL * 1000 * 1000;

QByteArray padded(const char *hex)
{
    QByteArray b = QByteArray::fromHex(hex);
    return b + QByteArray(65 - b.size(), '\0');
}

const QByteArray kCommit = padded("03FDFEFF");

QVector<QByteArray> receivedBytes()
{
    QVector<QByteArray> out;
    for (const sim::Report &r : sim::received())
        out.append(r.bytes);
    return out;
}

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

} // namespace

class TestDownload : public QObject
{
    Q_OBJECT

    KeypadFixture *f = nullptr;

    void save() { f->click(QStringLiteral("download")); }

  private slots:
    void init() { f = new KeypadFixture; }
    void cleanup()
    {
        delete f;
        f = nullptr;
    }

    void notConnectedSendsNothing();
    void ctrlCStandardThenPause();
    void ctrlCExtended();
    void commitPerLayerAndSecondDownloadSendsNothing();
    void extendedLedChangeAloneHasNoCommit();
    void saveNoticeOwnsTheStatusFor1500ms();
    void failedRecordKeepsItsFlagAndIsNoSuccess();
    void failedCommitKeepsItsBatch();
    void failedLedWriteKeepsTheLedFlag();
};

void TestDownload::notConnectedSendsNothing()
{
    editStandard(0, 1, 0x04);
    save();
    QVERIFY(sim::reports().isEmpty());
    QCOMPARE(Store.Modify_Key_Flag[0][1], quint8(1));
    QCOMPARE(Store.Save_Notice_Active, quint8(0));
}

void TestDownload::ctrlCStandardThenPause()
{
    QVERIFY(f->connectKeypad(15, 3, 0));
    // Ctrl+C in slot 3 of layer 1
    quint8 *r = Store.PHY_KEY_Value[0][3];
    r[0] = 0xFD;
    r[1] = 3;
    r[2] = 1;
    r[3] = 1;
    r[9] = 1;
    r[10] = 0x01;
    r[11] = 0x06;
    Store.Modify_Key_Flag[0][3] = 1;

    save();
    const QVector<QByteArray> got = receivedBytes();
    QCOMPARE(got.size(), 2);
    QCOMPARE(got[0], padded("03FD0301010000000000010106"));
    QCOMPARE(got[1], kCommit);
    QCOMPARE(sim::storedRecord(0, 3, false).left(12), QByteArray::fromHex("FD0301010000000000010106"));

    // nothing reaches the keypad within 200 ms of the commit
    f->click(QStringLiteral("Read_Configuration"));
    QCOMPARE(sim::received()[2].bytes.left(3), QByteArray::fromHex("03FA0F"));
    verifyPauseAfter(1);
}

void TestDownload::ctrlCExtended()
{
    QVERIFY(f->connectKeypad(16, 1, 10));
    quint8 *r = Store.PHY2_KEY_Value[0][3];
    std::memset(r, 0, kRecordSize);
    const quint8 ctrlC[] = {0xFD, 3, 1, 1, 0, 2, 0, 0, 0xF1, 0, 0, 0x06};
    std::memcpy(r, ctrlC, sizeof ctrlC);
    r[64] = 0x5A; // never sent
    Store.Modify_Key_Flag[0][3] = 1;

    save();
    const QVector<QByteArray> got = receivedBytes();
    QCOMPARE(got.size(), 2);
    QCOMPARE(got[0], padded("03FD03010100020000F1000006"));
    QCOMPARE(got[1], kCommit);
    QCOMPARE(Store.Modify_Key_Flag[0][3], quint8(0));
    QCOMPARE(f->statusText(), QStringLiteral("Saved successfully"));
}

void TestDownload::commitPerLayerAndSecondDownloadSendsNothing()
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

void TestDownload::extendedLedChangeAloneHasNoCommit()
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

void TestDownload::saveNoticeOwnsTheStatusFor1500ms()
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

void TestDownload::failedRecordKeepsItsFlagAndIsNoSuccess()
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

void TestDownload::failedCommitKeepsItsBatch()
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

void TestDownload::failedLedWriteKeepsTheLedFlag()
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

QTEST_MAIN(TestDownload)
#include "tst_e2e_device_download.moc"
