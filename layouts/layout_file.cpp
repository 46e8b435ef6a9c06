#include "layouts/layout_file.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSaveFile>

#include <algorithm>
#include <climits>
#include <cmath>
#include <optional>

namespace layouts
{

static const QLatin1String kFormatName("zorveldeck-layout");

static QString hexBytes(const QByteArray &bytes, char separator)
{
    return QString::fromLatin1(separator ? bytes.toHex(separator).toUpper() : bytes.toHex().toUpper());
}

static QString hexId(quint16 id)
{
    return QStringLiteral("%1").arg(id, 4, 16, QLatin1Char('0'));
}

QByteArray toJson(const Layout &layout)
{
    const Model &m = layout.model;
    const QJsonObject model{{"keys", m.keys},         {"knobs", m.knobs},
                            {"variant", m.variant},   {"records", m.extended() ? "extended" : "standard"},
                            {"vendor", hexId(m.vid)}, {"product", hexId(m.pid)}};
    QJsonArray layers;
    for (int layer = 0; layer < kLayers; ++layer) {
        QJsonArray records;
        for (const Record &r : layout.layers[layer])
            records.append(
                QJsonObject{{"slot", r.slot}, {"caption", r.caption}, {"bytes", hexBytes(r.bytes, ' ')}});
        layers.append(QJsonObject{{"layer", layer + 1}, {"records", records}});
    }
    QJsonObject file{
        {"format", kFormatName}, {"version", kFormatVersion}, {"model", model}, {"layers", layers}};
    if (layout.led) {
        QJsonArray led;
        for (int layer = 0; layer < kLayers; ++layer) {
            const LayerLed &l = (*layout.led)[layer];
            QJsonArray colours;
            for (const auto &rgb : l.colours)
                colours.append(hexBytes(QByteArray(reinterpret_cast<const char *>(rgb.data()), 3), 0));
            led.append(QJsonObject{{"layer", layer + 1}, {"mode", l.mode}, {"colours", colours}});
        }
        file.insert("led", led);
    }
    return QJsonDocument(file).toJson(QJsonDocument::Indented);
}

namespace
{

using Fail = std::optional<Error>;

Fail fail(ErrorKind kind, const QString &where, const QString &what)
{
    return Error{kind, where + QLatin1String(": ") + what};
}

Fail member(const QJsonObject &o, const char *key, QJsonValue::Type type, const QString &where,
            QJsonValue *out)
{
    static const char *const typeNames[] = {"null",     "true or false", "a number",
                                            "a string", "a list",        "an object"};
    const QJsonValue v = o.value(QLatin1String(key));
    if (v.isUndefined())
        return fail(ErrorKind::MissingField, where, QStringLiteral("\"%1\" is missing").arg(key));
    if (v.type() != type)
        return fail(ErrorKind::WrongType, where,
                    QStringLiteral("\"%1\" must be %2").arg(key, typeNames[type]));
    *out = v;
    return std::nullopt;
}

Fail integer(const QJsonObject &o, const char *key, const QString &where, int lo, int hi, int *out)
{
    QJsonValue v;
    if (Fail f = member(o, key, QJsonValue::Double, where, &v))
        return f;
    const double d = v.toDouble();
    if (d != std::floor(d) || d < INT_MIN || d > INT_MAX)
        return fail(ErrorKind::WrongType, where, QStringLiteral("\"%1\" must be a whole number").arg(key));
    if (d < lo || d > hi)
        return fail(ErrorKind::OutOfRange, where,
                    QStringLiteral("\"%1\" is %2, it goes from %3 to %4").arg(key).arg(d).arg(lo).arg(hi));
    *out = int(d);
    return std::nullopt;
}

bool isHex(QChar c)
{
    const char l = c.toLower().toLatin1();
    return (l >= '0' && l <= '9') || (l >= 'a' && l <= 'f');
}

// Pairs of hex digits; blanks may stand between bytes ("FD 03 01", "FF8030").
Fail bytes(const QString &text, const QString &where, QByteArray *out)
{
    out->clear();
    for (const QString &group : text.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
        if (group.size() % 2 != 0 || !std::all_of(group.begin(), group.end(), isHex))
            return fail(ErrorKind::BadHex, where,
                        QStringLiteral("\"%1\" is not a row of hex bytes").arg(text.left(60)));
        *out += QByteArray::fromHex(group.toLatin1());
    }
    return std::nullopt;
}

Fail usbId(const QJsonObject &o, const char *key, quint16 *out)
{
    QJsonValue v;
    QByteArray id;
    if (Fail f = member(o, key, QJsonValue::String, QStringLiteral("model"), &v))
        return f;
    if (v.toString().size() != 4 || bytes(v.toString(), QString(), &id) || id.size() != 2)
        return fail(ErrorKind::BadHex, QStringLiteral("model"),
                    QStringLiteral("\"%1\" must be four hex digits, e.g. \"1189\"").arg(key));
    *out = quint16(quint8(id[0]) << 8 | quint8(id[1]));
    return std::nullopt;
}

Fail readModel(const QJsonObject &file, Model *m)
{
    QJsonValue v;
    if (Fail f = member(file, "model", QJsonValue::Object, QStringLiteral("file"), &v))
        return f;
    const QJsonObject o = v.toObject();
    const QString where = QStringLiteral("model");
    int keys = 0, knobs = 0, variant = 0;
    if (Fail f = integer(o, "keys", where, 0, 255, &keys))
        return f;
    if (Fail f = integer(o, "knobs", where, 0, 255, &knobs))
        return f;
    if (Fail f = integer(o, "variant", where, 0, 255, &variant))
        return f;
    if (Fail f = member(o, "records", QJsonValue::String, where, &v))
        return f;
    const QString format = v.toString();
    if (format != QLatin1String("standard") && format != QLatin1String("extended"))
        return fail(ErrorKind::OutOfRange, where,
                    QStringLiteral("\"records\" must be \"standard\" or \"extended\""));
    *m = Model{quint8(keys), quint8(knobs), quint8(variant),
               format == QLatin1String("extended") ? RecordFormat::Extended : RecordFormat::Standard};
    if (Fail f = usbId(o, "vendor", &m->vid))
        return f;
    return usbId(o, "product", &m->pid);
}

// The entries of a list of per-layer objects, each with its "layer" number 1..3, in layer order.
Fail layerEntries(const QJsonArray &list, const QString &where, std::array<QJsonObject, kLayers> *out,
                  int *count)
{
    *count = 0;
    bool seen[kLayers] = {};
    for (int i = 0; i < list.size(); ++i) {
        const QString at = QStringLiteral("%1, entry %2").arg(where).arg(i + 1);
        if (!list[i].isObject())
            return fail(ErrorKind::WrongType, at, QStringLiteral("must be an object"));
        int layer = 0;
        if (Fail f = integer(list[i].toObject(), "layer", at, 1, kLayers, &layer))
            return f;
        if (seen[layer - 1])
            return fail(ErrorKind::Duplicate, at, QStringLiteral("layer %1 appears twice").arg(layer));
        seen[layer - 1] = true;
        (*out)[layer - 1] = list[i].toObject();
        ++*count;
    }
    return std::nullopt;
}

Fail readRecords(const QJsonObject &file, Layout *layout)
{
    QJsonValue v;
    if (Fail f = member(file, "layers", QJsonValue::Array, QStringLiteral("file"), &v))
        return f;
    std::array<QJsonObject, kLayers> entries;
    int count = 0;
    if (Fail f = layerEntries(v.toArray(), QStringLiteral("layers"), &entries, &count))
        return f;
    for (int layer = 0; layer < kLayers; ++layer) {
        const QString where = QStringLiteral("layer %1").arg(layer + 1);
        if (entries[layer].isEmpty())
            continue;
        if (Fail f = member(entries[layer], "records", QJsonValue::Array, where, &v))
            return f;
        const QJsonArray list = v.toArray();
        for (int i = 0; i < list.size(); ++i) {
            const QString at = QStringLiteral("%1, record %2").arg(where).arg(i + 1);
            if (!list[i].isObject())
                return fail(ErrorKind::WrongType, at, QStringLiteral("must be an object"));
            const QJsonObject o = list[i].toObject();
            Record r;
            r.caption = o.value(QLatin1String("caption")).toString(); // for readers only: never checked
            if (Fail f = integer(o, "slot", at, INT_MIN, INT_MAX, &r.slot))
                return f;
            if (Fail f = member(o, "bytes", QJsonValue::String, at, &v))
                return f;
            if (Fail f = bytes(v.toString(), QStringLiteral("%1, slot %2").arg(where).arg(r.slot), &r.bytes))
                return f;
            layout->layers[layer].append(r);
        }
        std::stable_sort(layout->layers[layer].begin(), layout->layers[layer].end(),
                         [](const Record &a, const Record &b) { return a.slot < b.slot; });
    }
    return std::nullopt;
}

Fail readLed(const QJsonObject &file, Layout *layout)
{
    if (!file.contains(QLatin1String("led")))
        return std::nullopt;
    QJsonValue v;
    if (Fail f = member(file, "led", QJsonValue::Array, QStringLiteral("file"), &v))
        return f;
    std::array<QJsonObject, kLayers> entries;
    int count = 0;
    if (Fail f = layerEntries(v.toArray(), QStringLiteral("led"), &entries, &count))
        return f;
    if (count != kLayers)
        return fail(ErrorKind::LedSize, QStringLiteral("led"),
                    QStringLiteral("lists %1 of the %2 layers; the LED state is sent for every layer")
                        .arg(count)
                        .arg(kLayers));
    layout->led.emplace();
    for (int layer = 0; layer < kLayers; ++layer) {
        const QString where = QStringLiteral("led, layer %1").arg(layer + 1);
        LayerLed &led = (*layout->led)[layer];
        int mode = 0;
        if (Fail f = integer(entries[layer], "mode", where, 0, 255, &mode))
            return f;
        led.mode = quint8(mode);
        if (Fail f = member(entries[layer], "colours", QJsonValue::Array, where, &v))
            return f;
        const QJsonArray colours = v.toArray();
        if (colours.size() != kLedKeys)
            return fail(ErrorKind::LedSize, where,
                        QStringLiteral("holds %1 colours, keys 1 to %2 need one each")
                            .arg(colours.size())
                            .arg(kLedKeys));
        for (int key = 0; key < kLedKeys; ++key) {
            const QString at = QStringLiteral("%1, key %2").arg(where).arg(key + 1);
            QByteArray rgb;
            if (!colours[key].isString())
                return fail(ErrorKind::WrongType, at,
                            QStringLiteral("a colour must be a string like \"FF8030\""));
            if (Fail f = bytes(colours[key].toString(), at, &rgb))
                return f;
            if (rgb.size() != 3)
                return fail(ErrorKind::LedSize, at,
                            QStringLiteral("a colour has 3 bytes (R, G, B), this one %1").arg(rgb.size()));
            std::copy(rgb.begin(), rgb.end(), led.colours[key].begin());
        }
    }
    return std::nullopt;
}

QString position(const QByteArray &json, int offset)
{
    const QByteArray before = json.left(offset);
    const int line = before.count('\n') + 1;
    const int column = offset - (before.lastIndexOf('\n') + 1) + 1;
    return QStringLiteral("line %1, column %2").arg(line).arg(column);
}

} // namespace

ReadResult fromJson(const QByteArray &json)
{
    if (json.trimmed().isEmpty())
        return Error{ErrorKind::Malformed, QStringLiteral("the file is empty")};
    QJsonParseError parse;
    const QJsonDocument doc = QJsonDocument::fromJson(json, &parse);
    if (parse.error != QJsonParseError::NoError)
        return Error{ErrorKind::Malformed, QStringLiteral("not valid JSON at %1: %2")
                                               .arg(position(json, parse.offset), parse.errorString())};
    const QJsonObject file = doc.object();
    if (!doc.isObject() || file.value(QLatin1String("format")).toString() != kFormatName)
        return Error{
            ErrorKind::NotALayout,
            QStringLiteral("not a ZorvelDeck layout file (it has no \"format\": \"%1\")").arg(kFormatName)};
    Layout layout;
    if (Fail f = integer(file, "version", QStringLiteral("file"), INT_MIN, INT_MAX, &layout.version))
        return *f;
    if (layout.version > kFormatVersion)
        return Error{ErrorKind::NewerVersion,
                     QStringLiteral("the file has layout format version %1; this ZorvelDeck "
                                    "reads versions up to %2: use a newer ZorvelDeck")
                         .arg(layout.version)
                         .arg(kFormatVersion)};
    if (layout.version < 1)
        return Error{ErrorKind::UnknownVersion,
                     QStringLiteral("the file has layout format version %1, which does not exist")
                         .arg(layout.version)};
    Fail f = readModel(file, &layout.model);
    if (!f)
        f = readRecords(file, &layout);
    if (!f)
        f = readLed(file, &layout);
    if (!f)
        f = check(layout);
    if (f)
        return *f;
    return layout;
}

ReadResult read(QIODevice &in, const QString &name)
{
    QByteArray json(int(kMaxFileSize) + 1, Qt::Uninitialized);
    const qint64 n = in.read(json.data(), json.size());
    if (n < 0)
        return Error{ErrorKind::Unreadable, QStringLiteral("%1: %2").arg(name, in.errorString())};
    json.truncate(int(n));
    if (json.size() > kMaxFileSize)
        return Error{
            ErrorKind::NotALayout,
            QStringLiteral("%1: larger than any layout file (over %2 bytes)").arg(name).arg(kMaxFileSize)};
    return fromJson(json);
}

ReadResult readFile(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return Error{ErrorKind::Unreadable, QStringLiteral("%1: %2").arg(path, file.errorString())};
    return read(file, path);
}

QString writeFile(const QString &path, const Layout &layout)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(toJson(layout)) < 0 || !file.commit())
        return QStringLiteral("%1: %2").arg(path, file.errorString());
    return QString();
}

} // namespace layouts
