// Draws the main window, as it looks with a keypad plugged in, into a PNG for the README:
//   QT_QPA_PLATFORM=offscreen zd_window_picture FILE
// The program starts as zorveldeck does, on the virtual keypad (15 keys, 3 knobs).
#include <QApplication>
#include <QPixmap>
#include <QTimer>
#include <QWidget>

#include <cstdio>

#include "app/application.h"
#include "sim/virtual_keypad.h"

namespace
{

constexpr int kWidth = 1600, kHeight = 900;
constexpr int kConnectMs = 1000; // the search finds the keypad within 100 ms
constexpr int kSettleMs = 300;
const char *pictureFile = nullptr;

// The main window's title carries the unsaved marker's placeholder.
bool isMainWindow(const QWidget *w)
{
    return w->isVisible() && w->windowTitle() == QLatin1String("ZORVELDECK[*]");
}

void grab()
{
    QWidget *window = nullptr;
    for (QWidget *w : QApplication::topLevelWidgets())
        if (isMainWindow(w))
            window = w;
    if (!window) {
        std::fprintf(stderr, "zd_window_picture: no main window\n");
        QCoreApplication::exit(1);
        return;
    }
    const bool saved = window->grab().save(QString::fromLocal8Bit(pictureFile), "PNG");
    if (!saved)
        std::fprintf(stderr, "zd_window_picture: cannot write %s\n", pictureFile);
    QCoreApplication::exit(saved ? 0 : 1);
}

// Runs once the application object exists: the window is shown at a fixed size once the
// keypad is connected, then drawn.
void scheduleGrab()
{
    QTimer::singleShot(kConnectMs, [] {
        for (QWidget *w : QApplication::topLevelWidgets())
            if (isMainWindow(w)) {
                w->setWindowState(Qt::WindowNoState);
                w->setGeometry(0, 0, kWidth, kHeight);
            }
        QTimer::singleShot(kSettleMs, grab);
    });
}

} // namespace

Q_COREAPP_STARTUP_FUNCTION(scheduleGrab)

int main(int argc, char *argv[])
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: zd_window_picture FILE.png\n");
        return 2;
    }
    pictureFile = argv[1];
    sim::reset();
    sim::plug();
    int qtArgc = 1;
    return runZorvelDeck(qtArgc, argv);
}
