// End to end against the virtual keypad: slots assigned by clicks, "Save settings" and "View
// settings" clicked on the real window, the reports checked as the keypad received them and what
// the window reads back; and what the status line and the buttons tell the user while the link
// works, when a Save fails and when the keypad stops answering.
#include <QPushButton>
#include <QTimer>
#include <QtTest>

#include "device/keypad_link.h"
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
    Store.markChanged(layer, slot);
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

    bool buttonsEnabled() const
    {
        return f->child<QWidget>(QStringLiteral("download"))->isEnabled() &&
               f->child<QWidget>(QStringLiteral("Read_Configuration"))->isEnabled();
    }
    // A click that does not wait for the exchange it starts.
    void clickAndGo(const char *name)
    {
        auto *b = f->child<QAbstractButton>(QLatin1String(name));
        QTest::mouseClick(b, Qt::LeftButton, Qt::NoModifier, b->rect().center());
    }

  private slots:
    void initTestCase() { QLoggingCategory::setFilterRules(QStringLiteral("zorveldeck.*.debug=false")); }
    void init() { f = new KeypadFixture; }
    void cleanup()
    {
        delete f;
        f = nullptr;
    }

    void saveAndViewTellTheUser();
    void saveNoticeOwnsTheStatusFor1500ms();
    void failedSaveIsShownAndItsEditsKept();

    // ---- assigned by clicks, saved, read back ----
    void ctrlCOnStandardKeypad()
    {
        QVERIFY(f->connectKeypad(15, 3, 0));
        assignCtrlCAndSave(
            bytesOf({0x03, 0xFD, 0x03, 0x01, 0x01, 0x00, 0x00, 0x00, 0x00, 0x00, 0x01, 0x01, 0x06}));
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
};

void TestE2eDevice::saveAndViewTellTheUser()
{
    editStandard(0, 1, 0x04);
    save(); // not connected: nothing happens
    QVERIFY(sim::reports().isEmpty());

    // a Save of three layers takes three pauses: the buttons wait, the status line counts
    QVERIFY(f->connectKeypad(15, 3, 0));
    for (int layer = 0; layer < kLayers; ++layer)
        editStandard(layer, 2, 0x05);
    clickAndGo("download");
    QVERIFY(!f->child<QWidget>(QStringLiteral("download"))->isEnabled());
    QVERIFY(!f->child<QWidget>(QStringLiteral("Read_Configuration"))->isEnabled());
    QTRY_VERIFY_WITH_TIMEOUT(f->statusText().startsWith(QStringLiteral("Saving ")), 2000);
    QVERIFY(f->statusText().contains(QStringLiteral("/7…"))); // 4 records, 3 commits
    f->waitIdle();
    QCOMPARE(f->statusText(), QStringLiteral("Saved successfully"));
    QVERIFY(buttonsEnabled());

    // a View that takes a while counts the answers and says how many it read
    sim::setAnswerTiming(1, 10);
    clickAndGo("Read_Configuration");
    QVERIFY(!buttonsEnabled());
    QTRY_VERIFY_WITH_TIMEOUT(f->statusText().startsWith(QStringLiteral("Reading ")), 2000);
    QVERIFY(f->statusText().endsWith(QStringLiteral("/72…")));
    f->waitIdle();
    QCOMPARE(f->statusText(), QStringLiteral("Read 72 records"));
    f->poll(); // a notice is not replaced by the poll step
    QCOMPARE(f->statusText(), QStringLiteral("Read 72 records"));
    QVERIFY(buttonsEnabled());

    // and says so when the keypad stopped answering
    (*f)->Language = catalogue::Chinese;
    sim::setAnswerLimit(10);
    readBack();
    QCOMPARE(f->statusText(), QStringLiteral("已读取 30/72 条记录：设备停止应答"));
    QCOMPARE(f->statusStyle(), QStringLiteral("color: rgb(220, 0, 0);"));
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

void TestE2eDevice::failedSaveIsShownAndItsEditsKept()
{
    QVERIFY(f->connectKeypad());
    (*f)->Language = catalogue::Chinese;
    for (int layer : {0, 1})
        for (int slot : {1, 2})
            editStandard(layer, slot, quint8(0x10 + slot));
    // unplugged and plugged back in after the second record: nothing is committed
    sim::unplugAfterWrites(2, true);
    save();
    const QString failed = QStringLiteral("保存失败：已保留 4 项更改，请再次点击“保存配置”");
    QCOMPARE(f->statusText(), failed);
    QVERIFY(f->statusStyle().startsWith(QStringLiteral("background-color: rgb(220,0,0);")));

    // the keypad is found and connected again meanwhile; the notice stays to be read
    for (int i = 0; i < 10; ++i) {
        f->poll();
        QTest::qWait(100);
    }
    QCOMPARE(Store.Dev_Connected, quint8(1));
    QCOMPARE(f->statusText(), failed);

    (*f)->Language = catalogue::English;
    sim::clearLogs();
    save();
    QCOMPARE(f->statusText(), QStringLiteral("Saved successfully"));
    const QVector<sim::Report> got = sim::received();
    QCOMPARE(got.size(), 6);
    for (int i : {0, 1, 3, 4})
        QCOMPARE(got[i].bytes.mid(1, 50), recordBytes(Store.PHY_KEY_Value[i / 3][i % 3 + 1], 50));
    QVERIFY(got[2].bytes == kCommit && got[5].bytes == kCommit);
    QVERIFY(got[3].nsecs - got[2].nsecs >= kPauseNs);
}

QTEST_MAIN(TestE2eDevice)
#include "tst_e2e_device.moc"
