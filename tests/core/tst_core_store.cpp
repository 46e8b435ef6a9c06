// The configuration store: its start-up contents and the whole-store operations.
#include <QtTest>

#include <cstring>

#include "device/store.h"

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

} // namespace

class TestStore : public QObject
{
    Q_OBJECT

  private slots:
    void init() { Store.reset(); }
    void startsAsAtProgramStart();
    void resetUndoesEverything();
    void variantSelectsTheRecordArray();
    void selectSlotStampsTheHeaderInTheFormatInUse();
    void clearingKeepsHeadersAndFlags();
};

void TestStore::startsAsAtProgramStart()
{
    for (auto *array : {Store.PHY_KEY_Value, Store.PHY2_KEY_Value})
        for (int l = 0; l < kLayers; ++l)
            for (int s = 0; s < kSlots; ++s)
                QVERIFY2(isFreshRecord(array[l][s]), qPrintable(QString("layer %1 slot %2").arg(l).arg(s)));
    for (int l = 0; l < kLayers; ++l)
        for (int s = 0; s < kSlots; ++s)
            QCOMPARE(Store.Modify_Key_Flag[l][s], quint8(0));

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

    const quint16 pids[8] = {0x8842, 0x8840, 0x8830, 0x8831, 0x8832, 0x8833, 0x8850, 0x8851};
    for (int i = 0; i < 8; ++i)
        QCOMPARE(PID_Table[i], pids[i]);

    const quint8 colours[kLedKeys][3] = {{255, 0, 0},   {255, 128, 48},  {255, 255, 48},  {0, 255, 0},
                                         {0, 255, 255}, {0, 0, 255},     {128, 0, 128},   {139, 0, 0},
                                         {255, 165, 0}, {255, 255, 150}, {125, 255, 0},   {0, 139, 139},
                                         {0, 0, 139},   {255, 0, 255},   {255, 102, 102}, {255, 200, 100}};
    for (int l = 0; l < kLayers; ++l) {
        QCOMPARE(Store.LED_Layer_Mode[l], quint8(0));
        QVERIFY(std::memcmp(Store.LED_Color_Table[l], colours, sizeof(colours)) == 0);
    }
}

void TestStore::resetUndoesEverything()
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

void TestStore::variantSelectsTheRecordArray()
{
    QVERIFY(!Store.extended());
    QCOMPARE(Store.record(1, 4), Store.PHY_KEY_Value[1][4]);
    Store.Dev_Variant = 10;
    QVERIFY(Store.extended());
    QCOMPARE(Store.record(1, 4), Store.PHY2_KEY_Value[1][4]);
    Store.Dev_Variant = 11;
    QVERIFY(!Store.extended());
}

void TestStore::selectSlotStampsTheHeaderInTheFormatInUse()
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

void TestStore::clearingKeepsHeadersAndFlags()
{
    fill(Store.PHY_KEY_Value[0][3], 0x11);
    fill(Store.PHY2_KEY_Value[0][3], 0x22);
    Store.markChanged(0, 3);
    Store.clearSlot(0, 3);
    const std::pair<const quint8 *, quint8> cleared[] = {{Store.PHY_KEY_Value[0][3], 0x11},
                                                         {Store.PHY2_KEY_Value[0][3], 0x22}};
    for (const auto &[r, filler] : cleared) {
        QCOMPARE(r[0], filler); // header bytes 0..3 untouched
        QCOMPARE(r[3], filler);
        for (int i = 4; i < 64; ++i)
            QCOMPARE(r[i], quint8(0));
    }
    QCOMPARE(Store.Modify_Key_Flag[0][3], quint8(1));

    for (int s : {0, 1, 25, 26}) {
        fill(Store.PHY_KEY_Value[1][s], 0x33);
        fill(Store.PHY2_KEY_Value[1][s], 0x44);
    }
    fill(Store.PHY_KEY_Value[2][1], 0x55);
    Store.clearLayer(1);
    for (int s : {1, 25}) {
        const quint8 *std = Store.PHY_KEY_Value[1][s];
        const quint8 *ext = Store.PHY2_KEY_Value[1][s];
        QCOMPARE(std[3], quint8(0x33));
        QCOMPARE(std[4], quint8(0));
        QCOMPARE(std[49], quint8(0));
        QCOMPARE(std[50], quint8(0x33));
        QCOMPARE(ext[3], quint8(0x44));
        QCOMPARE(ext[4], quint8(0));
        QCOMPARE(ext[58], quint8(0));
        QCOMPARE(ext[59], quint8(0x44));
    }
    // slot 0 (the LED record), slots beyond 25 and the other layers keep their bytes
    QCOMPARE(Store.PHY_KEY_Value[1][0][10], quint8(0x33));
    QCOMPARE(Store.PHY2_KEY_Value[1][26][10], quint8(0x44));
    QCOMPARE(Store.PHY_KEY_Value[2][1][10], quint8(0x55));
}

QTEST_APPLESS_MAIN(TestStore)
#include "tst_core_store.moc"
