// The command line in-process against the virtual keypad: export then apply to a fresh keypad of
// the same model stores the same bytes with the reports, commits and pauses of a Save; every
// refusal writes nothing to the keypad and ends with its own exit status; a pinned link opens
// nothing but the keypad at its path.
#include <QtTest>

#include <hidapi.h>

#include "cli_run.h"
#include "device/keypad_link.h"

namespace
{

void plug(quint8 keys, quint8 knobs, quint8 variant, quint16 vid = 0x1189, quint16 pid = 0x8840)
{
    sim::reset();
    sim::setModel(keys, knobs, variant);
    sim::setIds(vid, pid);
    sim::plug();
}

// What reached the keypad that changes it (K key record, L LED report, C commit), and whether
// every commit was followed by a pause of 200 ms at least.
QString writes(bool *paused = nullptr)
{
    QString shape;
    qint64 commitAt = -1;
    for (const sim::Report &r : sim::received()) {
        if (paused && commitAt >= 0)
            *paused = *paused && r.nsecs - commitAt >= 200LL * 1000 * 1000;
        const auto b1 = quint8(r.bytes[1]), b2 = quint8(r.bytes[2]);
        const bool commit = b1 == 0xFD && b2 == 0xFE;
        commitAt = commit ? r.nsecs : -1;
        if (b1 == 0xFD || b1 == 0xFE)
            shape += QLatin1Char(commit ? 'C' : b1 == 0xFD ? 'K' : 'L');
    }
    return shape;
}

} // namespace

class TestCli : public QObject
{
    Q_OBJECT

  private slots:
    void roundTrip_data()
    {
        QTest::addColumn<bool>("extended");
        QTest::addColumn<QString>("save"); // a Save of every slot read back: records, LED, commits
        QTest::newRow("standard 15 keys, 3 knobs") << false << (QString(24, 'K') + 'C').repeated(3);
        QTest::newRow("extended 16 keys, 3 knobs") << true << QString(75, 'K') + "LLLC";
    }
    void roundTrip()
    {
        QFETCH(bool, extended);
        QFETCH(QString, save);
        const auto keypad = [extended] { plug(extended ? 16 : 15, 3, extended ? 10 : 0, 0x514C, 0x8842); };
        keypad();
        for (int layer = 0; layer < kLayers; ++layer) {
            for (int slot = 1; slot <= (extended ? 25 : 24); ++slot) {
                QByteArray r(64, '\0');
                for (int i = 3; i < (extended ? 60 : 50); ++i)
                    r[i] = char(7 * slot + 13 * layer + i);
                r[0] = char(0xFD), r[1] = char(slot), r[2] = char(layer + 1);
                sim::setStoredRecord(layer, slot, extended, r);
            }
            if (extended) // a standard keypad's LED setting is its slot 0 record, never read back
                sim::setLedState(layer, quint8(layer + 2), QByteArray(48, char(0x40 + layer)));
        }
        const QByteArray before = memory(extended);
        QByteArray file;
        QCOMPARE(run({"export", "-"}, {}, &file), 0);
        QCOMPARE(writes(), QString());

        keypad();
        QVERIFY(memory(extended) != before);
        sim::setWriteTime(15); // a save of over a second: a progress line on a terminal, then wiped
        QByteArray err;
        QCOMPARE(run({"apply", "-"}, file, nullptr, &err, true), 0);
        QVERIFY2(err.startsWith("\rSaving ") && err.contains("\r\x1b[KApplied"), err.constData());
        QCOMPARE(memory(extended), before);
        bool paused = true;
        QCOMPARE(writes(&paused), save);
        QVERIFY(paused);
    }

    void refusals_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QString>("keypad"); // how refusals() sets the virtual keypad up
        QTest::addColumn<int>("status");
        QTest::addColumn<QString>("message");
        plug(15, 3, 0);
        QByteArray good;
        QVERIFY(run({"export", "-"}, {}, &good) == 0);
        const auto bad = [&](const char *from, const char *to) { return QByteArray(good).replace(from, to); };
        const QStringList apply{"apply", "-"}, exportOut{"export", "-"};
        QTest::newRow("other model") << apply << good << "12/4" << 5
                                     << "made for 15 keys, 3 knobs, standard records (USB 1189:8840); the "
                                        "keypad is 12 keys, 4 knobs, standard records (USB 1189:8840)";
        QTest::newRow("other format, forced")
            << QStringList{"apply", "--force", "-"} << good << "extended" << 5 << "not even with --force";
        QTest::newRow("truncated") << apply << good.left(good.size() / 2) << "" << 6
                                   << "input: not valid JSON";
        QTest::newRow("wrong type") << apply << bad("\"keys\": 15", "\"keys\": \"15\"") << "" << 6 << "keys";
        QTest::newRow("no keypad") << apply << good << "none" << 3 << "no keypad found";
        QTest::newRow("access denied") << apply << good << "denied" << 4 << "install the udev rule";
        QTest::newRow("no model answer") << exportOut << good << "mute" << 1 << "did not say which model";
        QTest::newRow("write fails") << apply << good << "failing" << 1 << "failed after 0 of 72 records";
        QTest::newRow("no read-back") << exportOut << good << "silent" << 1 << "after 0 of 72 records";
        QTest::newRow("usage") << QStringList{"export", "a", "b"} << good << "" << 2
                               << "unexpected argument: b";
    }
    void refusals()
    {
        QFETCH(QStringList, args);
        QFETCH(QByteArray, file);
        QFETCH(QString, keypad);
        QFETCH(int, status);
        QFETCH(QString, message);
        plug(keypad == "12/4" ? 12 : 15, keypad == "12/4" ? 4 : 3, keypad == "extended" ? 10 : 0);
        if (keypad == "none")
            sim::unplug();
        sim::setOpenFails(keypad == "denied");
        sim::setModelAnswer(keypad != "mute");
        sim::setAnswerLimit(keypad == "silent" ? 0 : -1);
        if (keypad == "failing")
            sim::failWrites(1); // the model query goes through, the first record fails
        QByteArray out, err;
        QCOMPARE(run(args, file, &out, &err), status);
        QVERIFY2(err.contains(message.toUtf8()), err.constData());
        QCOMPARE(writes(), QString());
        QVERIFY2(args[0] == "list" || out.isEmpty(), "no layout file from a failed export");
    }

    void listAndPinnedLink()
    {
        plug(21, 1, 0, 0x514C, 0x8851);
        QByteArray out;
        QCOMPARE(run({"list"}, {}, &out), 0);
        QVERIFY2(out.contains("514c:8851  21 keys, 1 knob, variant 0  standard  ok"), out.constData());
        // Pinned to interface 1 (not the configuration interface) or to a path not listed, the
        // link opens nothing; pinned to interface 0 it opens the keypad.
        QMap<int, QByteArray> paths;
        hid_device_info *all = hid_enumerate(0, 0);
        for (hid_device_info *e = all; e; e = e->next)
            paths[e->interface_number] = e->path;
        hid_free_enumeration(all);
        for (const QByteArray &path : {paths[1], QByteArray("nowhere"), paths[0]}) {
            device::KeypadLink link(path);
            link.step(0);
            QTRY_VERIFY(link.idle());
            QCOMPARE(link.state() == device::State::Opened, path == paths[0]);
            QCOMPARE(sim::openHandles(), path == paths[0] ? 1 : 0);
        }
    }
};

QTEST_GUILESS_MAIN(TestCli)
#include "tst_cli.moc"
