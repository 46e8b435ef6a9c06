// export: the keypad's configuration as View settings reads it back (standard keypads 15 keys
// and 3 knobs, extended ones 25 slots, three layers), an extended keypad's LED state through
// the LED query, into a layout file.
#include "cli/commands.h"
#include "cli/console.h"
#include "cli/keypad_session.h"
#include "device/store_exchange.h"
#include "editing/record_naming.h"
#include "layouts/layout_file.h"
#include "layouts/layout_store.h"

#include <memory>

namespace cli
{

namespace
{

QString caption(bool extended, int slot, const quint8 *record)
{
    if (slot == layouts::kLedSlot)
        return QStringLiteral("LED");
    return record_naming::slotCaption(record, extended, catalogue::English);
}

} // namespace

int exportLayout(Console &console, const QString &file, const QString &device, QIODevice &out)
{
    QByteArray path;
    if (const Exit status = chooseKeypad(console, device, &path); status != Ok)
        return status;
    KeypadSession session(console, path);
    if (const Exit status = session.openOrSay(); status != Ok)
        return status;
    const layouts::Model model = session.model();
    const auto failed = [&](const QString &what) {
        console.say(QStringLiteral("zorveldeck: %1 (%2); nothing was written. Check the cable and retry.")
                        .arg(what, layouts::describe(model)));
        return DeviceFailure;
    };

    auto store = std::make_unique<ConfigStore>();
    store->reset();
    store->Dev_Variant = session.keypad().variant;
    const device::ViewJob job = model.extended() ? device::ViewJob{kLayers, kLastKeySlot, 0, true, 0}
                                                 : device::ViewJob{kLayers, 15, 3, false, 0};
    const std::optional<device::ViewOutcome> read = session.view(job);
    if (!read || !read->complete())
        return failed(QStringLiteral("reading the keypad back failed after %1 of %2 records")
                          .arg(read ? read->records.size() : 0)
                          .arg(read ? read->requested : 0));
    device::applyView(*store, *read, false);
    QVector<int> keySlots;
    for (const device::ReadRecord &r : read->records)
        keySlots.append(r.slot);

    if (model.extended()) {
        for (int layer = 0; layer < kLayers; ++layer) {
            const std::optional<device::LedOutcome> led = session.queryLed(layer);
            if (!led || !led->answered)
                return failed(
                    QStringLiteral("the keypad did not answer the LED query of layer %1").arg(layer + 1));
            device::applyLed(*store, *led);
        }
    }

    const layouts::Layout layout =
        layouts::fromStore(*store, model, keySlots, [&](int, int slot, const quint8 *record) {
            return caption(model.extended(), slot, record);
        });
    const QString where = file == QLatin1String("-") ? QStringLiteral("standard output") : file;
    if (file == QLatin1String("-")) {
        const QByteArray text = layouts::toJson(layout);
        if (out.write(text) != text.size()) {
            console.say(
                QStringLiteral("zorveldeck: cannot write to standard output: %1").arg(out.errorString()));
            return FileError;
        }
    } else if (const QString error = layouts::writeFile(file, layout); !error.isEmpty()) {
        console.say(QStringLiteral("zorveldeck: %1").arg(error));
        return FileError;
    }
    console.say(QStringLiteral("Exported %1 records%2 from the keypad to %3; keypad: %4.")
                    .arg(layout.recordCount())
                    .arg(layout.led ? QStringLiteral(" and the LED state") : QString())
                    .arg(where, layouts::describe(model)));
    // A standard keypad keeps its LED setting in slot 0, which no read-back returns.
    if (!layout.led)
        console.say(QStringLiteral(
            "A standard keypad's LED settings cannot be read back; they are not in the file."));
    return Ok;
}

} // namespace cli
