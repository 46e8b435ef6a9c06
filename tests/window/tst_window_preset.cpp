// The Procreate page: built once, 31 shortcuts in an 8-column grid, one click writes
// the shortcut into the selected slot's extended record.
#include <QGridLayout>
#include <QPointer>
#include <QPushButton>
#include <QTabWidget>
#include <QTextEdit>
#include <QtTest>

#include "app/widget.h"
#include "device/store.h"

class TestWindowPreset : public QObject
{
    Q_OBJECT

    Widget *w = nullptr;
    QTabWidget *tabs = nullptr;

    int presetTab()
    {
        int found = -1;
        for (int i = 0; i < tabs->count(); ++i)
            if (tabs->tabText(i) == QLatin1String("Procreate")) {
                if (found >= 0)
                    return -2; // two pages
                found = i;
            }
        return found;
    }
    QPushButton *preset(const QString &caption)
    {
        const int index = presetTab();
        if (index < 0)
            return nullptr;
        for (QPushButton *b : tabs->widget(index)->findChildren<QPushButton *>())
            if (b->text() == caption)
                return b;
        return nullptr;
    }
    QPushButton *key(int n) { return w->findChild<QPushButton *>(QStringLiteral("pushButton_K%1").arg(n)); }
    QString info() { return w->findChild<QTextEdit *>(QStringLiteral("lineEdit"))->toPlainText(); }

  private slots:
    void initTestCase()
    {
        QLoggingCategory::setFilterRules(QStringLiteral("zorveldeck.*.debug=false"));
        w = new Widget;
        w->Poll_Timer->stop(); // no device traffic in these tests
        tabs = w->findChild<QTabWidget *>(QStringLiteral("tabWidget"));
        QVERIFY(tabs);
    }
    void cleanupTestCase() { delete w; }
    void init()
    {
        Store.reset();
        Store.Dev_Variant = 10;
        w->Language = 1;
    }

    void pageIsBuiltOnce()
    {
        QCOMPARE(presetTab(), -1);
        w->buildPresetPage();
        w->buildPresetPage();
        QCOMPARE(presetTab(), 6);
        QCOMPARE(tabs->count(), 7);

        QWidget *page = tabs->widget(6);
        const QList<QPushButton *> buttons = page->findChildren<QPushButton *>();
        QCOMPARE(buttons.size(), 31);
        auto *grid = qobject_cast<QGridLayout *>(page->layout());
        QVERIFY(grid);
        QCOMPARE(grid->columnCount(), 8);
        QCOMPARE(grid->rowCount(), 4);
        for (int c = 0; c < 8; ++c)
            QCOMPARE(grid->columnStretch(c), 1);
        for (int r = 0; r < 4; ++r)
            QCOMPARE(grid->rowStretch(r), 1);

        auto cell = [grid](int row, int column) {
            return qobject_cast<QPushButton *>(grid->itemAtPosition(row, column)->widget());
        };
        QCOMPARE(cell(0, 0)->text(), QStringLiteral("QuickMenu"));
        QCOMPARE(cell(0, 0)->property("data-value"), QVariant(0x2C));
        QCOMPARE(cell(1, 1)->text(), QStringLiteral("Color Pick (Alt)"));
        QCOMPARE(cell(1, 1)->property("data-value"), QVariant(0xF3));
        QCOMPARE(cell(3, 5)->text(), QStringLiteral("Undo"));
        QCOMPARE(cell(3, 5)->property("data-value"), QVariant(QVariantList{0xF4, 0x1D}));
        QCOMPARE(cell(3, 6)->text(), QStringLiteral("Redo"));
        QCOMPARE(cell(3, 6)->property("data-value"), QVariant(QVariantList{0xF2, 0xF4, 0x1D}));
        QCOMPARE(cell(3, 6)->sizePolicy().horizontalPolicy(), QSizePolicy::Expanding);
        QCOMPARE(cell(3, 6)->sizePolicy().verticalPolicy(), QSizePolicy::Expanding);
        QVERIFY(cell(3, 6)->styleSheet().contains(QStringLiteral("font-size:20px")));
        QVERIFY(grid->itemAtPosition(3, 7) == nullptr);
    }

    void undoRedoQuickMenuOnSlot2()
    {
        w->buildPresetPage();
        Store.selectSlot(2);
        quint8 *r = Store.PHY2_KEY_Value[0][2];
        r[9] = 0x01, r[10] = 0x2C; // a delay on the second stroke stays with it

        QTest::mouseClick(preset(QStringLiteral("Undo")), Qt::LeftButton);
        QCOMPARE(r[8], quint8(0xF4));
        QCOMPARE(r[11], quint8(0x1D));
        QCOMPARE(r[5], quint8(2));
        QCOMPARE(r[3], quint8(1));
        QCOMPARE(r[9], quint8(0x01));
        QCOMPARE(r[10], quint8(0x2C));
        QCOMPARE(Store.Modify_Key_Flag[0][2], quint8(1));
        QCOMPARE(key(2)->text(), QStringLiteral("Undo"));
        QCOMPARE(info(), QStringLiteral("Undo"));

        QTest::mouseClick(preset(QStringLiteral("Redo")), Qt::LeftButton);
        QCOMPARE(r[8], quint8(0xF2));
        QCOMPARE(r[11], quint8(0xF4));
        QCOMPARE(r[14], quint8(0x1D));
        QCOMPARE(r[5], quint8(3));
        QCOMPARE(key(2)->text(), QStringLiteral("Redo"));

        QTest::mouseClick(preset(QStringLiteral("QuickMenu")), Qt::LeftButton);
        QCOMPARE(r[8], quint8(0x2C));
        QCOMPARE(r[11], quint8(0xF4));
        QCOMPARE(r[14], quint8(0x1D));
        QCOMPARE(r[5], quint8(1));
        QCOMPARE(key(2)->text(), QStringLiteral("QuickMenu"));
        // the standard record is not touched
        QCOMPARE(Store.PHY_KEY_Value[0][2][9], quint8(0));
        QCOMPARE(Store.PHY_KEY_Value[0][2][11], quint8(0));
    }

    void clickWithoutSlotOnlyWarns()
    {
        w->buildPresetPage();
        const QString caption = key(1)->text();
        quint8 before[kLayers][kSlots][kRecordSize];
        memcpy(before, Store.PHY2_KEY_Value, sizeof(before));
        QTest::ignoreMessage(QtWarningMsg, "Invalid Select_PHY_Key: 0");
        QTest::mouseClick(preset(QStringLiteral("Copy")), Qt::LeftButton);
        QCOMPARE(memcmp(before, Store.PHY2_KEY_Value, sizeof(before)), 0);
        QCOMPARE(Store.Modify_Key_Flag[0][0], quint8(0));
        QCOMPARE(key(1)->text(), caption);
    }

    void removingAndSourceCaptions()
    {
        w->buildPresetPage();
        QPointer<QWidget> page = tabs->widget(presetTab());
        QVERIFY(w->removePresetPage());
        QCOMPARE(presetTab(), -1);
        QCOMPARE(tabs->count(), 6);
        QVERIFY(page.isNull());
        QVERIFY(!w->removePresetPage());

        w->Language = 0;
        w->buildPresetPage();
        QVERIFY(preset(QStringLiteral("撤销")));
        QVERIFY(preset(QStringLiteral("开/关 全屏模式")));
        Store.Select_PHY_Key_Layer = 2;
        Store.selectSlot(9);
        QTest::mouseClick(preset(QStringLiteral("撤销")), Qt::LeftButton);
        QCOMPARE(key(9)->text(), QStringLiteral("撤销"));
        QCOMPARE(Store.PHY2_KEY_Value[2][9][8], quint8(0xF4));
        QCOMPARE(Store.Modify_Key_Flag[2][9], quint8(1));
        QVERIFY(w->removePresetPage());
    }
};

QTEST_MAIN(TestWindowPreset)
#include "tst_window_preset.moc"
