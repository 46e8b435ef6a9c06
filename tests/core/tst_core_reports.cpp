// The report encoders and answer decoders, byte by byte.
#include <QtTest>

#include "device/reports.h"

using namespace reports;

namespace
{

// Hex bytes padded with zeros to a full 65-byte report.
QByteArray padded(const char *hex)
{
    QByteArray b = QByteArray::fromHex(hex);
    b.append(QByteArray(kReportSize - b.size(), '\0'));
    return b;
}

// A 64-byte answer whose byte i is 0x80 + i, so every position is recognisable.
QVector<quint8> numberedAnswer()
{
    QVector<quint8> a(kAnswerSize);
    for (int i = 0; i < kAnswerSize; ++i)
        a[i] = quint8(0x80 + i);
    return a;
}

} // namespace

class TestReports : public QObject
{
    Q_OBJECT

  private slots:
    void fixedReports();
    void ctrlCInBothFormats();
    void recordTailIsNeverSent();
    void standardLedRecord();
    void readRequestAndLedQuery();
    void ledColours();
    void modelAnswer();
    void readbackSlotOrder();
    void readbackAnswerStoresOnlyThePayload();
    void ledAnswer();
};

void TestReports::fixedReports()
{
    QCOMPARE(encodeCommit(), padded("03FDFEFF"));
    QCOMPARE(encodeModelQuery(), padded("03FBFBFB"));
}

void TestReports::ctrlCInBothFormats()
{
    // Ctrl+C in slot 3 of layer 1: one entry {Ctrl, C} in the standard format; a Ctrl entry
    // then a C entry, no delays, in the extended format.
    quint8 standard[kRecordSize] = {};
    standard[0] = 0xFD;
    standard[1] = 3;
    standard[2] = 1;
    standard[3] = 1;
    standard[9] = 1;
    standard[10] = 0x01;
    standard[11] = 0x06;
    QCOMPARE(encodeKeyRecord(standard, false), padded("03FD0301010000000000010106"));

    quint8 extended[kRecordSize] = {};
    extended[0] = 0xFD;
    extended[1] = 3;
    extended[2] = 1;
    extended[3] = 1;
    extended[5] = 2;
    extended[8] = 0xF1;
    extended[11] = 0x06;
    QCOMPARE(encodeKeyRecord(extended, true), padded("03FD030101000200"
                                                     "00F1000006"));
}

void TestReports::recordTailIsNeverSent()
{
    quint8 record[kRecordSize];
    for (int i = 0; i < kRecordSize; ++i)
        record[i] = quint8(i + 1);

    const QByteArray standard = encodeKeyRecord(record, false);
    QCOMPARE(standard.size(), kReportSize);
    QCOMPARE(quint8(standard[0]), kReportId);
    for (int i = 1; i <= 50; ++i)
        QCOMPARE(quint8(standard[i]), record[i - 1]);
    QCOMPARE(standard.mid(51), QByteArray(14, '\0'));

    // The extended record fills the payload; record byte 64 has no place in the report.
    const QByteArray extended = encodeKeyRecord(record, true);
    QCOMPARE(extended.size(), kReportSize);
    QCOMPARE(quint8(extended[0]), kReportId);
    for (int i = 1; i <= 64; ++i)
        QCOMPARE(quint8(extended[i]), record[i - 1]);
}

void TestReports::standardLedRecord()
{
    // Layer 2's LED record: cyan, mode 2.
    quint8 led[kRecordSize] = {};
    led[0] = 0xFE;
    led[1] = 0xB0;
    led[2] = 2;
    led[3] = 8;
    led[9] = 1;
    led[11] = 0x52;
    QCOMPARE(encodeKeyRecord(led, false), padded("03FEB002080000000000010052"));
}

void TestReports::readRequestAndLedQuery()
{
    QCOMPARE(encodeReadRequest(15, 3, 2), padded("03FA0F0302"));
    QCOMPARE(encodeReadRequest(25, 0, 3), padded("03FA190003"));
    // The LED query numbers layers from 0.
    QCOMPARE(encodeLedQuery(0), padded("03FAB000"));
    QCOMPARE(encodeLedQuery(2), padded("03FAB002"));
}

void TestReports::ledColours()
{
    quint8 colours[kLedKeys][3];
    for (int k = 0; k < kLedKeys; ++k)
        for (int c = 0; c < 3; ++c)
            colours[k][c] = quint8(0x10 * c + k + 1);

    const QByteArray r = encodeLedColours(2, 4, colours);
    QCOMPARE(r.left(5), QByteArray::fromHex("03FEB00204"));
    // key 1 first, R G B
    QCOMPARE(r.mid(5, 6), QByteArray::fromHex("011121021222"));
    QCOMPARE(r.mid(50, 3), QByteArray::fromHex("102030"));
    QCOMPARE(r.mid(53), QByteArray(12, '\0'));
    QCOMPARE(r.size(), kReportSize);
}

void TestReports::modelAnswer()
{
    const quint8 answer[kAnswerSize] = {0x55, 0x66, 21, 4, 10};
    const Model m = decodeModelAnswer(answer);
    QCOMPARE(m.keys, quint8(21));
    QCOMPARE(m.knobs, quint8(4));
    QCOMPARE(m.variant, quint8(10));
}

void TestReports::readbackSlotOrder()
{
    QVector<int> standard;
    for (int s = 1; s <= 24; ++s)
        standard.append(s);
    QCOMPARE(readbackSlots(15, 3, false), standard);

    QVector<int> extended;
    for (int s = 1; s <= 25; ++s)
        extended.append(s);
    QCOMPARE(readbackSlots(25, 0, true), extended);
    // extended requests never ask for knob slots
    QCOMPARE(readbackSlots(2, 3, true), (QVector<int>{1, 2}));
    QCOMPARE(readbackSlots(4, 1, false), (QVector<int>{1, 2, 3, 4, 16, 17, 18}));
}

void TestReports::readbackAnswerStoresOnlyThePayload()
{
    const QVector<quint8> answer = numberedAnswer();
    for (bool extended : {false, true}) {
        quint8 record[kRecordSize];
        std::fill(std::begin(record), std::end(record), quint8(0x77));
        storeReadbackAnswer(answer.constData(), record, extended);

        const int last = extended ? 59 : 49;
        QCOMPARE(record[0], quint8(0x77)); // the command byte is kept
        for (int i = 1; i <= last; ++i)
            QCOMPARE(record[i], answer[i + 1]);
        for (int i = last + 1; i < kRecordSize; ++i)
            QCOMPARE(record[i], quint8(0x77));
    }
}

void TestReports::ledAnswer()
{
    const QVector<quint8> answer = numberedAnswer();
    quint8 mode = 0;
    quint8 colours[kLedKeys][3] = {};
    decodeLedAnswer(answer.constData(), &mode, colours);
    QCOMPARE(mode, answer[2]);
    QCOMPARE(colours[0][0], answer[3]);
    QCOMPARE(colours[0][2], answer[5]);
    QCOMPARE(colours[15][2], answer[50]);
}

QTEST_APPLESS_MAIN(TestReports)
#include "tst_core_reports.moc"
