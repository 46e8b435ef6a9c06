// The main window as constructed: visible parts, watched function buttons, the language
// switch over every caption, and the tab bar as drawn.
#include <QTabBar>
#include <QTabWidget>
#include <QTranslator>
#include <QtTest>

#include "app/dialog1.h"
#include "app/widget.h"
#include "device/store.h"
#include "views/tab_style.h"

namespace
{
// The window with a record of every object its event filter was asked about.
class SpyWidget : public Widget
{
  public:
    QSet<QObject *> filtered;
    static QEvent::Type probe()
    {
        static const auto type = QEvent::Type(QEvent::registerEventType());
        return type;
    }

  protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == probe())
            filtered.insert(watched);
        return Widget::eventFilter(watched, event);
    }
};
} // namespace

class TestWindowShell : public QObject
{
    Q_OBJECT

    QTranslator startupTranslator;
    SpyWidget *w = nullptr;

    template <typename T = QWidget> T *child(const QString &name)
    {
        T *c = w->findChild<T *>(name);
        if (!c)
            qFatal("no widget %s", qPrintable(name));
        return c;
    }
    QTabWidget *tabs() { return child<QTabWidget>("tabWidget"); }

  private slots:
    void initTestCase()
    {
        // as the entry point does before constructing the window
        QVERIFY(startupTranslator.load(":/lanague_cn.qm"));
        QApplication::installTranslator(&startupTranslator);
    }
    void init()
    {
        Store.reset();
        w = new SpyWidget;
    }
    void cleanup()
    {
        delete w;
        w = nullptr;
    }

    void constructed()
    {
        QVERIFY(w->isVisible() && child("change")->isHidden() && child("pushButton_SeleKey")->isHidden());
        for (const char *name :
             {"Layer1", "Layer3", "download", "cancel", "cancel_2", "Read_Configuration", "Dev_Sta_Dsp"})
            QVERIFY2(!child(name)->isHidden(), name);
        QCOMPARE(w->Poll_Timer->interval(), 100);
        QVERIFY(w->Poll_Timer->isActive() && w->Model_Dialog->isHidden());
        QCOMPARE(tabs()->tabPosition(), QTabWidget::West);
        QCOMPARE(tabs()->currentIndex(), 0);
        // every function button of the pages is watched, a button added later is not, nor the picture
        const QList<QPushButton *> buttons = tabs()->findChildren<QPushButton *>();
        QCOMPARE(buttons.size(), 267);
        auto *late = new QPushButton("A", tabs()->widget(0));
        for (QObject *o : QList<QObject *>{late, child("pushButton_K1")} +
                              QList<QObject *>(buttons.begin(), buttons.end())) {
            QEvent probe(SpyWidget::probe());
            QCoreApplication::sendEvent(o, &probe);
        }
        QCOMPARE(w->filtered.size(), 267);
        QVERIFY(!w->filtered.contains(late));
    }

    // Every caption of the function pages and the LED modes is a catalogue name of the language
    // in force; the tab titles and texts follow; another value of Language changes nothing.
    void languageSwitchesEveryCaption()
    {
        const char *const titles[2][6] = {
            {"基础按键", "Ctrl Shift Alt", "多媒体", "RGB页", "鼠标", "延时"},
            {"BaseKeys", "Ctrl Shift Alt", "MutiMedia", "RGB LED", "Mouse", "DelaySetting"}};
        for (int language : {1, 0, 1}) {
            QCOMPARE(w->Language, language);
            QList<QPushButton *> buttons;
            for (int page : {0, 1, 2, 4})
                buttons += tabs()->widget(page)->findChildren<QPushButton *>();
            for (int m = 0; m < 6; ++m)
                buttons += child<QPushButton>(QStringLiteral("LED_Mode_%1").arg(m));
            QCOMPARE(buttons.size(), 193);
            for (QPushButton *b : buttons) {
                const int row = w->Key_Index_Map.value(b->text(), -1);
                QVERIFY2(row >= 0 && (language ? w->Key_Name_EN : w->Key_Name_CN)[row] == b->text(),
                         qPrintable(b->objectName() + " " + b->text()));
            }
            for (int i = 0; i < 6; ++i)
                QCOMPARE(tabs()->tabText(i), QString::fromUtf8(titles[language][i]));
            QCOMPARE(child<QPushButton>("change")->text(), language ? "中文" : "English");
            QCOMPARE(child<QPushButton>("download")->text(), language ? "Save settings" : " 保存配置");
            QVERIFY(QMetaObject::invokeMethod(w, "on_change_clicked"));
        }
        QCOMPARE(w->Key_Code_Map.value("鼠标中键"), quint8(0x62)); // the maps keep both languages
        w->Language = 2;
        QVERIFY(QMetaObject::invokeMethod(w, "on_change_clicked"));
        QCOMPARE(w->Language, 2);
        QCOMPARE(child<QPushButton>("change")->text(), QStringLiteral("English"));
    }

    // Tabs 0.09 W by 0.05 H; the tab in front is drawn as a framed block 6 px inside its tab.
    void tabBarAsDrawn()
    {
        QCOMPARE(CustomTabStyle::tabSize(1921, 719), QSize(172, 35));
        CustomTabStyle::install(tabs()->tabBar());
        QCOMPARE(w->findChildren<CustomTabStyle *>(QString(), Qt::FindDirectChildrenOnly).size(), 1);
        QTabBar *bar = tabs()->tabBar();
        const QImage shot = bar->grab().toImage();
        for (int i : {0, 1}) {
            const QRect r = bar->tabRect(i);
            const int y = r.top() + r.height() / 4;
            QCOMPARE(shot.pixelColor(r.left() + 6, y) == QColor(0x89, 0xCF, 0xFF), i == 0);
            QCOMPARE(shot.pixelColor(r.left() + 8, y) == QColor(0x17, 0x75, 0xD8), i == 0);
            QVERIFY(shot.pixelColor(r.left() + 5, y) != QColor(0x89, 0xCF, 0xFF));
        }
    }
};

QTEST_MAIN(TestWindowShell)
#include "tst_window_shell.moc"
