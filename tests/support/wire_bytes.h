#pragma once
// Byte helpers for reports and records, for the window tests and the link tests alike.
#include <QByteArray>
#include <QVector>

#include <algorithm>
#include <initializer_list>

#include "sim/virtual_keypad.h"

namespace zd_test
{
// Report bytes: `bytes` padded with zeros to a full 65-byte report.
inline QByteArray padded(const QByteArray &bytes)
{
    return bytes + QByteArray(65 - bytes.size(), '\0');
}
// The same from hexadecimal text.
inline QByteArray padded(const char *hex)
{
    return padded(QByteArray::fromHex(hex));
}
// `head` followed by zeros up to `size` bytes.
inline QByteArray bytesOf(std::initializer_list<int> head, int size = 65)
{
    QByteArray b(size, '\0');
    std::copy(head.begin(), head.end(), b.begin());
    return b;
}
// A store record (or the first `size` bytes of one) as a byte string.
inline QByteArray recordBytes(const quint8 *record, int size = 65)
{
    return QByteArray(reinterpret_cast<const char *>(record), size);
}
// The reports the keypad received since its logs were last cleared.
inline QVector<QByteArray> receivedBytes()
{
    QVector<QByteArray> out;
    for (const sim::Report &r : sim::received())
        out.append(r.bytes);
    return out;
}
// How many of them are model queries (03 FB FB FB).
inline int modelQueries()
{
    return int(receivedBytes().count(padded("03FBFBFB")));
}
} // namespace zd_test
