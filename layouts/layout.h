#pragma once
// A keypad's configuration as a plain value: the model it was made for, the records of
// the three layers exactly as a Save sends them, and the LED state of extended keypads.
// layout_file.h writes and reads it as JSON, layout_store.h moves it in and out of the
// configuration store.
#include <QByteArray>
#include <QString>
#include <QVector>

#include <array>
#include <optional>

#include "device/store.h"

namespace layouts
{

constexpr int kFormatVersion = 1;
// A file holds the key slots and, in the standard format only, the LED slot (see device/store.h).
using ::kLastKeySlot;
using ::kLedSlot;

enum class RecordFormat { Standard, Extended };

struct Model {
    quint8 keys = 0;
    quint8 knobs = 0;
    quint8 variant = 0;
    RecordFormat format = RecordFormat::Standard;
    quint16 vid = 0;
    quint16 pid = 0;

    // The record format follows from the variant: 10 is extended, anything else standard.
    static Model of(quint8 keys, quint8 knobs, quint8 variant, quint16 vid, quint16 pid);
    bool extended() const { return format == RecordFormat::Extended; }
    // Record bytes that travel: 50 standard, 64 extended.
    int recordBytes() const;
};

// True when a layout made for `a` fits a keypad `b`: same keys, knobs, variant, record
// format and product id. The vendor id is not compared: the keypads answer under either
// vendor id and nothing the tool does depends on which one.
bool sameModel(const Model &a, const Model &b);
// One line for messages, e.g. "15 keys, 3 knobs, standard records (USB 1189:8840)"; the
// variant is named when the record format does not already tell it (neither 0 nor 10).
QString describe(const Model &model);

struct Record {
    int slot = 0;
    QByteArray bytes; // what a Save sends: 50 bytes standard, 64 extended, header stamped
    QString caption;  // for people reading the file; never checked, never applied
};

struct LayerLed {
    quint8 mode = 0;
    std::array<std::array<quint8, 3>, kLedKeys> colours{}; // R, G, B of keys 1..16
};

struct Layout {
    int version = kFormatVersion;
    Model model;
    std::array<QVector<Record>, kLayers> layers;      // by layer index, records in ascending slot order
    std::optional<std::array<LayerLed, kLayers>> led; // extended keypads, when known

    int recordCount() const;
};

// The header a record of this slot and layer index carries: FD, slot, layer + 1; the
// standard LED record FE B0, layer + 1.
std::array<quint8, 3> headerFor(int slot, int layer);

enum class ErrorKind {
    Unreadable,     // the file cannot be opened or read
    Malformed,      // not JSON, or cut short
    NotALayout,     // JSON, but not a layout file
    NewerVersion,   // written by a newer format version
    UnknownVersion, // a version number that never existed
    MissingField,
    WrongType,
    OutOfRange,   // a number outside its range: layer, slot, key count, mode, ...
    Inconsistent, // the record format does not match the variant; LED data in a standard layout
    RecordLength, // a record that is not 50 (standard) or 64 (extended) bytes
    BadHex,
    WrongHeader, // a record whose header names another slot or layer
    Duplicate,   // a layer or a slot twice
    LedSize,     // LED data for other than 3 layers of 16 colours
};

struct Error {
    ErrorKind kind;
    QString message; // what is wrong and where, e.g. "layer 2, slot 31: slot numbers go from 0 to 25"
};

// Why the layout must not reach a store or a keypad, or nothing when it may: every record
// in a slot the format has, of the format's length, stamped for its slot and layer, each
// slot once; LED data only in an extended layout.
std::optional<Error> check(const Layout &layout);

} // namespace layouts
