#include "device/reports.h"

#include <cstring>

namespace reports
{

namespace
{

// A zeroed report carrying the report id and the given leading payload bytes.
QByteArray report(std::initializer_list<quint8> head)
{
    QByteArray r(kReportSize, '\0');
    r[0] = char(kReportId);
    int i = 1;
    for (quint8 b : head)
        r[i++] = char(b);
    return r;
}

} // namespace

QByteArray encodeKeyRecord(const quint8 *record, bool extended)
{
    QByteArray r = report({});
    std::memcpy(r.data() + 1, record, extended ? kExtendedRecordBytes : kStandardRecordBytes);
    return r;
}

QByteArray encodeCommit()
{
    return report({0xFD, 0xFE, 0xFF});
}

QByteArray encodeModelQuery()
{
    return report({0xFB, 0xFB, 0xFB});
}

QByteArray encodeReadRequest(quint8 keys, quint8 knobs, quint8 layerNumber)
{
    return report({0xFA, keys, knobs, layerNumber});
}

QByteArray encodeLedColours(int layerIndex, quint8 mode, const quint8 colours[kLedKeys][3])
{
    QByteArray r = report({0xFE, 0xB0, quint8(layerIndex), mode});
    std::memcpy(r.data() + 5, colours, kLedKeys * 3);
    return r;
}

QByteArray encodeLedQuery(int layerIndex)
{
    return report({0xFA, 0xB0, quint8(layerIndex)});
}

std::optional<Model> decodeModelAnswer(const quint8 *answer, int n)
{
    constexpr int kMaxKeys = 21, kMaxKnobs = 4;
    if (n < 5)
        return std::nullopt;
    const Model m{answer[2], answer[3], answer[4]};
    if (m.keys > kMaxKeys || m.knobs > kMaxKnobs || (m.keys == 0 && m.knobs == 0))
        return std::nullopt;
    return m;
}

QVector<int> readbackSlots(quint8 keys, quint8 knobs, bool extended)
{
    QVector<int> order;
    for (int s = 1; s <= keys; ++s)
        order.append(s);
    if (!extended)
        for (int s = 16; s <= 15 + 3 * knobs; ++s)
            order.append(s);
    return order;
}

void storeReadbackAnswer(const quint8 *answer, quint8 *record, bool extended)
{
    std::memcpy(record + 1, answer + 2, readbackBytes(extended));
}

bool answersSlot(const quint8 *answer, int n, int slot, int layerNumber, bool extended)
{
    if (n < 2 + readbackBytes(extended))
        return false;
    return (answer[2] == slot && answer[3] == layerNumber) || (answer[2] == 0 && answer[3] == 0);
}

void decodeLedAnswer(const quint8 *answer, quint8 *mode, quint8 colours[kLedKeys][3])
{
    *mode = answer[2];
    std::memcpy(colours, answer + 3, kLedKeys * 3);
}

} // namespace reports
