#include <QApplication>
#include <QFont>
#include <QTranslator>

#include "app/widget.h"

int main(int argc, char *argv[])
{
    QApplication a(argc, argv);
    QTranslator translator;
    (void)translator.load(QStringLiteral(":/lanague_cn.qm"));
    a.installTranslator(&translator);
    QFont font(QStringLiteral("微软雅黑"));
    font.setPixelSize(15);
    QApplication::setFont(font);
    Widget w;
    w.setWindowTitle(QStringLiteral("ZORVELDECK"));
    w.show();
    return a.exec();
}
