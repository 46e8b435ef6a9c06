// The Procreate page follows the connected keypad: added at an extended keypad's first
// contact (once), removed when a standard keypad connects.
#include <QTabWidget>
#include <QtTest>

#include "device/store.h"
#include "sim/virtual_keypad.h"
#include "support/keypad_fixture.h"

namespace
{
int modelQueries()
{
    int n = 0;
    for (const sim::Report &r : sim::received())
        if (r.bytes.startsWith(QByteArray::fromHex("03fbfbfb")))
            ++n;
    return n;
}
} // namespace

class TestWindowPresetKeypad : public QObject
{
    Q_OBJECT

    int presetPages(KeypadFixture &f)
    {
        auto *tabs = f.child<QTabWidget>(QStringLiteral("tabWidget"));
        int n = 0;
        for (int i = 0; i < tabs->count(); ++i)
            if (tabs->tabText(i) == QLatin1String("Procreate"))
                ++n;
        return n;
    }

  private slots:
    void initTestCase() { QLoggingCategory::setFilterRules(QStringLiteral("zorveldeck.*.debug=false")); }

    void pageFollowsTheKeypad()
    {
        KeypadFixture f;
        QCOMPARE(presetPages(f), 0);
        QVERIFY(f.connectKeypad(15, 3, 10));
        QCOMPARE(presetPages(f), 1);
        QCOMPARE(f.child<QTabWidget>(QStringLiteral("tabWidget"))->tabText(6), QStringLiteral("Procreate"));

        f.unplugKeypad();
        QVERIFY(f.connectKeypad(15, 3, 10));
        QCOMPARE(presetPages(f), 1);
        QCOMPARE(f.child<QTabWidget>(QStringLiteral("tabWidget"))->count(), 7);

        // a standard keypad: the page goes, and first contact is made again
        f.unplugKeypad();
        sim::setModel(15, 3, 0);
        sim::plug();
        sim::clearLogs();
        f.poll(); // opens
        f.poll(); // first contact: removes the page
        QCOMPARE(presetPages(f), 0);
        QCOMPARE(Store.Dev_Connected, quint8(0));
        QCOMPARE(modelQueries(), 1);
        f.poll(); // first contact again
        QCOMPARE(Store.Dev_Connected, quint8(1));
        QCOMPARE(modelQueries(), 2);
        QCOMPARE(f.child<QTabWidget>(QStringLiteral("tabWidget"))->count(), 6);
    }
};

QTEST_MAIN(TestWindowPresetKeypad)
#include "tst_window_preset_keypad.moc"
