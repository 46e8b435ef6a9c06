// The configuration store at program start, and which keypad the search finds in one
// enumeration of every device (the order in which the USB ids are tried).
#include <QtTest>

#include <hidapi.h>

#include <cstring>
#include <vector>

#include "device/discovery.h"
#include "device/store.h"
#include "device/store_exchange.h"

namespace
{
struct Entry {
    quint16 vid, pid;
    int interfaceNumber;
};

// An enumeration as hidapi hands it out: a linked list in the given order.
std::vector<hid_device_info> listOf(const QVector<Entry> &entries)
{
    std::vector<hid_device_info> infos(size_t(entries.size()));
    for (size_t i = 0; i < infos.size(); ++i) {
        infos[i].vendor_id = entries[int(i)].vid;
        infos[i].product_id = entries[int(i)].pid;
        infos[i].interface_number = entries[int(i)].interfaceNumber;
        infos[i].next = i + 1 < infos.size() ? &infos[i + 1] : nullptr;
    }
    return infos;
}
} // namespace

Q_DECLARE_METATYPE(QVector<Entry>)

class TestCoreDevice : public QObject
{
    Q_OBJECT

  private slots:
    void resetRestoresProgramStart()
    {
        std::memset(&Store, 0xAB, sizeof Store);
        Store.reset();
        for (auto *array : {Store.PHY_KEY_Value, Store.PHY2_KEY_Value})
            for (int l = 0; l < kLayers; ++l)
                for (int s = 0; s < kSlots; ++s)
                    QCOMPARE(QByteArray(reinterpret_cast<const char *>(array[l][s]), kRecordSize),
                             QByteArray::fromHex("FD000101") + QByteArray(kRecordSize - 4, '\0'));
        QCOMPARE(device::pendingChanges(Store), 0);
        QCOMPARE(
            QVector<int>({Store.Select_PHY_Key, Store.Select_PHY_Key_Layer, Store.Select_PHY_Key_Mode,
                          Store.Dev_Connected, Store.Dev_Variant, Store.Layout_Key_Num, Store.Layout_Knob_Num,
                          Store.Cur_VID, Store.Cur_PID, Store.Save_Notice_Active, Store.LED_Layer_Mode[2]}),
            QVector<int>({0, 0, 1, 0, 0, 15, 3, 0x1189, 0x8840, 0, 0}));
        QVERIFY(!Store.dev_list && !Store.extended());
        Store.Dev_Variant = kExtendedVariant;
        QCOMPARE(Store.record(1, 4), Store.PHY2_KEY_Value[1][4]);
    }

    void searchFindsTheFirstIdInOrder_data()
    {
        QTest::addColumn<QVector<Entry>>("listed");
        QTest::addColumn<int>("id"); // vendor id << 16 | product id, 0: none
        QTest::newRow("nothing listed") << QVector<Entry>{} << 0;
        QTest::newRow("8851 under 1189") << QVector<Entry>{{0x1189, 0x8851, 0}} << 0;
        QTest::newRow("1189 wins wherever listed")
            << QVector<Entry>{{0x514C, 0x8842, 0}, {0x046d, 0xc52b, 0}, {0x1189, 0x8850, 1}} << 0x11898850;
        QTest::newRow("product ids in table order")
            << QVector<Entry>{{0x1189, 0x8833, 0}, {0x1189, 0x8831, 2}, {0x1189, 0x8840, 1}} << 0x11898840;
    }
    void searchFindsTheFirstIdInOrder()
    {
        QFETCH(QVector<Entry>, listed);
        QFETCH(int, id);
        const auto all = listOf(listed);
        const auto found = discovery::firstListed(all.empty() ? nullptr : &all[0]);
        QCOMPARE(found ? found->vid << 16 | found->pid : 0, id);
    }

    void opensTheFirstInterfaceZeroOfTheId()
    {
        const auto all =
            listOf({{0x1189, 0x8842, 0}, {0x514C, 0x8840, 1}, {0x514C, 0x8840, 0}, {0x514C, 0x8840, 0}});
        discovery::Match m = discovery::match(&all[0], {0x514C, 0x8840});
        QVERIFY(m.listed);
        QCOMPARE(m.interfaceZero, &all[2]);
        m = discovery::match(&all[1], {0x1189, 0x8842});
        QVERIFY(!m.listed && !m.interfaceZero);
        const auto noZero = listOf({{0x514C, 0x8840, 2}, {0x1189, 0x8840, 0}});
        m = discovery::match(&noZero[0], {0x514C, 0x8840});
        QVERIFY(m.listed && !m.interfaceZero);
        // a link pinned to one path sees only the entry there, and only when it is a keypad
        auto paths = listOf({{0x1189, 0x8842, 0}, {0x046d, 0xc52b, 0}, {0x514C, 0x8840, 0}});
        const char *path[] = {"/dev/hidraw3", "/dev/hidraw4", "/dev/hidraw5"};
        for (size_t i = 0; i < paths.size(); ++i)
            paths[i].path = const_cast<char *>(path[i]);
        QCOMPARE(discovery::atPath(&paths[0], "/dev/hidraw5").interfaceZero, &paths[2]);
        QVERIFY(!discovery::atPath(&paths[0], "/dev/hidraw4").listed);
    }
};

QTEST_APPLESS_MAIN(TestCoreDevice)
#include "tst_core_device.moc"
