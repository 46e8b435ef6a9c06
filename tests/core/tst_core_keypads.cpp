// Several keypads on one link (listed in search order, the first taken, another chosen; the window's
// test saves to the chosen one), and the link's steps driven by hot-plug events instead of the
// poll: nothing runs while nothing happens, a burst of events is one search, and every step that
// has a cause of its own (first contact, a repeated first contact, reconnecting) runs by itself.
#include <QSignalSpy>
#include <QtTest>

#include <algorithm>

#include "device/keypad_link.h"
#include "sim/virtual_keypad.h"

using device::KeypadLink;
using device::State;

namespace
{

struct Model {
    quint16 vid, pid;
    quint8 keys, knobs, variant;
};
// Added in this order; searched 2, 1, 5, 4, 7, 0, 6, 3 (ids first, then as listed).
const Model kModels[] = {{0x514C, 0x8840, 6, 2, 0},  {0x1189, 0x8840, 15, 3, 0}, {0x1189, 0x8842, 16, 3, 10},
                         {0x514C, 0x8851, 21, 1, 0}, {0x1189, 0x8830, 12, 4, 0}, {0x1189, 0x8840, 3, 1, 0},
                         {0x514C, 0x8830, 9, 0, 0},  {0x1189, 0x8850, 4, 0, 0}};
const QVector<int> kSearched{2, 1, 5, 4, 7, 0, 6, 3};

QVector<QByteArray> plugKeypads(int n)
{
    sim::reset();
    QVector<QByteArray> paths;
    for (int i = 0; i < n; ++i) {
        if (i)
            sim::addKeypad();
        sim::setIds(kModels[i].vid, kModels[i].pid);
        sim::setModel(kModels[i].keys, kModels[i].knobs, kModels[i].variant);
        sim::plug();
        paths << sim::interfaceZeroPath();
    }
    return paths;
}

// The window's poll: steps until the link is connected (four at most).
bool connectByPolling(KeypadLink &link)
{
    for (int i = 0; i < 4 && link.state() != State::Connected; ++i) {
        link.step(0);
        if (!QTest::qWaitFor([&] { return link.idle(); }))
            return false;
    }
    return link.state() == State::Connected;
}

} // namespace

class TestCoreKeypads : public QObject
{
    Q_OBJECT

  private slots:
    void severalKeypads()
    {
        for (int count : {2, 8}) {
            const QVector<QByteArray> paths = plugKeypads(count);
            QVector<int> order = kSearched;
            order.erase(std::remove_if(order.begin(), order.end(), [count](int i) { return i >= count; }),
                        order.end());
            KeypadLink link;
            device::Keypad contacted;
            connect(&link, &KeypadLink::connected, this, [&](const device::Keypad &k) { contacted = k; });

            const QVector<KeypadLink::Listed> listed = link.keypads();
            QCOMPARE(listed.size(), count);
            for (int i = 0; i < count; ++i) {
                QCOMPARE(listed[i].keypad.path, paths[order[i]]);
                QCOMPARE(listed[i].keypad.serial, QStringLiteral("ZD-000%1").arg(order[i] + 1));
                QVERIFY(!listed[i].known);
            }

            // the first in search order by default, then each of the others as chosen
            for (int i : order) {
                if (i != order.first()) {
                    link.choose(paths[i]);
                    QVERIFY(QTest::qWaitFor([&] { return link.idle(); }) && link.state() == State::Searching);
                }
                QVERIFY(connectByPolling(link) && link.inUse().path == paths[i]);
                QVERIFY(contacted.keys == kModels[i].keys && contacted.knobs == kModels[i].knobs &&
                        contacted.pid == kModels[i].pid);
            }
            QCOMPARE(sim::openHandles(), 1);
            for (const KeypadLink::Listed &k : link.keypads())
                QVERIFY(k.known && k.model.keys == kModels[paths.indexOf(k.keypad.path)].keys);
        }
    }

    void eventsDriveTheSteps()
    {
        plugKeypads(1);
        sim::unplug();
        sim::setUdevActive(true);
        KeypadLink link;
        QVERIFY(link.listen());
        int steps = 0;
        connect(&link, &KeypadLink::stepWanted, this, [&] {
            ++steps;
            link.step(0);
        });
        const auto quiet = [&] {
            QTest::qWait(300); // what a cause started has ended
            sim::clearLogs();
            steps = 0;
            QTest::qWait(400);
            return sim::enumerations().isEmpty() && steps == 0;
        };
        QVERIFY2(quiet(), "no keypad: nothing runs");

        // three interfaces announced: one search, then first contact
        sim::plug();
        QTRY_COMPARE_WITH_TIMEOUT(link.state(), State::Connected, 1000);
        const QVector<QPair<quint16, quint16>> searchedOnce{{0, 0}, {0x514C, 0x8840}};
        QCOMPARE(sim::enumerations(), searchedOnce);
        QVERIFY2(quiet(), "connected and idle: nothing runs");

        // first contact asked again runs by itself
        link.recontact();
        QTRY_COMPARE(steps, 1);
        QTRY_COMPARE(link.state(), State::Connected);

        // a failed Save while the keypad stays attached: reconnected without any event
        device::SaveJob job;
        job.records.append({0, 1, 1, QByteArray(50, '\0').replace(0, 3, "\xFD\x01\x01")});
        sim::failWrites(0, 1);
        QSignalSpy saved(&link, &KeypadLink::saved), closed(&link, &KeypadLink::disconnected);
        QVERIFY(link.save(job) && saved.wait() && saved.last()[1].value<device::SaveOutcome>().failed);
        QTRY_COMPARE(closed.count(), 1);
        QTRY_VERIFY(link.state() == State::Connected && link.idle()); // first contact done
        QVERIFY(link.save(job));
        QVERIFY(saved.wait() && !saved.last()[1].value<device::SaveOutcome>().failed);

        sim::unplug();
        QTRY_COMPARE(link.state(), State::Searching);
        QVERIFY(quiet());
    }

    void pollWithoutTheDeviceManager()
    {
        plugKeypads(1);
        sim::unplug();
        KeypadLink inactive;
        sim::setUdevActive(true);
        sim::setMonitorFails(true);
        KeypadLink noMonitor;
        QVERIFY(!inactive.listen() && !noMonitor.listen());
        // a keypad plugged in later is found by the steps, as ever
        sim::plug();
        QVERIFY(connectByPolling(noMonitor));
    }
};

QTEST_GUILESS_MAIN(TestCoreKeypads)
#include "tst_core_keypads.moc"
