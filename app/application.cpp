#include "app/application.h"

#include <QApplication>
#include <QFont>
#include <QIcon>
#include <QTranslator>

#include <cstdio>

#include "app/quiet_messages.h"
#include "app/start_language.h"
#include "app/widget.h"

int runZorvelDeck(int argc, char *argv[])
{
    // Declaration order gives the teardown order: window, font, translator, application,
    // message filter.
    QuietMessages quiet;
    QString error;
    if (!start_language::choose(argc, argv, &error)) {
        std::fprintf(stderr, "zorveldeck: %s\n", qPrintable(error));
        return 2;
    }
    QApplication app(argc, argv);
    // The desktop entry's name: Wayland's app id, which matches the window to its menu entry.
    QGuiApplication::setDesktopFileName(QStringLiteral(ZD_APP_ID));
    QApplication::setWindowIcon(
        QIcon::fromTheme(QStringLiteral(ZD_APP_ID), QIcon(QStringLiteral(":/image/app_icon.png"))));
    QTranslator translator;
    // The Chinese catalogue holds no entries: the source texts are Chinese.
    (void)translator.load(QStringLiteral(":/lanague_cn.qm"));
    QApplication::installTranslator(&translator);
    QFont font(QStringLiteral("微软雅黑"));
    font.setPixelSize(15);
    QApplication::setFont(font);
    Widget window;
    // "ZORVELDECK", and "ZORVELDECK*" while the window holds changes the keypad has not
    window.setWindowTitle(QStringLiteral("ZORVELDECK[*]"));
    window.show();
    return app.exec();
}
