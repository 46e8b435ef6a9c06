// The command line with several keypads attached: list shows them all; export and apply refuse
// to guess and act on the one --device names alone; apply --all writes every keypad of the
// file's model, each on its own, skips the others, and names the one unplugged in the middle.
#include <QtTest>

#include "cli_run.h"

namespace
{

// Keypads of these models, (keys, knobs) each, under 0x1189:0x8840; the first one's records
// recognisable.
void plugKeypads(const QVector<QPair<int, int>> &models)
{
    sim::reset();
    for (int i = 0; i < models.size(); ++i) {
        if (i)
            sim::addKeypad();
        sim::setModel(quint8(models[i].first), quint8(models[i].second), 0);
        sim::plug();
    }
    sim::select(0);
    for (int layer = 0; layer < 3; ++layer)
        for (int slot = 1; slot <= 24; ++slot) {
            QByteArray r(50, char(slot + 7 * layer));
            r[0] = char(0xFD), r[1] = char(slot), r[2] = char(layer + 1);
            sim::setStoredRecord(layer, slot, false, r);
        }
}

QByteArray memoryOf(int keypad)
{
    sim::select(keypad);
    return memory();
}

int reportsReceived(int keypad)
{
    sim::select(keypad);
    return sim::received().size();
}

} // namespace

class TestCliKeypads : public QObject
{
    Q_OBJECT

  private slots:
    void oneOfSeveral()
    {
        plugKeypads({{15, 3}, {6, 2}});
        QByteArray out, err, file;
        QCOMPARE(run({"list"}, {}, &out), 0);
        const int first = out.indexOf("15 keys, 3 knobs"), second = out.indexOf("6 keys, 2 knobs");
        QVERIFY2(first > 0 && second > first && out.contains("ZD-0001") && out.contains("ZD-0002"),
                 out.constData());

        // by serial, index or path: that keypad alone
        QCOMPARE(run({"export", "--device", "ZD-0001", "-"}, {}, &file, &err), 0);
        QCOMPARE(run({"export", "--device", "2", "-"}, {}, &out), 0);
        QVERIFY(out.contains("\"keys\": 6") && file.contains("\"keys\": 15"));
        QCOMPARE(run({"export", "--device", "9", "-"}, {}, &out, &err), int(cli::NoKeypad));
        const QByteArray before = memoryOf(0);
        sim::setStoredRecord(0, 1, false, QByteArray(50, '\x77'));
        sim::clearLogs();
        for (const QStringList &args : {QStringList{"export", "-"}, QStringList{"apply", "-"}}) {
            QCOMPARE(run(args, file, &out, &err), int(cli::SeveralKeypads));
            QVERIFY2(err.contains("#1  1189:8840  ZD-0001") && err.contains("#2  1189:8840  ZD-0002"),
                     err.constData());
        }
        QCOMPARE(run({"apply", "--device", "ZD-0002", "-"}, file, nullptr, &err), int(cli::WrongModel));
        sim::select(0);
        QCOMPARE(run({"apply", "--device", sim::interfaceZeroPath(), "-"}, file, nullptr, &err), 0);
        QCOMPARE(memoryOf(0), before);
        QCOMPARE(reportsReceived(1), 1); // its model query only
    }

    void applyToAll()
    {
        plugKeypads({{15, 3}});
        QByteArray file, err;
        QCOMPARE(run({"export", "-"}, {}, &file), 0);
        const QByteArray written = memoryOf(0);

        // seven of the file's model, one of another; the fourth unplugged after 20 reports
        plugKeypads({{15, 3}, {15, 3}, {15, 3}, {15, 3}, {6, 2}, {15, 3}, {15, 3}, {15, 3}});
        for (int i = 0; i < 8; ++i) {
            sim::select(i);
            sim::setStoredRecord(0, 1, false, QByteArray(50, '\x77'));
        }
        sim::select(6);
        sim::setSerial(QString()); // named by its path
        const QByteArray unnamed = sim::interfaceZeroPath();
        sim::select(3);
        sim::unplugAfterWrites(20, false);
        QCOMPARE(run({"apply", "--all", "-"}, file, nullptr, &err), int(cli::DeviceFailure));
        QCOMPARE(QString::fromUtf8(err).split('\n').filter(": ok: Applied 72 records").size(), 6);
        QVERIFY2(err.contains("#4 ZD-0004: FAILED") && err.contains("failed: #4 ZD-0004"), err.constData());
        QVERIFY2(err.contains("Skipped, of another model: #5 ZD-0005"), err.constData());
        QVERIFY2(err.contains("#7 " + unnamed + ": ok"), err.constData());
        for (int i : {0, 1, 2, 5, 6, 7})
            QCOMPARE(memoryOf(i), written);
        QCOMPARE(reportsReceived(4), 1);

        QCOMPARE(run({"apply", "--all", "--force", "-"}, file), int(cli::Usage));
    }
};

QTEST_GUILESS_MAIN(TestCliKeypads)
#include "tst_cli_keypads.moc"
