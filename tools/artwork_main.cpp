// zd_artwork: draws the program's pictures at build time.
//
//   zd_artwork --images <dir>          <dir>/image/*.png and <dir>/artwork.qrc (prefix /image)
//   zd_artwork --icon-sizes 16,32 <dir>  <dir>/zorveldeck-16.png, <dir>/zorveldeck-32.png
//
// Runs without a display: the offscreen platform gives QPainter its fonts.
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QSaveFile>
#include <QTextStream>
#include <cstdio>

#include "tools/app_icon.h"
#include "tools/keypad_art.h"

namespace
{

int usage()
{
    std::fprintf(stderr, "usage: zd_artwork --images <dir>\n"
                         "       zd_artwork --icon-sizes <n,n,...> <dir>\n");
    return 2;
}

bool save(const QImage &image, const QString &path)
{
    if (image.isNull() || !image.save(path, "PNG")) {
        std::fprintf(stderr, "zd_artwork: cannot write %s\n", qPrintable(path));
        return false;
    }
    return true;
}

int writeImages(const QString &dir)
{
    if (!QDir().mkpath(dir + QStringLiteral("/image")))
        return 1;
    const QVector<art::Picture> pictures = art::allPictures();
    QString qrc;
    QTextStream out(&qrc);
    out << "<!DOCTYPE RCC>\n<RCC version=\"1.0\">\n<qresource prefix=\"/image\">\n";
    for (const art::Picture &pic : pictures) {
        if (!save(pic.image, dir + QStringLiteral("/image/") + pic.fileName))
            return 1;
        out << "  <file alias=\"" << pic.fileName << "\">image/" << pic.fileName << "</file>\n";
        for (const QString &alias : pic.aliases)
            out << "  <file alias=\"" << alias << "\">image/" << pic.fileName << "</file>\n";
    }
    out << "</qresource>\n</RCC>\n";
    out.flush();

    // written last and only when complete, so a failed run leaves no resource list behind
    QSaveFile file(dir + QStringLiteral("/artwork.qrc"));
    if (!file.open(QIODevice::WriteOnly) || file.write(qrc.toUtf8()) < 0 || !file.commit()) {
        std::fprintf(stderr, "zd_artwork: cannot write %s\n", qPrintable(file.fileName()));
        return 1;
    }
    return 0;
}

int writeIcons(const QString &sizeList, const QString &dir)
{
    if (!QDir().mkpath(dir))
        return 1;
    const QStringList sizes = sizeList.split(QLatin1Char(','), Qt::SkipEmptyParts);
    if (sizes.isEmpty())
        return usage();
    for (const QString &s : sizes) {
        bool ok = false;
        const int size = s.trimmed().toInt(&ok);
        if (!ok || size < 1 || size > 4096) {
            std::fprintf(stderr, "zd_artwork: bad icon size '%s'\n", qPrintable(s));
            return 2;
        }
        if (!save(art::drawAppIcon(size), QStringLiteral("%1/zorveldeck-%2.png").arg(dir).arg(size)))
            return 1;
    }
    return 0;
}

} // namespace

int main(int argc, char *argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const QStringList args = app.arguments().mid(1);
    if (args.size() == 2 && args[0] == QLatin1String("--images"))
        return writeImages(args[1]);
    if (args.size() == 3 && args[0] == QLatin1String("--icon-sizes"))
        return writeIcons(args[1], args[2]);
    return usage();
}
