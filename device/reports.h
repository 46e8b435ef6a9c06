#pragma once
// The HID reports exchanged with the keypad, built and taken apart by pure functions.
//
// Every output report is 65 bytes: byte 0 is the report id 0x03, bytes 1..64 the payload;
// bytes a report does not define are 0. Every answer is read into 64 bytes; byte 0 is the
// report id, the payload follows from byte 1. Byte numbers below include the report id.
#include <QByteArray>
#include <QVector>

#include <optional>

#include "device/store.h"

namespace reports
{

constexpr int kReportSize = 65;
constexpr int kAnswerSize = 64;
constexpr quint8 kReportId = 0x03;
// Record bytes that travel: 0..49 of a standard record, 0..63 of an extended one.
constexpr int kStandardRecordBytes = 50;
constexpr int kExtendedRecordBytes = 64;

// Key record (standard: record bytes 0..49 as report bytes 1..50, zeros after; extended:
// record bytes 0..63 as report bytes 1..64). Also carries the standard LED record of slot 0.
QByteArray encodeKeyRecord(const quint8 *record, bool extended);
// Closes a batch of key records: FD FE FF.
QByteArray encodeCommit();
// Asks for the model: FB FB FB.
QByteArray encodeModelQuery();
// Asks for one layer's records: FA, key slots, knobs, layer number 1..3.
QByteArray encodeReadRequest(quint8 keys, quint8 knobs, quint8 layerNumber);
// Extended LED state of one layer: FE B0, layer index 0..2, mode, 16 RGB triplets (key 1 first).
QByteArray encodeLedColours(int layerIndex, quint8 mode, const quint8 colours[kLedKeys][3]);
// Asks for the extended LED state of one layer: FA B0, layer index 0..2.
QByteArray encodeLedQuery(int layerIndex);

struct Model {
    quint8 keys = 0;
    quint8 knobs = 0;
    quint8 variant = 0;
};
// Model answer of `n` bytes: keys in byte 2, knobs in byte 3, variant in byte 4. Nothing unless
// all three are there and name a keypad of the family: at most 21 keys and 4 knobs, and not 0 of
// both (knob-only models have 0 keys).
std::optional<Model> decodeModelAnswer(const quint8 *answer, int n);

// Slots answered after a read request, in answer order: standard 1..keys then
// 16..15 + 3 * knobs; extended 1..keys.
QVector<int> readbackSlots(quint8 keys, quint8 knobs, bool extended);
// Stores one read-back answer into a record: answer bytes 2..50 become record bytes 1..49
// (standard) or 2..60 become 1..59 (extended). Record byte 0 and the bytes beyond stay.
void storeReadbackAnswer(const quint8 *answer, quint8 *record, bool extended);
// Number of record bytes storeReadbackAnswer writes, from record byte 1 on.
constexpr int readbackBytes(bool extended)
{
    return extended ? 59 : 49;
}
// Whether a read-back answer of `n` bytes is the one awaited for `slot` of layer `layerNumber`
// (1..3): it holds every byte that is stored, and its slot and layer bytes (2 and 3) name that
// slot and layer, or are both zero (the slot's empty record). Bytes 0 and 1 are not examined.
bool answersSlot(const quint8 *answer, int n, int slot, int layerNumber, bool extended);

// An LED answer holds bytes 0..50.
constexpr int kLedAnswerBytes = 51;

// LED answer: mode in byte 2, 16 RGB triplets in bytes 3..50.
void decodeLedAnswer(const quint8 *answer, quint8 *mode, quint8 colours[kLedKeys][3]);

} // namespace reports
