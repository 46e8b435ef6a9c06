// End to end: a slot assigned by clicks reaches the virtual keypad as the record the
// keypad expects, and reads back as the same combination.
#include <QtTest>

#include "sim/virtual_keypad.h"
#include "support/keypad_fixture.h"

namespace
{

QByteArray bytes(std::initializer_list<int> head, int size = 65)
{
    QByteArray b(size, '\0');
    int i = 0;
    for (int v : head)
        b[i++] = char(v);
    return b;
}

const QByteArray kCommit = bytes({0x03, 0xFD, 0xFE, 0xFF});
constexpr qint64 kCommitPauseNs = 200 * 1000 * 1000;

} // namespace

class TestEndToEndAssign : public QObject
{
    Q_OBJECT

    KeypadFixture *f = nullptr;

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
        QVERIFY2(got[2].nsecs - committedAt >= kCommitPauseNs,
                 qPrintable(QStringLiteral("%1 ns after the commit").arg(got[2].nsecs - committedAt)));
        QCOMPARE(f->child<QPushButton>(QStringLiteral("pushButton_K3"))->text(), QStringLiteral("Ctrl+C"));
    }

  private slots:
    void init() { f = new KeypadFixture; }
    void cleanup()
    {
        delete f;
        f = nullptr;
    }

    void standardKeypad()
    {
        QVERIFY(f->connectKeypad(15, 3, 0));
        assignCtrlCAndSave(
            bytes({0x03, 0xFD, 0x03, 0x01, 0x01, 0x00, 0x00, 0x00, 0x00, 0x00, 0x01, 0x01, 0x06}));
        readBackShowsCtrlC();
    }

    void extendedKeypadWithAKeyRecord()
    {
        // the keypad already holds a key combination record for slot 3 of layer 1
        sim::setStoredRecord(0, 3, true, bytes({0xFD, 0x03, 0x01, 0x01}, 64));
        QVERIFY(f->connectKeypad(15, 3, 10));
        assignCtrlCAndSave(
            bytes({0x03, 0xFD, 0x03, 0x01, 0x01, 0x00, 0x02, 0x00, 0x00, 0xF1, 0x00, 0x00, 0x06}));
        readBackShowsCtrlC();
    }

    void extendedKeypadFromFactoryRecords()
    {
        // Slot 3 reads back with function type 0 at first contact, so the first click
        // clears it; clearing resets the delay rows (all to 50, row 1 to 0), and each row
        // that changes stores its delay in the slot's unit.
        QVERIFY(f->connectKeypad(15, 3, 10));
        QByteArray record =
            bytes({0x03, 0xFD, 0x03, 0x01, 0x01, 0x00, 0x02, 0x00, 0x00, 0xF1, 0x00, 0x32, 0x06});
        for (int unit = 2; unit < 18; ++unit)
            record[7 + 3 * unit + 1] = char(0x32); // report byte = record byte + 1
        assignCtrlCAndSave(record);
        readBackShowsCtrlC();
    }
};

QTEST_MAIN(TestEndToEndAssign)
#include "tst_e2e_assign.moc"
