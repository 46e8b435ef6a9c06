// The Procreate shortcuts and how one is written into an extended record.
#include <QtTest>

#include "device/store.h"
#include "editing/preset_table.h"

class TestPresetTable : public QObject
{
    Q_OBJECT

  private slots:
    void init() { Store.reset(); }

    void tableRows()
    {
        QCOMPARE(int(sizeof(presets::kPresets) / sizeof(presets::kPresets[0])), 31);
        const presets::Preset &first = presets::kPresets[0];
        QCOMPARE(QString::fromUtf8(first.nameCN), QStringLiteral("速选菜单"));
        QCOMPARE(first.count, quint8(1));
        QCOMPARE(first.codes[0], quint8(0x2C));
        const presets::Preset &last = presets::kPresets[30];
        QCOMPARE(QString::fromLatin1(last.nameEN), QStringLiteral("Redo"));
        QCOMPARE(QString::fromUtf8(last.nameCN), QStringLiteral("重做"));
        QCOMPARE(last.count, quint8(3));
        QCOMPARE(last.codes[0], quint8(0xF2));
        QCOMPARE(last.codes[1], quint8(0xF4));
        QCOMPARE(last.codes[2], quint8(0x1D));
        QCOMPARE(presets::kPresets[9].codes[0], quint8(0xF3));  // Color Pick (Alt)
        QCOMPARE(presets::kPresets[12].codes[1], quint8(0x27)); // command + 0
        QCOMPARE(QString::fromUtf8(presets::kPresets[12].nameCN), QStringLiteral("开/关 全屏模式"));
        QCOMPARE(presets::kPresets[18].codes[0], quint8(0xF2)); // Shift + [
        QCOMPARE(presets::kPresets[18].codes[1], quint8(0x2F));
        int strokes = 0;
        for (const presets::Preset &p : presets::kPresets) {
            QVERIFY(p.count >= 1 && p.count <= 3);
            strokes += p.count;
        }
        QCOMPARE(strokes, 11 + 2 * 5 + 2 + 2 * 2 + 2 * 10 + 3);
    }

    void otherLengthsChangeNothing()
    {
        quint8 *r = Store.PHY2_KEY_Value[1][4];
        quint8 before[kRecordSize];
        memcpy(before, r, kRecordSize);
        const int four[4] = {0xF4, 0xF2, 0xF3, 0x04};
        QVERIFY(!presets::apply(r, four, 4, 1));
        QVERIFY(!presets::apply(r, four, 0, 1));
        QCOMPARE(memcmp(before, r, kRecordSize), 0);
    }
};

QTEST_APPLESS_MAIN(TestPresetTable)
#include "tst_core_preset_table.moc"
