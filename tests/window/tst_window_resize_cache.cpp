// What the main window keeps between resizes (decoded pictures, scaled sizes, style sheets,
// the tab bar's style) must never show anything else than a fresh layout would.
#include <QLabel>
#include <QPushButton>
#include <QTabBar>
#include <QTabWidget>
#include <QtTest>

#include "device/store.h"
#include "support/keypad_fixture.h"

namespace
{

QImage shownImage(const QLabel *label)
{
#if QT_VERSION < QT_VERSION_CHECK(6, 0, 0)
    return label->pixmap(Qt::ReturnByValue).toImage();
#else
    return label->pixmap().toImage();
#endif
}

QImage freshImage(const QString &path, const QSize &box)
{
    return QPixmap(path).scaled(box, Qt::KeepAspectRatio, Qt::SmoothTransformation).toImage();
}

// Counts the style changes a widget receives.
class StyleChangeCounter : public QObject
{
  public:
    StyleChangeCounter(QWidget *watched, int *count) : count(count) { watched->installEventFilter(this); }
    bool eventFilter(QObject *, QEvent *event) override
    {
        *count += event->type() == QEvent::StyleChange;
        return false;
    }

  private:
    int *count;
};

} // namespace

class TestResizeCache : public QObject
{
    Q_OBJECT

    KeypadFixture *f = nullptr;

    void resizeWindow(int W, int H)
    {
        Widget *w = f->window();
        w->showNormal();
        w->windowHandle()->setWindowStates(Qt::WindowNoState);
        w->resize(W, H);
        QApplication::processEvents();
        QTRY_COMPARE(w->size(), QSize(W, H));
    }
    QLabel *label(int n) { return f->child<QLabel>(QStringLiteral("pushButton_K%1_BK").arg(n)); }

  private slots:
    void init() { f = new KeypadFixture; }
    void cleanup()
    {
        delete f;
        f = nullptr;
    }

    // Heights give key sides 72, 80, 88, 80, 96: more sizes than are kept, and a size again.
    // Knob press pictures come at two sizes in one layout (slot 17: 1.25 S, slot 23: 1.7 S).
    void picturesAreScaledForEverySize()
    {
        for (int H : {900, 1000, 1100, 1000, 1200}) {
            resizeWindow(1600, H);
            const int S = int(0.08 * H);
            QCOMPARE(label(1)->size(), QSize(S, S));
            QCOMPARE(shownImage(label(1)), freshImage(QStringLiteral(":/image/KEY1.png"), QSize(S, S)));
            const int small = int(1.25 * S), large = int(1.7 * S);
            QCOMPARE(shownImage(label(17)),
                     freshImage(QStringLiteral(":/image/KN_IN150x150.png"), QSize(small, small)));
            QCOMPARE(shownImage(label(23)),
                     freshImage(QStringLiteral(":/image/KN_IN150x150.png"), QSize(large, large)));
            QCOMPARE(shownImage(label(22)), freshImage(QStringLiteral(":/image/KN_LEFT114x97.png"),
                                                       QSize(int(0.6 * large), int(0.6 * large))));
        }
    }

    void tabSizesFollowTheWindowWithoutNeedlessRestyling()
    {
        QTabBar *bar = f->child<QTabWidget>(QStringLiteral("tabWidget"))->tabBar();
        resizeWindow(1600, 1000);
        QCOMPARE(bar->tabRect(0).size(), QSize(144, 50));
        int styleChanges = 0;
        StyleChangeCounter counter(bar, &styleChanges);

        resizeWindow(1601, 1001); // the same tab size: 144 x 50
        QCOMPARE(styleChanges, 0);
        QCOMPARE(bar->tabRect(0).size(), QSize(144, 50));

        resizeWindow(1700, 1100);
        QVERIFY(styleChanges > 0);
        QCOMPARE(bar->tabRect(0).size(), QSize(153, 55));
    }

    void statusLineIsRestoredAfterAnyOtherStyle()
    {
        f->poll(3);
        QCOMPARE(f->statusText(), QStringLiteral("Device Disconnect USB"));
        QCOMPARE(f->statusStyle(), QStringLiteral("color: rgb(220, 0, 0);"));
        // what the end of the save notice leaves behind is replaced at the next step
        auto *status = f->child<QPushButton>(QStringLiteral("Dev_Sta_Dsp"));
        status->setStyleSheet(QStringLiteral("background-color: rgb(60,60,60);border:0px;color:#FFFFFF;"));
        status->setText(QStringLiteral("Saved successfully"));
        f->poll();
        QCOMPARE(f->statusText(), QStringLiteral("Device Disconnect USB"));
        QCOMPARE(f->statusStyle(), QStringLiteral("color: rgb(220, 0, 0);"));
    }
};

QTEST_MAIN(TestResizeCache)
#include "tst_window_resize_cache.moc"
