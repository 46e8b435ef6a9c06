// Figure 2, the main window's resize handling for the heaviest pictures and the default one:
// as it was (legacy::resize, run in place of the window's handler) and as it is (the window's
// own resizeEvent). "same size" delivers a resize to 1920 x 1006 again (what a maximise or a
// restore does); "drag" resizes the window by one pixel each time, back and forth between
// 1920 x 1006 and 1880 x 966, as a drag of the window's corner does.
#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QResizeEvent>

#include <benchmark/benchmark.h>

#include <memory>

#include "app/widget.h"
#include "bench_support.h"
#include "device/store.h"
#include "legacy_resize.h"

namespace
{

constexpr int kWidth = 1920, kHeight = 1006, kDragSteps = 40;

struct Model {
    const char *name;
    quint8 keys, knobs;
};
constexpr Model kModels[] = {{"15+3 default", 15, 3}, {"16+3", 16, 3}, {"21+1", 21, 1}, {"12+4", 12, 4}};

// Handles the window's resize events the old way instead of the window's own handler.
class LegacyResize : public QObject
{
  public:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() != QEvent::Resize)
            return false;
        legacy::resize(static_cast<Widget *>(watched));
        return true;
    }
};

std::unique_ptr<Widget> windowFor(const Model &m)
{
    std::unique_ptr<Widget> w(bench::newWindow());
    w->showNormal();
    w->resize(kWidth, kHeight);
    QCoreApplication::processEvents();
    Store.Layout_Key_Num = Store.Dev_Key_Num = m.keys;
    Store.Layout_Knob_Num = Store.Dev_Knob_Num = m.knobs;
    Store.Select_PHY_Key = 3; // a selected slot: every resize highlights it again
    QResizeEvent again(w->size(), w->size());
    QCoreApplication::sendEvent(w.get(), &again);
    return w;
}

// What the upper half of the window shows: every slot's geometry, visibility, style sheet and
// picture, and the places of the fixed widgets.
QStringList snapshot(Widget *w)
{
    QStringList out;
    const auto rect = [](const QWidget *x) {
        const QRect r = x->geometry();
        return QStringLiteral("%1,%2 %3x%4 %5")
            .arg(r.x())
            .arg(r.y())
            .arg(r.width())
            .arg(r.height())
            .arg(x->isVisibleTo(x->parentWidget()));
    };
    for (int n = 1; n <= 27; ++n) {
        auto *b = w->findChild<QPushButton *>(QStringLiteral("pushButton_K%1").arg(n));
        auto *l = w->findChild<QLabel *>(QStringLiteral("pushButton_K%1_BK").arg(n));
#if QT_VERSION < QT_VERSION_CHECK(6, 0, 0)
        const QPixmap p = l->pixmap(Qt::ReturnByValue);
#else
        const QPixmap p = l->pixmap();
#endif
        const QImage image = p.toImage();
        out << rect(b) + b->styleSheet() << rect(l) + l->styleSheet()
            << QString::number(qHashBits(image.constBits(), size_t(image.sizeInBytes())));
    }
    for (const char *name : {"ALL_KEY_BK", "lineEdit", "tabWidget", "Dev_Sta_Dsp", "download", "Layer1"})
        out << rect(w->findChild<QWidget *>(QLatin1String(name)));
    return out;
}

void resize(benchmark::State &state, Model m, bool drag, bool before)
{
    std::unique_ptr<Widget> w = windowFor(m);
    LegacyResize legacyHandler;

    // The baseline must show what the window's own handler shows, or the comparison means nothing.
    const QStringList own = snapshot(w.get());
    legacy::resize(w.get());
    if (snapshot(w.get()) != own) {
        state.SkipWithError("the old resize handling shows something else than the window's own");
        return;
    }
    if (before)
        w->installEventFilter(&legacyHandler);

    int step = 0;
    for (auto _ : state) {
        if (drag) {
            // 0, 1, .., 39, 40, 39, .. 1, 0, 1, ..: a new size every time
            const int phase = step++ % (2 * kDragSteps);
            const int d = phase <= kDragSteps ? phase : 2 * kDragSteps - phase;
            w->resize(kWidth - d, kHeight - d);
        } else {
            QResizeEvent event(w->size(), w->size());
            QCoreApplication::sendEvent(w.get(), &event);
        }
    }
    w->removeEventFilter(&legacyHandler);
}

} // namespace

namespace bench
{

void registerResizeBenchmarks()
{
    for (const Model &m : kModels)
        for (bool drag : {false, true})
            for (bool before : {true, false}) {
                const std::string name = std::string("resize/") + m.name + (drag ? "/drag" : "/same size") +
                                         (before ? "/before" : "/after");
                benchmark::RegisterBenchmark(name.c_str(), resize, m, drag, before)
                    ->Unit(benchmark::kMillisecond)
                    ->MinTime(0.2)
                    ->Repetitions(5)
                    ->ReportAggregatesOnly(true);
            }
}

} // namespace bench
