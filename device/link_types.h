#pragma once
// What the window hands the keypad link and what the link hands back: plain copies, so that
// the link's worker thread never touches the configuration store.
#include <QByteArray>
#include <QMetaType>
#include <QVector>

#include "device/store.h"

namespace device
{

// Where the link stands, as the window shows it.
enum class State {
    Searching,    // no keypad listed (or none with interface 0)
    AccessDenied, // a keypad is listed but cannot be opened
    Opened,       // a keypad is open; first contact comes at the next step
    Connected,    // first contact done
};

// What first contact learned about the keypad.
struct Keypad {
    quint16 vid = 0, pid = 0;
    bool answered = false; // the model query was answered with a plausible model
    quint8 keys = 0, knobs = 0, variant = 0;
    bool extended() const { return answered && variant == kExtendedVariant; }
};

// One record as a download sends it: record bytes 0..49 (standard) or 0..63 (extended), and the
// edit stamp the record had when the copy was taken.
struct RecordCopy {
    int layer = 0;
    int slot = 0;
    quint32 stamp = 0;
    QByteArray bytes;
};

// Everything one download sends, in sending order (layer by layer, ascending slots).
struct SaveJob {
    bool extended = false;
    QVector<RecordCopy> records;
    bool led = false; // extended keypads: the LED state changed and is sent
    quint32 ledStamp = 0;
    quint8 ledModes[kLayers] = {};
    quint8 ledColours[kLayers][kLedKeys][3] = {};
};

struct SaveOutcome {
    QVector<int> committed;  // indexes into SaveJob::records written and committed
    bool ledWritten = false; // the three LED reports were written
    bool failed = false;     // a write failed (or no keypad was open): the rest was not sent
};

// One read-back answer: answer bytes 2.. as record bytes 1..49 (standard) or 1..59 (extended).
struct ReadRecord {
    int layer = 0;
    int slot = 0;
    QByteArray bytes;
};

// A read-back of `layers` layers, `keys` key slots and `knobs` knobs each. `mark` is the
// store's Edit_Serial when it was asked for; it comes back with the outcome.
struct ViewJob {
    quint8 layers = kLayers;
    quint8 keys = 15;
    quint8 knobs = 3;
    bool extended = false;
    quint32 mark = 0;
};

struct ViewOutcome {
    bool extended = false;
    quint32 mark = 0;
    int requested = 0; // answers asked for
    QVector<ReadRecord> records;
    bool failed = false; // a write or read failed: the keypad was closed
    bool complete() const { return !failed && records.size() == requested; }
};

struct LedOutcome {
    int layer = 0;
    quint32 mark = 0;
    bool answered = false;
    quint8 mode = 0;
    quint8 colours[kLedKeys][3] = {};
};

enum class Exchange { Save, View };

} // namespace device

Q_DECLARE_METATYPE(device::State)
Q_DECLARE_METATYPE(device::Keypad)
Q_DECLARE_METATYPE(device::SaveJob)
Q_DECLARE_METATYPE(device::SaveOutcome)
Q_DECLARE_METATYPE(device::ViewOutcome)
Q_DECLARE_METATYPE(device::LedOutcome)
Q_DECLARE_METATYPE(device::Exchange)
