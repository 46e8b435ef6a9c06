// Layout files: every faulty file is refused with its own kind of error, and the examples in
// docs/layout-format.md are what the writer produces. (Store -> file -> keypad keeping every byte
// is the command line's round trip.)
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QtTest>

#include <cstring>

#include "layouts/layout_file.h"
#include "layouts/layout_store.h"

using namespace layouts;

Q_DECLARE_METATYPE(layouts::ErrorKind)

namespace
{

const Model kStandard = Model::of(15, 3, 0, 0x1189, 0x8840);
const Model kExtended = Model::of(16, 3, 10, 0x514C, 0x8842);

} // namespace

class TestLayouts : public QObject
{
    Q_OBJECT

  private slots:
    void faultyFilesAreRefused_data();
    void faultyFilesAreRefused();
    void documentedExamplesAreWhatTheWriterWrites();
};

void TestLayouts::faultyFilesAreRefused_data()
{
    QTest::addColumn<QByteArray>("json");
    QTest::addColumn<ErrorKind>("kind");
    QTest::addColumn<QString>("message");
    auto row = [](const char *name, const QByteArray &json, ErrorKind kind, const char *message) {
        QTest::newRow(name) << json << kind << QString::fromUtf8(message);
    };

    static ConfigStore s;
    s.reset();
    std::memcpy(s.PHY_KEY_Value[0][0], "\xFE\xB0\x01\x08", 4);
    Layout layout = fromStore(s, kStandard, {1, 2});
    const QByteArray good = toJson(layout);
    auto with = [](QByteArray json, const char *from, const char *to) {
        const int at = json.indexOf(from);
        return at < 0 ? QByteArray("pattern not found") : json.replace(at, int(qstrlen(from)), to);
    };
    layout.layers[1].append(layout.layers[1][1]);
    Layout extended = fromStore(s, kExtended, {1});
    extended.led->at(2).colours[0] = {1, 2, 3};
    const QByteArray led = toJson(extended);

    using K = ErrorKind;
    row("truncated", good.left(good.size() / 2), K::Malformed, "not valid JSON at line");
    row("list", "[1]", K::NotALayout, "not a ZorvelDeck layout");
    row("newer", with(good, "\"version\": 1", "\"version\": 2"), K::NewerVersion, "version 2");
    row("version 0", with(good, "\"version\": 1", "\"version\": 0"), K::UnknownVersion, "version 0");
    row("no keys", with(good, "\"keys\": 15,", ""), K::MissingField, "model: \"keys\" is missing");
    row("keys 256", with(good, "\"keys\": 15", "\"keys\": 256"), K::OutOfRange, "model: \"keys\" is 256");
    row("variant 10", with(good, "\"variant\": 0", "\"variant\": 10"), K::Inconsistent, "variant 10");
    row("product", with(good, "\"8840\"", "\" 884\""), K::BadHex, "model: \"product\"");
    row("short record", with(good, "00\",", "\","), K::RecordLength, "slot 0: standard records have 50");
    row("slot 31", with(good, "\"slot\": 2", "\"slot\": 31"), K::OutOfRange, "slot 31: slot numbers go");
    row("layer 4", with(good, "\"layer\": 2", "\"layer\": 4"), K::OutOfRange, "layers, entry 2: \"layer\"");
    row("layer twice", with(good, "\"layer\": 3", "\"layer\": 1"), K::Duplicate, "layer 1 appears twice");
    row("slot twice", toJson(layout), K::Duplicate, "layer 2, slot 2: the slot appears twice");
    row("other slot", with(good, "FD 01 01", "FD 02 01"), K::WrongHeader, "slot 1: the record starts FD 02");
    row("LED header", with(good, "FE B0 01", "FD 00 01"), K::WrongHeader, "and layer starts FE B0 01");
    row("bad hex", with(good, "FD 01 01", "FD 01 0G"), K::BadHex, "layer 1, slot 1: \"FD 01 0G");
    row("bytes number", with(good, "\"FD 01 01", "0, \"x\": \""), K::WrongType, "record 2: \"bytes\"");
    row("one LED layer", with(good, "\"layers\"", "\"led\": [{\"layer\": 2}], \"layers\""), K::LedSize,
        "led: lists 1 of");
    row("15 colours", with(led, "\"010203\",", ""), K::LedSize, "led, layer 3: holds 15 colours");
    row("LED standard", with(with(led, ": 10", ": 0"), "extended", "standard"), K::Inconsistent, "led: ");
}

void TestLayouts::faultyFilesAreRefused()
{
    QFETCH(QByteArray, json);
    QFETCH(ErrorKind, kind);
    QFETCH(QString, message);
    const ReadResult read = fromJson(json);
    QVERIFY(!read.ok());
    QCOMPARE(read.error().kind, kind);
    QVERIFY2(read.error().message.contains(message), qPrintable(read.error().message));
}

void TestLayouts::documentedExamplesAreWhatTheWriterWrites()
{
    QFile doc(QStringLiteral(ZD_SOURCE_DIR "/docs/layout-format.md"));
    QVERIFY(doc.open(QIODevice::ReadOnly));
    const QString text = QString::fromUtf8(doc.readAll());
    QRegularExpressionMatchIterator blocks =
        QRegularExpression("```json\n(.*?)```", QRegularExpression::DotMatchesEverythingOption)
            .globalMatch(text);
    int examples = 0;
    for (; blocks.hasNext(); ++examples) {
        const QByteArray json = blocks.next().captured(1).toUtf8();
        const ReadResult read = fromJson(json);
        QVERIFY2(read.ok(), qPrintable(read.ok() ? QString() : read.error().message));
        QCOMPARE(toJson(read.layout()), json);
    }
    QCOMPARE(examples, 2);
}

QTEST_APPLESS_MAIN(TestLayouts)
#include "tst_layouts.moc"
