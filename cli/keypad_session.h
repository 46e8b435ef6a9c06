#pragma once
// The keypad link driven to completion for the command line: each call runs the event loop
// until the link's answer is in, or a deadline passes. Every wait is bounded.
#include <QObject>

#include <functional>
#include <optional>

#include "cli/command_line.h"
#include "device/discovery.h"
#include "device/keypad_link.h"
#include "layouts/layout.h"

namespace cli
{

class Console;

// What to do when the keypad cannot be opened: the udev rule.
QString accessHint();

// Every supported keypad attached, in search order (one enumeration).
QVector<discovery::Attached> attachedKeypads();
// "#2  1189:8840  ZD-0002  /dev/hidraw3": the keypad's index in the list (from 1), ids, serial
// (or "-") and path.
QString describeAttached(int index, const discovery::Attached &keypad);
// The keypad the command acts on: the one `device` names (its serial number, path or index in
// the list), or without --device (`device` empty) the only one attached, as an interface-0 path
// to pin a session to (empty: the first found, as the window finds it). Refuses, with the list,
// several keypads and no --device (SeveralKeypads) and a --device that names none (NoKeypad).
Exit chooseKeypad(Console &console, const QString &device, QByteArray *path);

class KeypadSession : public QObject
{
  public:
    // An empty `path`: the first keypad in search order, as the window finds it.
    explicit KeypadSession(Console &console, const QByteArray &path = {});

    // Searches for a second at most, opens the keypad and asks for its model. Ok (keypad() is
    // the keypad, its model answered), NoKeypad, AccessDenied or DeviceFailure (no model answer,
    // no first contact), with what to do in `why` for the last three.
    Exit open(QString *why);
    // open() for a command that needs the keypad: a failure is said on the console.
    Exit openOrSay();
    const device::Keypad &keypad() const { return found; }
    layouts::Model model() const
    {
        return layouts::Model::of(found.keys, found.knobs, found.variant, found.vid, found.pid);
    }

    // The exchanges: the outcome, or nothing when the link refused the request or did not
    // finish it in time.
    std::optional<device::ViewOutcome> view(const device::ViewJob &job);
    std::optional<device::LedOutcome> queryLed(int layer);
    std::optional<device::SaveOutcome> save(const device::SaveJob &job);

  private:
    // Runs the event loop until `done` holds (checked whenever the link reports something, and
    // after each `tick`, run every poll step when given) or `ms` have passed; returns `done`.
    bool waitFor(const std::function<bool()> &done, int ms, const std::function<void()> &tick = {});
    // Waits for the outcome of an exchange the link accepted (`posted`) and for the link to be
    // idle again, with a progress line named `what`.
    bool finish(const QString &what, bool posted, const std::function<bool()> &arrived, int ms);

    Console &console;
    device::KeypadLink link;
    device::Keypad found;
    bool contacted = false;
};

} // namespace cli
