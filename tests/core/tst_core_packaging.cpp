// The udev rule that lets the logged-in user open the keypad, and the USB ids the AppStream
// metainfo announces, both as the build generates them. udevadm on this Debian has no "verify"
// verb, so the rule is parsed here with udev's own syntax (comma-separated KEY{attr}OP"value"
// pairs) and its patterns are matched against the modaliases the kernel gives USB interfaces.
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSet>
#include <QXmlStreamReader>
#include <QtTest>

#include "device/discovery.h"

namespace
{

QString hex4(quint16 n)
{
    return QStringLiteral("%1").arg(n, 4, 16, QLatin1Char('0')).toUpper();
}

// "VVVV:PPPP" of every id the search tries
QSet<QString> searchedIds()
{
    QSet<QString> ids;
    for (int i = 0; i < discovery::kSearchOrderSize; ++i)
        ids.insert(hex4(discovery::searchOrder(i).vid) + QLatin1Char(':') +
                   hex4(discovery::searchOrder(i).pid));
    return ids;
}

// The modalias of a USB interface as the kernel writes it: upper-case hex, interface number last.
QString interfaceModalias(const QString &vid, const QString &pid, int interface)
{
    return QStringLiteral("usb:v%1p%2d0100dc00dsc00dp00ic03isc00ip00in%3")
        .arg(vid, pid, QStringLiteral("%1").arg(interface, 2, 10, QLatin1Char('0')));
}

// Every problem of a rule file: a line that is not SUBSYSTEM=="hidraw", ATTRS{modalias}=="...",
// TAG+="uaccess" (nothing else: no MODE, GROUP, RUN, ATTR without S, second tag), and every
// interface of every vendor and product id of the search that the patterns grant or fail to
// grant: interface 0 of a searched id, and nothing else.
QStringList ruleProblems(const QString &text)
{
    static const QRegularExpression pair(
        QStringLiteral("^([A-Z_]+)(?:\\{([^}]*)\\})?(==|!=|\\+=|-=|:=|=)\"([^\"]*)\"$"));
    QStringList problems, patterns;
    const QStringList lines = text.split(QLatin1Char('\n'));
    for (int n = 0; n < lines.size(); ++n) {
        const QString line = lines[n].trimmed();
        if (line.isEmpty() || line.startsWith(QLatin1Char('#')))
            continue;
        QStringList keys;
        QString modalias;
        for (const QString &raw : line.split(QLatin1Char(','))) {
            const QRegularExpressionMatch m = pair.match(raw.trimmed());
            const QString key = m.captured(2).isEmpty()
                                    ? m.captured(1)
                                    : m.captured(1) + QLatin1Char('{') + m.captured(2) + QLatin1Char('}');
            keys << key + m.captured(3) +
                        (key == QLatin1String("ATTRS{modalias}") ? QString() : m.captured(4));
            if (key == QLatin1String("ATTRS{modalias}"))
                modalias = m.captured(4);
        }
        if (keys != QStringList{QStringLiteral("SUBSYSTEM==hidraw"), QStringLiteral("ATTRS{modalias}=="),
                                QStringLiteral("TAG+=uaccess")})
            problems
                << QStringLiteral("line %1 is not a hidraw modalias uaccess rule: %2").arg(n + 1).arg(line);
        if (patterns.contains(modalias))
            problems << QStringLiteral("line %1 repeats %2").arg(n + 1).arg(modalias);
        patterns << modalias.split(QLatin1Char('|'));
    }
    const auto granted = [&](const QString &alias) {
        for (const QString &p : patterns)
            if (QRegularExpression(QRegularExpression::wildcardToRegularExpression(p))
                    .match(alias)
                    .hasMatch())
                return true;
        return false;
    };
    const QSet<QString> searched = searchedIds();
    QSet<QString> vids, pids;
    for (const QString &id : searched) {
        vids.insert(id.left(4));
        pids.insert(id.right(4));
    }
    for (const QString &vid : vids)
        for (const QString &pid : pids)
            for (int interface = 0; interface < 3; ++interface) {
                const QString alias = interfaceModalias(vid, pid, interface);
                const bool wanted = interface == 0 && searched.contains(vid + QLatin1Char(':') + pid);
                if (granted(alias) != wanted)
                    problems << (wanted ? QStringLiteral("not granted: ") : QStringLiteral("granted: ")) +
                                    alias;
            }
    return problems;
}

QString readFile(const QString &path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return QString::fromUtf8(f.readAll());
}

} // namespace

class TestPackaging : public QObject
{
    Q_OBJECT
  private slots:
    void udevRuleRunsBeforeSeatLate();
    void udevRuleGrantsInterfaceZeroOfTheSearchedIds_data();
    void udevRuleGrantsInterfaceZeroOfTheSearchedIds();
    void metainfoAnnouncesTheSearchedIds();
};

// 73-seat-late.rules turns the uaccess tag into an ACL for the seat's user; a rule that
// sorts after it tags the node too late.
void TestPackaging::udevRuleRunsBeforeSeatLate()
{
    const QString name = QFileInfo(QStringLiteral(ZD_UDEV_RULE)).fileName();
    QVERIFY2(name.endsWith(QLatin1String(".rules")), qPrintable(name));
    QVERIFY2(name < QLatin1String("73-seat-late.rules"), qPrintable(name));
}

// The generated rule as it is, and with the faults that make a rule useless or too wide, which
// the check must see.
void TestPackaging::udevRuleGrantsInterfaceZeroOfTheSearchedIds_data()
{
    const QString rule = readFile(QStringLiteral(ZD_UDEV_RULE));
    QVERIFY2(rule.contains(QLatin1String("uaccess")), ZD_UDEV_RULE);
    const auto edited = [&](const char *from, const char *to) {
        QString r = rule;
        return r.replace(r.indexOf(QLatin1String(from)), int(qstrlen(from)), QLatin1String(to));
    };
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("sound");
    QTest::newRow("generated") << rule << true;
    QTest::newRow("every interface") << edited("d*in00", "d*") << false;
    QTest::newRow("interface 1") << edited("d*in00", "d*in01") << false;
    QTest::newRow("lower-case id") << edited("514C", "514c") << false;
    QTest::newRow("8851 under the first vendor id") << edited("1189p8842", "1189p8851") << false;
    QTest::newRow("id missing") << edited("514Cp8851", "514Cp8850") << false;
    QTest::newRow("ATTR, not ATTRS") << edited("ATTRS{", "ATTR{") << false;
    QTest::newRow("world-writable node") << edited("TAG+=", "MODE=\"0666\", TAG+=") << false;
    QTest::newRow("no uaccess tag") << edited(", TAG+=\"uaccess\"", "") << false;
    QTest::newRow("assignment for a match") << edited("SUBSYSTEM==", "SUBSYSTEM=") << false;
    QTest::newRow("usb subsystem") << edited("\"hidraw\"", "\"usb\"") << false;
    QTest::newRow("unterminated quote") << edited("\"uaccess\"", "\"uaccess") << false;
}

void TestPackaging::udevRuleGrantsInterfaceZeroOfTheSearchedIds()
{
    QFETCH(QString, text);
    QFETCH(bool, sound);
    const QStringList problems = ruleProblems(text);
    QVERIFY2(problems.isEmpty() == sound, qPrintable(problems.join(QLatin1Char('\n'))));
}

// The metainfo's modaliases (usb:vVVVVpPPPPd*, upper-case hex as the kernel writes them)
// name the ids the search tries.
void TestPackaging::metainfoAnnouncesTheSearchedIds()
{
    QXmlStreamReader xml(readFile(QStringLiteral(ZD_METAINFO)));
    static const QRegularExpression alias(QStringLiteral("^usb:v([0-9A-F]{4})p([0-9A-F]{4})d\\*$"));
    QSet<QString> ids;
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement || xml.name() != QLatin1String("modalias"))
            continue;
        const QString text = xml.readElementText();
        const QRegularExpressionMatch m = alias.match(text);
        QVERIFY2(m.hasMatch(), qPrintable(text));
        ids.insert(m.captured(1) + QLatin1Char(':') + m.captured(2));
    }
    QVERIFY2(!xml.hasError(), qPrintable(xml.errorString()));
    QCOMPARE(ids, searchedIds());
}

QTEST_GUILESS_MAIN(TestPackaging)
#include "tst_core_packaging.moc"
