#include "layouts/layout.h"

#include "device/reports.h"

namespace layouts
{

Model Model::of(quint8 keys, quint8 knobs, quint8 variant, quint16 vid, quint16 pid)
{
    const RecordFormat format = variant == kExtendedVariant ? RecordFormat::Extended : RecordFormat::Standard;
    return Model{keys, knobs, variant, format, vid, pid};
}

int Model::recordBytes() const
{
    return extended() ? reports::kExtendedRecordBytes : reports::kStandardRecordBytes;
}

bool sameModel(const Model &a, const Model &b)
{
    return a.keys == b.keys && a.knobs == b.knobs && a.variant == b.variant && a.format == b.format &&
           a.pid == b.pid;
}

static QString count(int n, const char *one, const char *many)
{
    return QStringLiteral("%1 %2").arg(n).arg(QLatin1String(n == 1 ? one : many));
}

QString describe(const Model &model)
{
    QString text =
        count(model.keys, "key", "keys") + QLatin1String(", ") + count(model.knobs, "knob", "knobs");
    if (model.variant != 0 && model.variant != kExtendedVariant)
        text += QStringLiteral(", variant %1").arg(model.variant);
    text += model.extended() ? QLatin1String(", extended records") : QLatin1String(", standard records");
    return text + QStringLiteral(" (USB %1:%2)")
                      .arg(model.vid, 4, 16, QLatin1Char('0'))
                      .arg(model.pid, 4, 16, QLatin1Char('0'));
}

int Layout::recordCount() const
{
    int n = 0;
    for (const auto &layer : layers)
        n += layer.size();
    return n;
}

std::array<quint8, 3> headerFor(int slot, int layer)
{
    if (slot == kLedSlot)
        return {0xFE, 0xB0, quint8(layer + 1)};
    return {0xFD, quint8(slot), quint8(layer + 1)};
}

static QString hex(const QByteArray &bytes)
{
    return QString::fromLatin1(bytes.toHex(' ').toUpper());
}

std::optional<Error> check(const Layout &layout)
{
    const Model &model = layout.model;
    if (model.extended() != (model.variant == kExtendedVariant))
        return Error{ErrorKind::Inconsistent,
                     QStringLiteral("model: variant %1 has %2 records")
                         .arg(model.variant)
                         .arg(model.variant == kExtendedVariant ? "extended" : "standard")};
    if (layout.led && !model.extended())
        return Error{ErrorKind::Inconsistent,
                     QStringLiteral("led: only extended keypads keep LED colours per key; a standard "
                                    "layer's LED setting is its slot 0 record")};
    const int firstSlot = model.extended() ? 1 : kLedSlot;
    for (int layer = 0; layer < kLayers; ++layer) {
        bool seen[kLastKeySlot + 1] = {};
        for (const Record &r : layout.layers[layer]) {
            const QString where = QStringLiteral("layer %1, slot %2: ").arg(layer + 1).arg(r.slot);
            if (r.slot < firstSlot || r.slot > kLastKeySlot)
                return Error{
                    ErrorKind::OutOfRange,
                    where + QStringLiteral("slot numbers go from %1 to %2").arg(firstSlot).arg(kLastKeySlot)};
            if (seen[r.slot])
                return Error{ErrorKind::Duplicate, where + QStringLiteral("the slot appears twice")};
            seen[r.slot] = true;
            if (r.bytes.size() != model.recordBytes())
                return Error{ErrorKind::RecordLength,
                             where + QStringLiteral("%1 records have %2 bytes, this one has %3")
                                         .arg(model.extended() ? "extended" : "standard")
                                         .arg(model.recordBytes())
                                         .arg(r.bytes.size())};
            const auto header = headerFor(r.slot, layer);
            const QByteArray expected(reinterpret_cast<const char *>(header.data()), int(header.size()));
            if (!r.bytes.startsWith(expected))
                return Error{
                    ErrorKind::WrongHeader,
                    where + QStringLiteral("the record starts %1, a record of this slot and layer starts %2")
                                .arg(hex(r.bytes.left(3)), hex(expected))};
        }
    }
    return std::nullopt;
}

} // namespace layouts
