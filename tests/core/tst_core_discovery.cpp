// The keypad search: the order in which the USB ids are tried, and the single-enumeration
// search giving the same answer as trying them one by one.
#include <QtTest>

#include <hidapi.h>

#include <vector>

#include "device/discovery.h"

using discovery::UsbId;

namespace
{

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

class TestDiscovery : public QObject
{
    Q_OBJECT

  private slots:
    void triesTheIdsInOrder();
    void stopsAtTheFirstIdPresent();
    void oneEnumerationFindsWhatTheIdsOneByOneFind_data();
    void oneEnumerationFindsWhatTheIdsOneByOneFind();
    void opensTheFirstInterfaceZeroOfTheId();
};

void TestDiscovery::triesTheIdsInOrder()
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

void TestDiscovery::stopsAtTheFirstIdPresent()
{
    int calls = 0;
    const auto found = discovery::firstPresent([&](UsbId id) {
        ++calls;
        return id.vid == 0x514C && (id.pid == 0x8840 || id.pid == 0x8833);
    });
    QVERIFY(found);
    QCOMPARE(text(found), QStringLiteral("514c:8840"));
    QCOMPARE(calls, 7 + 2);
}

void TestDiscovery::oneEnumerationFindsWhatTheIdsOneByOneFind_data()
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

void TestDiscovery::oneEnumerationFindsWhatTheIdsOneByOneFind()
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

void TestDiscovery::opensTheFirstInterfaceZeroOfTheId()
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

QTEST_APPLESS_MAIN(TestDiscovery)
#include "tst_core_discovery.moc"
