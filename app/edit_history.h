#pragma once
// Undo and redo of edits of the configuration store. An edit is taken as the difference
// between the store before and after it: the records of both formats, their flags and the
// extended LED state of each layer. Undo and redo write those bytes back and stamp what
// they write as edited, so an exchange that runs meanwhile neither clears its flag nor
// overwrites it.
//
// A restored record is flagged when it differs from what the keypad last confirmed holding
// (a Save that committed it, or a read-back); when the keypad's copy is not known, the
// record takes the flag it had in the restored state. So an edit undone after a successful
// Save is flagged again and the next Save puts the keypad back too.
#include <QString>
#include <QUndoCommand>
#include <QVector>

#include <array>
#include <functional>
#include <memory>
#include <optional>

#include "device/link_types.h"
#include "device/store.h"

namespace edits
{

constexpr int kPictureSlots = 25;

// What the window shows of an edit: the layer and slot in front, the captions of the
// picture's slot buttons and the information box.
struct ViewState {
    int layer = 0;
    int slot = 0;
    std::array<QString, kPictureSlots> captions;
    QString info;
};

struct LedLayer {
    quint8 mode = 0;
    quint8 colours[kLedKeys][3] = {};
    bool operator==(const LedLayer &o) const;
    bool operator!=(const LedLayer &o) const { return !(*this == o); }
};

// The parts of the store an edit may change.
struct StoreState {
    quint8 records[2][kLayers][kSlots][kRecordSize]; // standard, extended
    quint8 flags[kLayers][kSlots];
    LedLayer led[kLayers];
    quint8 ledFlag;

    static std::unique_ptr<StoreState> of(const ConfigStore &store);
};

// What the keypad is known to hold, per record of the format in use and per LED layer.
class KeypadCopy
{
  public:
    void forget();
    // The records a Save committed whose flags it cleared, and the LED state it wrote.
    void noteSaved(const ConfigStore &store, const device::SaveJob &job, const device::SaveOutcome &outcome);
    // The records a read-back stored (those now equal to the answer).
    void noteRead(const ConfigStore &store, const device::ViewOutcome &outcome);
    void noteLed(const ConfigStore &store, int layer);
    bool ledKnown() const { return led[0] && led[1] && led[2]; }

    // The flag a record restored to `bytes` gets: differs from the keypad's copy, or
    // `fallback` when that is not known.
    quint8 recordFlag(bool extended, int layer, int slot, const quint8 *bytes, quint8 fallback) const;
    quint8 ledFlag(const LedLayer (&led)[kLayers], quint8 fallback) const;

  private:
    std::optional<QByteArray> records[2][kLayers][kSlots];
    std::optional<LedLayer> led[kLayers];
};

// One undo step: the records, flags and LED layers that differ between two store states,
// and the window's view before and after.
class EditCommand : public QUndoCommand
{
  public:
    using ShowView = std::function<void(const ViewState &)>;
    // Null when the store did not change. `mergeKey` != 0: consecutive steps of the same key
    // (a slider drag, typing into a delay box) become one.
    static EditCommand *between(const QString &text, const StoreState &before, const ViewState &viewBefore,
                                const ConfigStore &after, const ViewState &viewAfter, int mergeKey,
                                ConfigStore &store, const KeypadCopy &copy, ShowView show);

    void undo() override { apply(false); }
    void redo() override;
    int id() const override { return mergeKey == 0 ? -1 : 1; }
    bool mergeWith(const QUndoCommand *other) override;

  private:
    // A record position: its bytes in both formats and its flag.
    struct RecordChange {
        int layer, slot;
        QByteArray before[2], after[2];
        quint8 flagBefore, flagAfter;
    };
    struct LedChange {
        int layer;
        LedLayer before, after;
    };
    EditCommand(const QString &text, ConfigStore &store, const KeypadCopy &copy, ShowView show)
        : QUndoCommand(text), store(store), copy(copy), show(std::move(show))
    {
    }
    void apply(bool after);

    ConfigStore &store;
    const KeypadCopy &copy;
    ShowView show;
    QVector<RecordChange> records;
    QVector<LedChange> leds;
    quint8 ledFlagBefore = 0, ledFlagAfter = 0;
    bool ledChanged = false;
    ViewState viewBefore, viewAfter;
    int mergeKey = 0;
    bool done = true; // pushed after the edit happened: the first redo has nothing to do
};

} // namespace edits
