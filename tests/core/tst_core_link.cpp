// The keypad link against the virtual keypad, without a window: what a Save puts on the wire
// (bytes, order, pauses) and which flags it clears, where a View's answers land, what first
// contact makes of the model answer, and how the link and the edits come through late, stray,
// short and garbage answers, failures and replugs.
#include <QtTest>

#include <cstring>
#include <functional>
#include <utility>

#include "device/keypad_link.h"
#include "device/store.h"
#include "device/store_exchange.h"
#include "sim/virtual_keypad.h"
#include "support/wire_bytes.h"

using device::State;
using namespace zd_test;

namespace
{
constexpr qint64 kPauseNs = 200LL * 1000 * 1000;

const QByteArray kCommit = padded("03FDFEFF");

// A recognisable record of (layer, slot): the header, then bytes of its own up to byte 63.
QByteArray userRecord(int layer, int slot, quint8 salt = 0)
{
    QByteArray r = QByteArray::fromHex("FD0000") + char(1);
    r[1] = char(slot), r[2] = char(layer + 1);
    for (int i = 4; i < 64; ++i)
        r += char(salt + layer * 64 + slot + i);
    return r;
}

// The report a record travels in: standard records carry bytes 0..49 only.
QByteArray reportOf(const QByteArray &record, bool extended)
{
    return padded(char(0x03) + record.left(extended ? 64 : 50));
}

void edit(int layer, int slot, const QByteArray &record)
{
    std::copy(record.begin(), record.end(), Store.record(layer, slot));
    Store.markChanged(layer, slot);
}

QByteArray stored(int layer, int slot)
{
    return QByteArray(reinterpret_cast<const char *>(Store.record(layer, slot)), kRecordSize);
}

// Report `after` of the keypad's log comes 200 ms after the commit `commit` at the earliest.
bool pausedAfter(int commit, int after)
{
    const QVector<sim::Report> got = sim::received();
    return after < got.size() && got[commit].bytes == kCommit &&
           got[after].nsecs - got[commit].nsecs >= kPauseNs;
}

// The link as the window drives it: steps, and the store updated from every result.
class Harness : public QObject
{
  public:
    device::KeypadLink link;
    QVector<device::Keypad> contacts;
    device::ViewOutcome firstRead, viewed;
    device::SaveOutcome saved;
    device::LedOutcome led;
    std::function<void()> onProgress; // runs once, at the first progress of the next exchange

    Harness()
    {
        connect(&link, &device::KeypadLink::connected, this,
                [this](const device::Keypad &k, const device::ViewOutcome &o) {
                    contacts.append(k);
                    firstRead = o;
                    if (k.answered)
                        Store.Dev_Variant = k.variant;
                    device::applyView(Store, o, true);
                });
        connect(&link, &device::KeypadLink::saved, this,
                [this](const device::SaveJob &job, const device::SaveOutcome &o) {
                    saved = o;
                    device::applySave(Store, job, o);
                });
        connect(&link, &device::KeypadLink::viewed, this, [this](const device::ViewOutcome &o) {
            viewed = o;
            device::applyView(Store, o, false);
        });
        connect(&link, &device::KeypadLink::ledRead, this, [this](const device::LedOutcome &o) { led = o; });
        connect(&link, &device::KeypadLink::progress, this, [this] {
            if (onProgress)
                std::exchange(onProgress, nullptr)();
        });
    }
    void wait()
    {
        while (!link.idle())
            QTest::qWait(1);
    }
    void step(int steps = 1)
    {
        for (int i = 0; i < steps; ++i) {
            link.step(Store.Edit_Serial);
            wait();
        }
    }
    bool reconnect()
    {
        for (int i = 0; i < 4 && link.state() != State::Connected; ++i)
            step();
        sim::clearLogs();
        return link.state() == State::Connected;
    }
    bool connectKeypad(quint8 keys, quint8 knobs, quint8 variant)
    {
        sim::setModel(keys, knobs, variant);
        sim::plug();
        return reconnect();
    }
    bool save()
    {
        if (!link.save(device::saveJob(Store)))
            return false;
        wait();
        return !saved.failed;
    }
    const device::ViewOutcome &view(quint8 layers, quint8 keys, quint8 knobs)
    {
        link.view({layers, keys, knobs, Store.extended(), Store.Edit_Serial});
        wait();
        return viewed;
    }
};

} // namespace

class TestCoreLink : public QObject
{
    Q_OBJECT

    Harness *h = nullptr;

  private slots:
    void initTestCase()
    {
        QLoggingCategory::setFilterRules(QStringLiteral("zorveldeck.*.debug=false\nzorveldeck.*.info=false"));
    }
    void init()
    {
        sim::reset();
        Store.reset();
        h = new Harness;
    }
    void cleanup() { delete h; }

    void standardSave()
    {
        QVERIFY(h->connectKeypad(15, 3, 0));
        edit(0, 3, QByteArray::fromHex("FD0301010000000000010106")); // Ctrl+C
        edit(1, 0, QByteArray::fromHex("FEB002080000000000010012")); // the layer's LED record
        edit(1, 7, userRecord(1, 7));
        // read back from an empty slot, a record has zeros where slot and layer go: it still
        // travels under its own slot and layer
        QByteArray readBackEmpty = userRecord(2, 24);
        readBackEmpty[1] = readBackEmpty[2] = 0;
        edit(2, 24, readBackEmpty);
        QVERIFY(h->save());

        // per layer: its records in ascending slot order, then a commit and a pause
        QCOMPARE(receivedBytes(),
                 (QVector<QByteArray>{padded("03FD0301010000000000010106"), kCommit,
                                      padded("03FEB002080000000000010012"), reportOf(userRecord(1, 7), false),
                                      kCommit, reportOf(userRecord(2, 24), false), kCommit}));
        QVERIFY(pausedAfter(1, 2) && pausedAfter(4, 5));
        QCOMPARE(sim::storedRecord(2, 24, false).left(50), userRecord(2, 24).left(50));
        QCOMPARE(device::pendingChanges(Store), 0); // nothing is left to send
        // what follows the last commit also waits
        h->view(1, 1, 0);
        QVERIFY(pausedAfter(6, 7));
    }

    void extendedSave()
    {
        QVERIFY(h->connectKeypad(16, 1, 10));
        edit(0, 3, QByteArray::fromHex("FD03010100020000F1000006")); // Ctrl+C
        edit(1, 7, userRecord(1, 7));
        edit(2, 24, userRecord(2, 24));
        Store.LED_Layer_Mode[1] = 3;
        Store.LED_Color_Table[2][15][0] = 0x11;
        Store.markLedChanged();
        QVERIFY(h->save());

        // every record, then the LED state of layers 0..2 (numbered from 0), then one commit
        auto ledReport = [](int layer) {
            QByteArray r =
                padded(QByteArray::fromHex("03FEB0") + char(layer) + char(Store.LED_Layer_Mode[layer]));
            r.replace(5, 48, QByteArray(reinterpret_cast<const char *>(Store.LED_Color_Table[layer]), 48));
            return r;
        };
        QCOMPARE(receivedBytes(),
                 (QVector<QByteArray>{padded("03FD03010100020000F1000006"), reportOf(userRecord(1, 7), true),
                                      reportOf(userRecord(2, 24), true), ledReport(0), ledReport(1),
                                      ledReport(2), kCommit}));
        // the colours every layer starts with
        QCOMPARE(receivedBytes()[4].mid(5, 48),
                 QByteArray::fromHex("ff0000ff8030ffff3000ff0000ffff0000ff8000808b0000ffa500"
                                     "ffff967dff00008b8b00008bff00ffff6666ffc864"));
        QVERIFY(sim::storedRecord(1, 7, true) == userRecord(1, 7) && sim::ledColours(2).at(45) == 0x11);
        QCOMPARE(device::pendingChanges(Store), 0);
    }

    void saveCutShortKeepsEveryUnsentEdit_data()
    {
        QTest::addColumn<bool>("extended");
        QTest::addColumn<bool>("replugAtOnce"); // never leaves the list
        QTest::newRow("standard, replugged within one step") << false << true;
        QTest::newRow("extended, away for a while") << true << false;
    }

    void saveCutShortKeepsEveryUnsentEdit()
    {
        QFETCH(bool, extended);
        QFETCH(bool, replugAtOnce);
        QVERIFY(h->connectKeypad(15, 3, extended ? 10 : 0));
        for (int layer = 0; layer < kLayers; ++layer)
            for (int slot : {2, 9})
                edit(layer, slot, userRecord(layer, slot));
        if (extended) {
            Store.LED_Layer_Mode[2] = 4;
            Store.markLedChanged();
        }

        // unplugged after the 4th report: standard, layer 1 is written and committed and layer 2
        // half written; extended, nothing is committed
        sim::unplugAfterWrites(4, replugAtOnce);
        QVERIFY(!h->save() && h->link.state() == State::Searching);
        QCOMPARE(device::pendingChanges(Store), extended ? 7 : 4);
        if (!replugAtOnce) {
            h->step(3);
            QCOMPARE(h->link.state(), State::Searching);
            sim::plug();
        }
        // first contact again; an extended keypad's configuration is read back, but the unsaved
        // edits keep the user's bytes
        QVERIFY(h->reconnect());
        QCOMPARE(h->firstRead.records.size(), extended ? 75 : 0);
        QCOMPARE(stored(1, 9).left(64), userRecord(1, 9));

        // the next Save writes exactly what was not committed, with the user's bytes
        QVERIFY(h->save());
        QVector<QByteArray> expected;
        for (int layer = extended ? 0 : 1; layer < kLayers; ++layer) {
            expected << reportOf(userRecord(layer, 2), extended) << reportOf(userRecord(layer, 9), extended);
            if (!extended)
                expected << kCommit;
        }
        QCOMPARE(receivedBytes().mid(0, expected.size()), expected);
        QCOMPARE(receivedBytes().size(), expected.size() + (extended ? 4 : 0)); // extended: LED state, commit
        QCOMPARE(sim::ledMode(2), quint8(extended ? 4 : 0));
        for (int layer = 0; layer < kLayers; ++layer)
            QCOMPARE(sim::storedRecord(layer, 9, extended).left(extended ? 64 : 50),
                     userRecord(layer, 9).left(extended ? 64 : 50));
        QCOMPARE(device::pendingChanges(Store), 0);
    }

    void editsDuringAnExchangeAreKept()
    {
        QVERIFY(h->connectKeypad(15, 3, 0));
        edit(0, 2, userRecord(0, 2));
        edit(2, 5, userRecord(2, 5));
        // slot 2 is edited again once it is on its way: it stays flagged, with its new bytes
        h->onProgress = [] { edit(0, 2, userRecord(0, 2, 0x40)); };
        QVERIFY(h->save() && Store.Modify_Key_Flag[0][2] == 1 && !Store.Modify_Key_Flag[2][5]);
        sim::clearLogs();
        QVERIFY(h->save());
        QCOMPARE(receivedBytes(), (QVector<QByteArray>{reportOf(userRecord(0, 2, 0x40), false), kCommit}));

        // a record edited while a read-back runs keeps the user's bytes; the others are read
        h->onProgress = [] { edit(2, 20, userRecord(2, 20, 0x33)); };
        QVERIFY(h->view(3, 15, 3).complete());
        QCOMPARE(stored(2, 20).left(50), userRecord(2, 20, 0x33).left(50));
        QCOMPARE(stored(2, 19).mid(1, 49), sim::storedRecord(2, 19, false).mid(1, 49));
    }

    void viewTakesOnlyTheAwaitedAnswers()
    {
        // The keypad's records: byte 0 (answer byte 1) is not the record marker, slot 2 of layer 2
        // is empty (slot and layer bytes zero).
        for (int layer = 0; layer < kLayers; ++layer)
            for (int slot = 1; slot <= 24; ++slot) {
                QByteArray r = userRecord(layer, slot);
                r[0] = char(0xAB);
                sim::setStoredRecord(layer, slot, false, r);
            }
        sim::setStoredRecord(1, 2, false, bytesOf({0, 0, 0, 1}, 64));
        QVERIFY(h->connectKeypad(15, 3, 0));
        std::memset(Store.PHY_KEY_Value, 0x77, sizeof Store.PHY_KEY_Value);
        // Each record holds 0x77, or the keypad's record of its own slot in bytes 1..49 (`all`:
        // every key and knob slot does).
        const auto placedRight = [](bool all) {
            for (int layer = 0; layer < kLayers; ++layer)
                for (int slot = 0; slot < kSlots; ++slot) {
                    const QByteArray untouched(kRecordSize, char(0x77));
                    QByteArray read = untouched;
                    read.replace(1, 49, sim::storedRecord(layer, slot, false).mid(1, 49));
                    const bool slotRead = all && slot >= 1 && slot <= 24;
                    if (stored(layer, slot) != read && (slotRead || stored(layer, slot) != untouched))
                        return false;
                }
            return true;
        };

        // answers 300 ms late: every layer is given up, and the late answers land nowhere, on this
        // View or the next; neither does a stray report waiting before the View
        sim::setAnswerTiming(300, 1);
        QVERIFY(!h->view(3, 15, 3).complete() && placedRight(false));
        sim::setAnswerTiming(1, 1);
        sim::queueAnswer(padded(QByteArray::fromHex("03FD0703") + QByteArray(40, char(0x99))).left(64));
        sim::clearLogs();
        QCOMPARE(h->view(3, 15, 3).records.size(), 72);
        for (int layer = 0; layer < kLayers; ++layer)
            QCOMPARE(receivedBytes()[layer], padded(QByteArray::fromHex("03FA0F03") + char(layer + 1)));
        QVERIFY(placedRight(true) && device::pendingChanges(Store) == 0);
        QCOMPARE(stored(1, 2).mid(1, 49), bytesOf({0, 0, 1}, 49));

        // short answers never overwrite a record
        std::memset(Store.PHY_KEY_Value, 0x55, sizeof Store.PHY_KEY_Value);
        sim::setAnswerLength(50);
        QVERIFY(h->view(3, 15, 3).records.isEmpty() && stored(0, 1) == QByteArray(kRecordSize, char(0x55)));
        sim::setAnswerLength(-1);

        // a failed read ends the View with what was read and closes the keypad
        sim::failReads(5, 1);
        const device::ViewOutcome &broken = h->view(3, 15, 3);
        QVERIFY(broken.failed && broken.records.size() == 5 && h->link.state() == State::Searching &&
                h->reconnect());
    }

    void firstContactTakesOnlyAPlausibleModel_data()
    {
        QTest::addColumn<int>("keys");
        QTest::addColumn<int>("knobs");
        QTest::addColumn<int>("variant");
        QTest::addColumn<QByteArray>("raw"); // the model answer, if not the composed one
        QTest::addColumn<bool>("answered");
        QTest::newRow("15 + 3") << 15 << 3 << 0 << QByteArray() << true;
        QTest::newRow("knobs only, 0 + 3") << 0 << 3 << 0 << QByteArray() << true;
        QTest::newRow("21 + 4 extended") << 21 << 4 << 10 << QByteArray() << true;
        QTest::newRow("22 keys") << 22 << 1 << 0 << QByteArray() << false;
        QTest::newRow("neither keys nor knobs") << 0 << 0 << 10 << QByteArray() << false;
        QTest::newRow("garbage naming variant 10")
            << 15 << 3 << 0 << QByteArray::fromHex("03FBC3770A") << false;
    }

    void firstContactTakesOnlyAPlausibleModel()
    {
        QFETCH(int, keys);
        QFETCH(int, knobs);
        QFETCH(int, variant);
        QFETCH(QByteArray, raw);
        QFETCH(bool, answered);
        sim::setModel(quint8(keys), quint8(knobs), quint8(variant));
        sim::setRawModelAnswer(raw);
        sim::plug();
        h->step(2); // opened, first contact

        QCOMPARE(h->contacts.size(), 1);
        const device::Keypad k = h->contacts.first();
        QCOMPARE(k.answered, answered);
        QCOMPARE(sim::reports().first().bytes, padded("03FBFBFB"));
        if (answered)
            QCOMPARE(QVector<int>({k.keys, k.knobs, k.variant}), QVector<int>({keys, knobs, variant}));
        // only an extended keypad that said so is read back at first contact
        QCOMPARE(
            QVector<int>({int(receivedBytes().size()), int(h->firstRead.records.size()), Store.Dev_Variant}),
            QVector<int>({k.extended() ? 4 : 1, k.extended() ? 75 : 0, k.extended() ? 10 : 0}));
        QCOMPARE(h->link.state(), State::Connected);
    }

    void staleHandleAndClosing()
    {
        QVERIFY(h->connectKeypad(15, 3, 0));
        const int exits = sim::exitCount();
        // unplugged and plugged back between two steps: the keypad is listed all along, but the
        // handle is stale; the next step tells and closes it, the following ones connect again
        sim::unplug();
        sim::plug();
        h->step();
        QVERIFY(h->link.state() == State::Searching && !sim::openHandles() && h->reconnect());

        // closing the link closes the handle and shuts hidapi down
        delete h;
        h = nullptr;
        QVERIFY(!sim::openHandles() && sim::exitCount() == exits + 2);
    }

    void ledQueryKeepsAnUnsavedLedState()
    {
        const QByteArray colours(48, char(0x21));
        sim::setLedState(1, 5, colours);
        QVERIFY(h->connectKeypad(16, 1, 10));
        const auto query = [this] {
            h->link.queryLed(1, Store.Edit_Serial);
            h->wait();
            return device::applyLed(Store, h->led);
        };
        // a report already waiting is not taken for the answer
        sim::queueAnswer(padded(QByteArray(60, char(0x99))).left(64));
        QVERIFY(query());
        QCOMPARE(receivedBytes(), QVector<QByteArray>{padded("03FAB001")});
        QCOMPARE(Store.LED_Layer_Mode[1], quint8(5));
        QCOMPARE(QByteArray(reinterpret_cast<const char *>(Store.LED_Color_Table[1]), 48), colours);

        // edited and not saved: the keypad's state does not replace it
        Store.LED_Layer_Mode[1] = 2;
        Store.markLedChanged();
        QVERIFY(!query() && h->led.answered && Store.LED_Layer_Mode[1] == 2);
        // a short answer is no answer
        sim::setAnswerLength(50);
        QVERIFY(!query() && !h->led.answered);
    }
};

QTEST_GUILESS_MAIN(TestCoreLink)
#include "tst_core_link.moc"
