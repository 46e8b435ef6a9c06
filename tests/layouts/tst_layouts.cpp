// Layout files: store -> file -> store keeps every byte a Save sends, every faulty file is
// refused with its own kind of error, and the examples in docs/layout-format.md are what
// the writer produces.
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

// A store whose records of slots 0..25 (both formats) and LED state all differ. Slot 0 of
// layer 3 holds no LED record; slot 7 of layer 2 has a header nobody stamped.
void fillStore(ConfigStore &s)
{
    s.reset();
    quint8 v = 1;
    for (auto *array : {s.PHY_KEY_Value, s.PHY2_KEY_Value})
        for (int l = 0; l < kLayers; ++l)
            for (int slot = 0; slot <= kLastKeySlot; ++slot) {
                for (int i = 3; i < kRecordSize; ++i)
                    array[l][slot][i] = v += 37;
                const auto h = headerFor(slot, l);
                std::copy(h.begin(), h.end(), array[l][slot]);
            }
    for (auto *array : {s.PHY_KEY_Value, s.PHY2_KEY_Value}) {
        std::memcpy(array[1][7], "\xFD\x00\x01", 3);
        array[2][0][0] = 0xFD;
    }
    for (int l = 0; l < kLayers; ++l) {
        s.LED_Layer_Mode[l] = quint8(l + 3);
        for (int k = 0; k < kLedKeys; ++k)
            s.LED_Color_Table[l][k][k % 3] = quint8(k * 11 + l);
    }
}

QVector<int> allKeySlots()
{
    QVector<int> keySlots;
    for (int s = kLastKeySlot; s >= 1; --s)
        keySlots << s << s; // out of order and twice: the layout still holds each slot once
    return keySlots;
}

QString why(const ReadResult &read)
{
    return read.ok() ? QString() : read.error().message;
}

const Model kStandard = Model::of(15, 3, 0, 0x1189, 0x8840);
const Model kExtended = Model::of(16, 3, 10, 0x514C, 0x8842);

} // namespace

class TestLayouts : public QObject
{
    Q_OBJECT

  private slots:
    void storeFileStoreKeepsWhatASaveSends_data();
    void storeFileStoreKeepsWhatASaveSends();
    void faultyFilesAreRefused_data();
    void faultyFilesAreRefused();
    void documentedExamplesAreWhatTheWriterWrites();
    void modelsAreComparedAndNamed();
};

void TestLayouts::storeFileStoreKeepsWhatASaveSends_data()
{
    QTest::addColumn<bool>("extended");
    QTest::newRow("standard") << false;
    QTest::newRow("extended") << true;
}

void TestLayouts::storeFileStoreKeepsWhatASaveSends()
{
    QFETCH(bool, extended);
    const Model model = extended ? kExtended : kStandard;
    static ConfigStore source, target, fresh;
    fillStore(source);
    fresh.reset();
    target.reset();

    QTemporaryDir dir;
    const QString path = dir.filePath("layout.json");
    QCOMPARE(writeFile(path, fromStore(source, model, allKeySlots())), QString());
    const ReadResult read = readFile(path);
    QVERIFY2(read.ok(), qPrintable(why(read)));
    QCOMPARE(toStore(read.layout(), target), 3 * 25 + (extended ? 0 : 2));

    auto sent = extended ? source.PHY2_KEY_Value : source.PHY_KEY_Value;
    auto got = extended ? target.PHY2_KEY_Value : target.PHY_KEY_Value;
    std::memcpy(sent[1][7], "\xFD\x07\x02", 3); // the writer stamps what selecting the slot stamps
    for (int l = 0; l < kLayers; ++l)
        for (int slot = 0; slot < kSlots; ++slot) {
            const bool held = (slot >= 1 && slot <= kLastKeySlot) || (slot == 0 && !extended && l != 2);
            QCOMPARE(target.Modify_Key_Flag[l][slot], quint8(held));
            const auto *expected =
                held ? sent[l][slot] : (extended ? fresh.PHY2_KEY_Value : fresh.PHY_KEY_Value)[l][slot];
            QVERIFY2(std::memcmp(got[l][slot], expected, size_t(model.recordBytes())) == 0,
                     qPrintable(QStringLiteral("layer %1 slot %2").arg(l + 1).arg(slot)));
        }
    auto other = extended ? target.PHY_KEY_Value : target.PHY2_KEY_Value;
    QVERIFY(std::memcmp(other, extended ? fresh.PHY_KEY_Value : fresh.PHY2_KEY_Value,
                        sizeof(fresh.PHY_KEY_Value)) == 0);
    QCOMPARE(target.LED_Modify_Flag, quint8(extended));
    const ConfigStore &led = extended ? source : fresh;
    QVERIFY(std::memcmp(target.LED_Color_Table, led.LED_Color_Table, sizeof(led.LED_Color_Table)) == 0);
    QVERIFY(std::memcmp(target.LED_Layer_Mode, led.LED_Layer_Mode, sizeof(led.LED_Layer_Mode)) == 0);

    // a layout value that fails the checks never reaches the store
    Layout bad = read.layout();
    bad.layers[0][1].bytes[1] = 9;
    target.reset();
    QCOMPARE(toStore(bad, target), -1);
    QVERIFY(std::memcmp(&target, &fresh, sizeof(fresh)) == 0);
    QCOMPARE(readFile(dir.filePath("missing.json")).error().kind, ErrorKind::Unreadable);
}

void TestLayouts::faultyFilesAreRefused_data()
{
    QTest::addColumn<QByteArray>("json");
    QTest::addColumn<ErrorKind>("kind");
    QTest::addColumn<QString>("message");

    static ConfigStore s;
    s.reset();
    std::memcpy(s.PHY_KEY_Value[0][0], "\xFE\xB0\x01\x08", 4);
    Layout layout = fromStore(s, kStandard, {1, 2});
    const QByteArray good = toJson(layout);
    auto with = [&](const char *from, const char *to) {
        QByteArray json = good;
        const int at = json.indexOf(from);
        return at < 0 ? QByteArray("pattern not found") : json.replace(at, int(qstrlen(from)), to);
    };
    QVERIFY(fromJson(good).ok());
    layout.layers[1].append(layout.layers[1][1]);
    Layout led = fromStore(s, kExtended, {1});
    led.led->at(2).colours[0] = {1, 2, 3};
    const QByteArray ledJson = toJson(led);
    QByteArray fifteen = ledJson;
    fifteen.replace("\"010203\",", "");

    using K = ErrorKind;
    QTest::newRow("truncated") << good.left(good.size() / 2) << K::Malformed << "not valid JSON at line";
    QTest::newRow("list") << QByteArray("[1]") << K::NotALayout << "not a ZorvelDeck layout";
    QTest::newRow("other format") << with("zorveldeck-layout", "x") << K::NotALayout
                                  << "not a ZorvelDeck layout";
    QTest::newRow("newer") << with("\"version\": 1", "\"version\": 2") << K::NewerVersion << "version 2";
    QTest::newRow("version 0") << with("\"version\": 1", "\"version\": 0") << K::UnknownVersion
                               << "version 0";
    QTest::newRow("version text") << with("\"version\": 1", "\"version\": \"1\"") << K::WrongType
                                  << "version";
    QTest::newRow("no keys") << with("\"keys\": 15,", "") << K::MissingField << "model: \"keys\" is missing";
    QTest::newRow("keys text") << with("\"keys\": 15", "\"keys\": \"15\"") << K::WrongType
                               << "model: \"keys\"";
    QTest::newRow("knobs 1.5") << with("\"knobs\": 3", "\"knobs\": 1.5") << K::WrongType << "whole number";
    QTest::newRow("keys 256") << with("\"keys\": 15", "\"keys\": 256") << K::OutOfRange
                              << "model: \"keys\" is 256";
    QTest::newRow("variant 10") << with("\"variant\": 0", "\"variant\": 10") << K::Inconsistent
                                << "variant 10";
    QTest::newRow("product") << with("\"8840\"", "\"884\"") << K::BadHex << "\"product\"";
    QTest::newRow("short record") << with("00\",", "\",") << K::RecordLength
                                  << "layer 1, slot 0: standard records have 50 bytes, this one has 49";
    QTest::newRow("slot 31") << with("\"slot\": 2", "\"slot\": 31") << K::OutOfRange
                             << "layer 1, slot 31: slot numbers go from 0 to 25";
    QTest::newRow("layer 4") << with("\"layer\": 2", "\"layer\": 4") << K::OutOfRange
                             << "layers, entry 2: \"layer\" is 4";
    QTest::newRow("layer twice") << with("\"layer\": 3", "\"layer\": 1") << K::Duplicate
                                 << "layer 1 appears twice";
    QTest::newRow("slot twice") << toJson(layout) << K::Duplicate
                                << "layer 2, slot 2: the slot appears twice";
    QTest::newRow("other slot") << with("FD 01 01", "FD 02 01") << K::WrongHeader
                                << "layer 1, slot 1: the record starts FD 02 01";
    QTest::newRow("unstamped") << with("FD 01 01", "FD 00 01") << K::WrongHeader
                               << "a record of this slot and layer starts FD 01 01";
    QTest::newRow("LED record") << with("FE B0 01", "FD 00 01") << K::WrongHeader << "layer 1, slot 0";
    QTest::newRow("bad hex") << with("FD 01 01", "FD 01 0G") << K::BadHex << "layer 1, slot 1: \"FD 01 0G";
    QTest::newRow("odd digit") << with("FD 01 01", "FD 01 1") << K::BadHex << "layer 1, slot 1";
    QTest::newRow("bytes number") << with("\"FD 01 01", "0, \"x\": \"") << K::WrongType
                                  << "layer 1, record 2: \"bytes\"";
    QTest::newRow("no LED layers") << with("\"layers\"", "\"led\": [], \"layers\"") << K::LedSize
                                   << "led: holds 0 layers";
    QTest::newRow("15 colours") << fifteen << K::LedSize << "led, layer 3: holds 15 colours";
    QTest::newRow("short colour") << QByteArray(ledJson).replace("010203", "0102") << K::LedSize
                                  << "led, layer 3, key 1";
    QTest::newRow("LED on standard")
        << QByteArray(ledJson).replace("\"variant\": 10", "\"variant\": 0").replace("extended", "standard")
        << K::Inconsistent << "led:";
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
        QVERIFY2(read.ok(), qPrintable(why(read)));
        QCOMPARE(toJson(read.layout()), json);
    }
    QCOMPARE(examples, 2);
}

void TestLayouts::modelsAreComparedAndNamed()
{
    QVERIFY(sameModel(kStandard, Model::of(15, 3, 0, 0x514C, 0x8840)));
    for (const Model &other : {Model::of(15, 3, 1, 0x1189, 0x8840), Model::of(15, 3, 0, 0x1189, 0x8842),
                               Model::of(16, 3, 0, 0x1189, 0x8840), Model::of(15, 2, 0, 0x1189, 0x8840)})
        QVERIFY2(!sameModel(kStandard, other) && describe(other) != describe(kStandard),
                 qPrintable(describe(other)));
    QCOMPARE(describe(kStandard), QStringLiteral("15 keys, 3 knobs, standard records (USB 1189:8840)"));
    QCOMPARE(describe(Model::of(1, 1, 1, 0x514c, 0x8851)),
             QStringLiteral("1 key, 1 knob, variant 1, standard records (USB 514c:8851)"));
}

QTEST_APPLESS_MAIN(TestLayouts)
#include "tst_layouts.moc"
