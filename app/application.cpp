#include "app/application.h"

#include <QApplication>
#include <QFont>
#include <QTranslator>

#include "app/widget.h"

int runZorvelDeck(int argc, char *argv[])
{
    // Declaration order gives the teardown order: window, font, translator, application.
    QApplication app(argc, argv);
    QTranslator translator;
    // The Chinese catalogue holds no entries: the source texts are Chinese.
    (void)translator.load(QStringLiteral(":/lanague_cn.qm"));
    QApplication::installTranslator(&translator);
    QFont font(QStringLiteral("微软雅黑"));
    font.setPixelSize(15);
    QApplication::setFont(font);
    Widget window;
    window.setWindowTitle(QStringLiteral("ZORVELDECK"));
    window.show();
    return app.exec();
}
