// The udev rule that lets the logged-in user open the keypad, and the USB ids the AppStream
// metainfo announces, both as the build generates them. udevadm on this Debian has no "verify"
// verb, so the rule is read with udev's own syntax and its patterns are matched against the
// modaliases the kernel gives USB interfaces (upper-case hex, interface number last).
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSet>
#include <QXmlStreamReader>
#include <QtTest>

#include "device/discovery.h"

namespace
{
QString readFile(const char *path)
{
    QFile f(QString::fromUtf8(path));
    return f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()) : QString();
}

// "VVVV:PPPP" of every id the search tries
QSet<QString> searchedIds()
{
    QSet<QString> ids;
    for (int i = 0; i < discovery::kSearchOrderSize; ++i)
        ids << QStringLiteral("%1:%2")
                   .arg(discovery::searchOrder(i).vid, 4, 16, QLatin1Char('0'))
                   .arg(discovery::searchOrder(i).pid, 4, 16, QLatin1Char('0'))
                   .toUpper();
    return ids;
}
} // namespace

class TestPackaging : public QObject
{
    Q_OBJECT
  private slots:
    // Every line is SUBSYSTEM=="hidraw", ATTRS{modalias}=="...", TAG+="uaccess" and nothing else;
    // the patterns grant interface 0 of every searched id and no other interface or id. The file
    // sorts before 73-seat-late.rules, which turns the tag into the seat user's ACL.
    void udevRuleGrantsInterfaceZeroOfTheSearchedIds()
    {
        QVERIFY(QFileInfo(ZD_UDEV_RULE).fileName() < QLatin1String("73-seat-late.rules"));
        static const QRegularExpression line(
            "^SUBSYSTEM==\"hidraw\", ATTRS\\{modalias\\}==\"([^\"]+)\", TAG\\+=\"uaccess\"$");
        QStringList patterns;
        for (const QString &l : readFile(ZD_UDEV_RULE).split('\n')) {
            if (l.trimmed().isEmpty() || l.startsWith('#'))
                continue;
            const QRegularExpressionMatch m = line.match(l.trimmed());
            QVERIFY2(m.hasMatch(), qPrintable(l));
            patterns << m.captured(1).split('|');
        }
        const QSet<QString> searched = searchedIds();
        for (const char *vid : {"1189", "514C"})
            for (const char *pid : {"8842", "8840", "8830", "8831", "8832", "8833", "8850", "8851", "8852"})
                for (int interface = 0; interface < 3; ++interface) {
                    const QString alias = QStringLiteral("usb:v%1p%2d0100dc00dsc00dp00ic03isc00ip00in0%3")
                                              .arg(vid, pid)
                                              .arg(interface);
                    bool granted = false;
                    for (const QString &p : patterns)
                        granted |= QRegularExpression(QRegularExpression::wildcardToRegularExpression(p))
                                       .match(alias)
                                       .hasMatch();
                    QVERIFY2(granted == (interface == 0 && searched.contains(QLatin1String(vid) + ':' + pid)),
                             qPrintable(alias));
                }
    }

    // Its modaliases (usb:vVVVVpPPPPd*) name the ids the search tries.
    void metainfoAnnouncesTheSearchedIds()
    {
        QXmlStreamReader xml(readFile(ZD_METAINFO));
        static const QRegularExpression alias("^usb:v([0-9A-F]{4})p([0-9A-F]{4})d\\*$");
        QSet<QString> ids;
        while (!xml.atEnd())
            if (xml.readNext() == QXmlStreamReader::StartElement && xml.name() == QLatin1String("modalias")) {
                const QRegularExpressionMatch m = alias.match(xml.readElementText());
                QVERIFY(m.hasMatch());
                ids << m.captured(1) + ':' + m.captured(2);
            }
        QVERIFY2(!xml.hasError(), qPrintable(xml.errorString()));
        QCOMPARE(ids, searchedIds());
    }
};

QTEST_GUILESS_MAIN(TestPackaging)
#include "tst_core_packaging.moc"
