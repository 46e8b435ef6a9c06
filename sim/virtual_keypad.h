#pragma once
// The virtual keypad: the hidapi C API (hid_enumerate, hid_open_path, hid_write, hid_read, ...)
// implemented over a model of the keypad firmware, plus a control and inspection interface for
// tests and the demo. Link zd_sim instead of the system hidapi to talk to it.
//
// Firmware model (interface 0 only; other interfaces accept writes and never answer):
// - key record (byte 1 = FD): stored at once under [byte 3 - 1][byte 2], report bytes 1..64 as
//   record bytes 0..63, in the standard or extended memory depending on the model variant
//   (10 = extended). There is no staging: a commit (FD FE FF) is only counted.
// - LED report (FE B0): extended variant: mode and 16 RGB triplets of layer index byte 3;
//   standard variant: stored like a key record in slot 0 of layer byte 3.
// - model query (FB FB FB): answers 03 FB keys knobs variant, unless switched off or replaced
//   by raw bytes.
// - read request (FA, K, N, layer 1..3): one answer per slot, slots 1..K then 16..15+3N
//   (extended variant: 1..K), answer byte i + 1 = record byte i.
// - LED query (FA B0, layer index): answers mode in byte 2 and the colours in bytes 3..50.
//
// Time runs as on a USB keypad: a write takes one frame (1 ms unless set otherwise); the answers
// to a report fall due one after another (the first 1 ms after the report, then 1 ms apart unless
// set otherwise) and queue up in order. hid_read_timeout blocks until the next answer is due or
// its timeout passes; hid_read blocks until an answer is due (or the keypad is unplugged) unless
// the handle is non-blocking. Every call is thread-safe: a link may call the C API from its
// worker thread while a test controls and inspects the keypad from another.
#include <QByteArray>
#include <QPair>
#include <QVector>
#include <climits>

namespace sim
{

// One hid_write call.
struct Report {
    QByteArray bytes;    // exactly as handed to hid_write, report id included
    qint64 nsecs;        // monotonic time at which the report reached the keypad (or failed)
    int interfaceNumber; // interface of the handle written to
    bool accepted;       // false when the write failed
};

// One hid_read / hid_read_timeout call.
struct Read {
    int timeoutMs; // as requested; -1 for hid_read in blocking mode, 0 in non-blocking mode
    int result;    // bytes returned, 0 = no answer, -1 = error
};

// ---- control ----
// One keypad, selected: unplugged; ids 0x1189:0x8840; interfaces {1, 0, 2}; model 15 keys, 3 knobs, variant
// 0, answering; writes and reads never fail; every answer sent, full length, on time; opening works; factory
// memory (every record FD, slot, layer number, zeros; LED modes and colours 0); logs cleared; no handle open;
// the device manager not active.
void reset();
// Adds a keypad with default settings and selects it; its index.
int addKeypad();
void select(int index);
int keypadCount();
// The serial number hid_enumerate reports ("ZD-0001" for the first keypad); empty: none.
void setSerial(const QString &serial);
// The path hid_enumerate lists for the keypad's interface 0.
QByteArray interfaceZeroPath();
// Whether udev_queue_get_udev_is_active says the daemon runs; whether creating a monitor fails.
void setUdevActive(bool active);
void setMonitorFails(bool fails);
void plug();
// Unplugging drops queued answers; handles opened before stay allocated but fail every call.
void unplug();
bool isPlugged();
// After `writes` more reports reach interface 0 the keypad is unplugged; with `replug` it is
// plugged in again at once, so it never leaves the list but every handle opened before is stale.
void unplugAfterWrites(int writes, bool replug);
// Takes effect at the next enumeration or open.
void setIds(quint16 vendorId, quint16 productId);
// Interface numbers listed by hid_enumerate, in this order (may be empty or lack 0).
void setInterfaces(const QVector<int> &numbers);
void setModel(quint8 keys, quint8 knobs, quint8 variant);
// false: the model query is received but never answered.
void setModelAnswer(bool answers);
// Non-empty: the model query is answered with exactly these bytes (report id included), in
// place of the composed answer.
void setRawModelAnswer(const QByteArray &answer);
// The next `after` writes succeed, the `count` after them fail, later ones succeed again.
void failWrites(int after, int count = INT_MAX);
// The next `after` reads that find an answer succeed, the `count` after them fail (the answer
// is lost), later ones succeed again.
void failReads(int after, int count = INT_MAX);
// Each read request is answered with at most `m` answers (-1: all of them).
void setAnswerLimit(int m);
// Every answer is cut to its first `bytes` bytes (-1: the full 64).
void setAnswerLength(int bytes);
// The first answer to a report falls due `firstMs` after it, each further one `spacingMs` after
// the one before.
void setAnswerTiming(int firstMs, int spacingMs);
// How long one hid_write takes.
void setWriteTime(int ms);
// Puts a report into the input queue, due at once (a late or stray answer).
void queueAnswer(const QByteArray &answer);
// true: hid_open_path and hid_open fail as if access were denied.
void setOpenFails(bool fails);

// ---- inspection (copies, taken under the keypad's lock) ----
// Of the selected keypad: reports, received, reads, commitCount; of every keypad: the others.
QVector<Report> reports();  // every write since reset() or clearLogs()
QVector<Report> received(); // the accepted writes on interface 0: what the firmware got
QVector<Read> reads();
// Every hid_enumerate call as (vendor id, product id), in call order.
QVector<QPair<quint16, quint16>> enumerations();
void clearLogs();
int commitCount();         // commit reports received since reset()
int openHandles();         // handles opened and not yet closed
int liveEnumerations();    // lists returned by hid_enumerate and not yet freed
int exitCount();           // hid_exit calls since reset()
int lastOpenedInterface(); // interface number of the last handle opened, -1 if none

// Firmware memory: record bytes 0..63 of [layer 0..2][slot 0..59] in either format.
QByteArray storedRecord(int layer, int slot, bool extended);
void setStoredRecord(int layer, int slot, bool extended, const QByteArray &record);
// Extended LED state of layer 0..2: mode and 48 colour bytes (key 1 R, G, B first).
quint8 ledMode(int layer);
QByteArray ledColours(int layer);
void setLedState(int layer, quint8 mode, const QByteArray &colours);

} // namespace sim
