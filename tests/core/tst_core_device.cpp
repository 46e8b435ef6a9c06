// The device link's core: the configuration store and the keypad search (the order in which the USB ids are
// tried, and the one-enumeration search giving the same answer as trying them one by one).
#include <QtTest>

#include <hidapi.h>

#include <cstring>
#include <vector>

#include "device/discovery.h"
#include "device/store.h"

using discovery::UsbId;

namespace
{

bool isFreshRecord(const quint8 *r)
{
    if (r[0] != 0xFD || r[1] != 0 || r[2] != 1 || r[3] != 1)
        return false;
    for (int i = 4; i < kRecordSize; ++i)
        if (r[i] != 0)
            return false;
    return true;
}

void fill(quint8 *r, quint8 v)
{
    std::fill(r, r + kRecordSize, v);
}

struct Entry {
    quint16 vid, pid;
    int interfaceNumber;
};

// An enumeration result as hidapi hands it out: a linked list in the given order.
class Enumeration
{
  public:
    explicit Enumeration(const QVector<Entry> &entries) : infos(size_t(entries.size()))
    {
        for (int i = 0; i < entries.size(); ++i) {
            hid_device_info &d = infos[size_t(i)];
            d.vendor_id = entries[i].vid;
            d.product_id = entries[i].pid;
            d.interface_number = entries[i].interfaceNumber;
            d.next = i + 1 < entries.size() ? &infos[size_t(i) + 1] : nullptr;
        }
    }
    const hid_device_info *head() const { return infos.empty() ? nullptr : &infos[0]; }
    const hid_device_info *at(int i) const { return &infos[size_t(i)]; }

  private:
    std::vector<hid_device_info> infos;
};

QString text(const std::optional<UsbId> &id)
{
    return id ? QStringLiteral("%1:%2").arg(id->vid, 4, 16).arg(id->pid, 4, 16) : QStringLiteral("none");
}

} // namespace

Q_DECLARE_METATYPE(QVector<Entry>)

class TestCoreDevice : public QObject
{
    Q_OBJECT

  private slots:
    void init() { Store.reset(); }
    void startsAsAtProgramStart();
    void resetUndoesEverything();
    void variantSelectsTheRecordArray();
    void selectSlotStampsTheHeaderInTheFormatInUse();
    void triesTheIdsInOrder();
    void oneEnumerationFindsWhatTheIdsOneByOneFind_data();
    void oneEnumerationFindsWhatTheIdsOneByOneFind();
    void opensTheFirstInterfaceZeroOfTheId();
};

void TestCoreDevice::startsAsAtProgramStart()
{
    for (auto *array : {Store.PHY_KEY_Value, Store.PHY2_KEY_Value})
        for (int l = 0; l < kLayers; ++l)
            for (int s = 0; s < kSlots; ++s)
                QVERIFY2(isFreshRecord(array[l][s]), qPrintable(QString("layer %1 slot %2").arg(l).arg(s)));
    QCOMPARE(QByteArray(reinterpret_cast<const char *>(Store.Modify_Key_Flag), sizeof Store.Modify_Key_Flag),
             QByteArray(sizeof Store.Modify_Key_Flag, '\0'));
    QCOMPARE(Store.Select_PHY_Key, quint8(0));
    QCOMPARE(Store.Select_PHY_Key_Layer, quint8(0));
    QCOMPARE(Store.Select_PHY_Key_Mode, quint8(1));
    QCOMPARE(Store.Dev_Connected, quint8(0));
    QCOMPARE(Store.Dev_Key_Num, quint8(0));
    QCOMPARE(Store.Dev_Knob_Num, quint8(0));
    QCOMPARE(Store.Dev_Variant, quint8(0));
    QCOMPARE(Store.Layout_Key_Num, quint8(15));
    QCOMPARE(Store.Layout_Knob_Num, quint8(3));
    QCOMPARE(Store.Layout_Variant, quint8(0));
    QCOMPARE(Store.Cur_VID, quint16(0x1189));
    QCOMPARE(Store.Cur_PID, quint16(0x8840));
    QVERIFY(Store.dev_list == nullptr);
    QCOMPARE(Store.Save_Notice_Active, quint8(0));
    QCOMPARE(Store.LED_Modify_Flag, quint8(0));
    // the colours every layer starts with are checked where they reach the keypad
    for (int l = 0; l < kLayers; ++l)
        QCOMPARE(Store.LED_Layer_Mode[l], quint8(0));
}

void TestCoreDevice::resetUndoesEverything()
{
    fill(Store.PHY_KEY_Value[2][59], 0xAB);
    fill(Store.PHY2_KEY_Value[0][0], 0xCD);
    Store.markChanged(1, 7);
    Store.Dev_Variant = 10;
    Store.Cur_VID = 0x514C;
    Store.dev_list = &Store;
    Store.LED_Color_Table[1][15][2] = 1;
    Store.LED_Modify_Flag = 1;

    Store.reset();

    QVERIFY(isFreshRecord(Store.PHY_KEY_Value[2][59]));
    QVERIFY(isFreshRecord(Store.PHY2_KEY_Value[0][0]));
    QCOMPARE(Store.Modify_Key_Flag[1][7], quint8(0));
    QCOMPARE(Store.Dev_Variant, quint8(0));
    QCOMPARE(Store.Cur_VID, quint16(0x1189));
    QVERIFY(Store.dev_list == nullptr);
    QCOMPARE(Store.LED_Color_Table[1][15][2], quint8(100));
    QCOMPARE(Store.LED_Modify_Flag, quint8(0));
}

void TestCoreDevice::variantSelectsTheRecordArray()
{
    QVERIFY(!Store.extended());
    QCOMPARE(Store.record(1, 4), Store.PHY_KEY_Value[1][4]);
    Store.Dev_Variant = 10;
    QVERIFY(Store.extended());
    QCOMPARE(Store.record(1, 4), Store.PHY2_KEY_Value[1][4]);
    Store.Dev_Variant = 11;
    QVERIFY(!Store.extended());
}

void TestCoreDevice::selectSlotStampsTheHeaderInTheFormatInUse()
{
    Store.Select_PHY_Key_Layer = 2;
    Store.selectSlot(7);
    QCOMPARE(Store.Select_PHY_Key, quint8(7));
    QCOMPARE(Store.PHY_KEY_Value[2][7][0], quint8(0xFD));
    QCOMPARE(Store.PHY_KEY_Value[2][7][1], quint8(7));
    QCOMPARE(Store.PHY_KEY_Value[2][7][2], quint8(3));
    QVERIFY(isFreshRecord(Store.PHY2_KEY_Value[2][7]));

    Store.Dev_Variant = 10;
    Store.Select_PHY_Key_Layer = 1;
    Store.selectSlot(20);
    QCOMPARE(Store.PHY2_KEY_Value[1][20][1], quint8(20));
    QCOMPARE(Store.PHY2_KEY_Value[1][20][2], quint8(2));
    QVERIFY(isFreshRecord(Store.PHY_KEY_Value[1][20]));
}

void TestCoreDevice::triesTheIdsInOrder()
{
    QVector<QPair<quint16, quint16>> tried;
    const auto found = discovery::firstPresent([&](UsbId id) {
        tried.append({id.vid, id.pid});
        return false;
    });
    QVERIFY(!found);
    const QVector<QPair<quint16, quint16>> expected{
        {0x1189, 0x8842}, {0x1189, 0x8840}, {0x1189, 0x8830}, {0x1189, 0x8831},
        {0x1189, 0x8832}, {0x1189, 0x8833}, {0x1189, 0x8850}, // 0x8851 is not tried under the first vendor id
        {0x514C, 0x8842}, {0x514C, 0x8840}, {0x514C, 0x8830}, {0x514C, 0x8831},
        {0x514C, 0x8832}, {0x514C, 0x8833}, {0x514C, 0x8850}, {0x514C, 0x8851}};
    QCOMPARE(tried, expected);
}

void TestCoreDevice::oneEnumerationFindsWhatTheIdsOneByOneFind_data()
{
    QTest::addColumn<QVector<Entry>>("listed");
    QTest::addColumn<QString>("expected");

    QTest::newRow("nothing listed") << QVector<Entry>{} << "none";
    QTest::newRow("other devices only") << QVector<Entry>{{0x046d, 0xc52b, 0}, {0x1189, 0x9999, 0}} << "none";
    QTest::newRow("8851 under the first vendor id") << QVector<Entry>{{0x1189, 0x8851, 0}} << "none";
    QTest::newRow("8851 under the second vendor id") << QVector<Entry>{{0x514C, 0x8851, 0}} << "514c:8851";
    QTest::newRow("first vendor id wins wherever it is listed")
        << QVector<Entry>{{0x514C, 0x8842, 0}, {0x046d, 0xc52b, 0}, {0x1189, 0x8850, 1}} << "1189:8850";
    QTest::newRow("product ids in table order")
        << QVector<Entry>{{0x1189, 0x8833, 0}, {0x1189, 0x8831, 2}, {0x1189, 0x8840, 1}} << "1189:8840";
    QTest::newRow("any interface counts for the search")
        << QVector<Entry>{{0x514C, 0x8832, 3}, {0x514C, 0x8830, 1}} << "514c:8830";
}

void TestCoreDevice::oneEnumerationFindsWhatTheIdsOneByOneFind()
{
    QFETCH(QVector<Entry>, listed);
    QFETCH(QString, expected);
    const Enumeration all(listed);

    const auto oneByOne = discovery::firstPresent([&](UsbId id) {
        for (const Entry &e : listed)
            if (e.vid == id.vid && e.pid == id.pid)
                return true;
        return false;
    });
    QCOMPARE(text(oneByOne), expected);
    QCOMPARE(text(discovery::firstListed(all.head())), expected);
}

void TestCoreDevice::opensTheFirstInterfaceZeroOfTheId()
{
    const Enumeration all({{0x1189, 0x8842, 0}, // another keypad's interface 0
                           {0x514C, 0x8840, 1},
                           {0x514C, 0x8840, 0}, // the one to open
                           {0x514C, 0x8840, 0},
                           {0x514C, 0x8851, 0}});
    discovery::Match m = discovery::match(all.head(), {0x514C, 0x8840});
    QVERIFY(m.listed);
    QCOMPARE(m.interfaceZero, all.at(2));

    const Enumeration noInterfaceZero({{0x514C, 0x8840, 2}, {0x514C, 0x8840, 1}, {0x1189, 0x8840, 0}});
    m = discovery::match(noInterfaceZero.head(), {0x514C, 0x8840});
    QVERIFY(m.listed);
    QVERIFY(!m.interfaceZero);

    m = discovery::match(all.head(), {0x1189, 0x8840});
    QVERIFY(!m.listed);
    QVERIFY(!m.interfaceZero);
    QVERIFY(!discovery::match(nullptr, {0x1189, 0x8840}).listed);
}

QTEST_APPLESS_MAIN(TestCoreDevice)
#include "tst_core_device.moc"
