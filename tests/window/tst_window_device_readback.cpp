// Read-back: the real window asking the virtual keypad for its records.
#include <QPushButton>
#include <QtTest>

#include <cstring>

#include "device/store.h"
#include "sim/virtual_keypad.h"
#include "support/keypad_fixture.h"

namespace
{

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

} // namespace

class TestReadback : public QObject
{
    Q_OBJECT

    KeypadFixture *f = nullptr;

    void readBack() { f->click(QStringLiteral("Read_Configuration")); }

  private slots:
    void init() { f = new KeypadFixture; }
    void cleanup()
    {
        delete f;
        f = nullptr;
    }

    void standardReadsThreeLayersOf24();
    void extendedReadsAtFirstContact();
    void keypadFallingSilentMidway();
    void failedReadsAndRequests();
};

void TestReadback::standardReadsThreeLayersOf24()
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
    QByteArray ctrlC(64, '\0');
    ctrlC[0] = char(0xFD);
    ctrlC[1] = 1;
    ctrlC[2] = 2;
    ctrlC[3] = 1;
    ctrlC[9] = 1;
    ctrlC[10] = 0x01;
    ctrlC[11] = 0x06;
    sim::setStoredRecord(1, 1, false, ctrlC);
    QByteArray empty(64, '\0');
    empty[0] = char(0xFD);
    empty[1] = 2;
    empty[2] = 2;
    empty[3] = 1;
    sim::setStoredRecord(1, 2, false, empty);

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

void TestReadback::extendedReadsAtFirstContact()
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

void TestReadback::keypadFallingSilentMidway()
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

void TestReadback::failedReadsAndRequests()
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

QTEST_MAIN(TestReadback)
#include "tst_window_device_readback.moc"
