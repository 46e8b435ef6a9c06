// The udev rule that lets the logged-in user open the keypad, and the USB ids the
// AppStream metainfo announces. udevadm on this Debian has no "verify" verb, so the rule
// is parsed here with udev's own syntax: comma-separated KEY{attr}OP"value" pairs.
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSet>
#include <QXmlStreamReader>
#include <QtTest>

namespace
{

// The keypads the tool talks to: both vendor ids with each of the eight product ids.
QSet<QString> supportedIds()
{
    QSet<QString> ids;
    for (const char *vid : {"1189", "514c"})
        for (const char *pid : {"8842", "8840", "8830", "8831", "8832", "8833", "8850", "8851"})
            ids.insert(QStringLiteral("%1:%2").arg(QLatin1String(vid), QLatin1String(pid)));
    return ids;
}

struct RuleCheck {
    QStringList problems;
    QSet<QString> ids; // "vvvv:pppp" granted by the rule lines
};

// Checks every rule line: it must match a hidraw node by its USB parent's vendor and
// product id (sysfs spells both as four lower-case hex digits) and only add the uaccess
// tag. Anything else (MODE, GROUP, RUN, ATTR without S, a second tag) is a problem.
RuleCheck checkRules(const QString &text)
{
    static const QRegularExpression pair(
        QStringLiteral("^([A-Z_]+)(?:\\{([^}]*)\\})?(==|!=|\\+=|-=|:=|=)\"([^\"]*)\"$"));
    static const QRegularExpression hex4(QStringLiteral("^[0-9a-f]{4}$"));
    RuleCheck out;
    const QStringList lines = text.split(QLatin1Char('\n'));
    for (int n = 0; n < lines.size(); ++n) {
        const QString line = lines[n].trimmed();
        if (line.isEmpty() || line.startsWith(QLatin1Char('#')))
            continue;
        const QString where = QStringLiteral("line %1: ").arg(n + 1);
        QString subsystem, vendor, product, tag;
        int keys = 0;
        for (const QString &raw : line.split(QLatin1Char(','))) {
            const QRegularExpressionMatch m = pair.match(raw.trimmed());
            if (!m.hasMatch()) {
                out.problems << where + QStringLiteral("not a key-value pair: ") + raw.trimmed();
                continue;
            }
            ++keys;
            const QString key = m.captured(2).isEmpty()
                                    ? m.captured(1)
                                    : m.captured(1) + QLatin1Char('{') + m.captured(2) + QLatin1Char('}');
            const QString op = m.captured(3), value = m.captured(4);
            QString *slot = nullptr;
            QString wantOp = QStringLiteral("==");
            if (key == QLatin1String("SUBSYSTEM"))
                slot = &subsystem;
            else if (key == QLatin1String("ATTRS{idVendor}"))
                slot = &vendor;
            else if (key == QLatin1String("ATTRS{idProduct}"))
                slot = &product;
            else if (key == QLatin1String("TAG")) {
                slot = &tag;
                wantOp = QStringLiteral("+=");
            }
            if (!slot || !slot->isNull()) {
                out.problems << where + QStringLiteral("unexpected or repeated key ") + key;
                continue;
            }
            if (op != wantOp)
                out.problems << where + key + QStringLiteral(" uses ") + op;
            *slot = value;
        }
        if (keys != 4 || subsystem != QLatin1String("hidraw") || tag != QLatin1String("uaccess"))
            out.problems << where + QStringLiteral("not a hidraw uaccess rule");
        if (!hex4.match(vendor).hasMatch() || !hex4.match(product).hasMatch()) {
            out.problems << where + QStringLiteral("ids are not four lower-case hex digits");
            continue;
        }
        const QString id = vendor + QLatin1Char(':') + product;
        if (out.ids.contains(id))
            out.problems << where + QStringLiteral("repeats ") + id;
        out.ids.insert(id);
    }
    return out;
}

QString readFile(const QString &path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return QString::fromUtf8(f.readAll());
}

const char kRule[] = "SUBSYSTEM==\"hidraw\", ATTRS{idVendor}==\"514c\", ATTRS{idProduct}==\"8851\", "
                     "TAG+=\"uaccess\"";

} // namespace

class TestPackaging : public QObject
{
    Q_OBJECT
  private slots:
    void udevRuleGrantsExactlyTheKeypads();
    void udevRuleRunsBeforeSeatLate();
    void checkerRejects_data();
    void checkerRejects();
    void metainfoAnnouncesTheKeypads();
};

void TestPackaging::udevRuleGrantsExactlyTheKeypads()
{
    const QString path = QFINDTESTDATA("../../packaging/linux/70-zorveldeck.rules");
    QVERIFY2(!path.isEmpty(), "70-zorveldeck.rules not found");
    const RuleCheck check = checkRules(readFile(path));
    QVERIFY2(check.problems.isEmpty(), qPrintable(check.problems.join(QLatin1Char('\n'))));
    QCOMPARE(check.ids, supportedIds());
}

// 73-seat-late.rules turns the uaccess tag into an ACL for the seat's user; a rule that
// sorts after it tags the node too late.
void TestPackaging::udevRuleRunsBeforeSeatLate()
{
    const QString path = QFINDTESTDATA("../../packaging/linux/70-zorveldeck.rules");
    const QString name = QFileInfo(path).fileName();
    QVERIFY2(name.endsWith(QLatin1String(".rules")), qPrintable(name));
    QVERIFY2(name < QLatin1String("73-seat-late.rules"), qPrintable(name));
}

void TestPackaging::checkerRejects_data()
{
    QTest::addColumn<QString>("line");
    const QString ok = QLatin1String(kRule);
    QTest::newRow("upper-case vendor id")
        << QString(ok).replace(QLatin1String("514c"), QLatin1String("514C"));
    QTest::newRow("ATTR, not ATTRS") << QString(ok).replace(QLatin1String("ATTRS{idVendor}"),
                                                            QLatin1String("ATTR{idVendor}"));
    QTest::newRow("world-writable node") << ok + QLatin1String(", MODE=\"0666\"");
    QTest::newRow("no uaccess tag") << QString(ok).replace(QLatin1String(", TAG+=\"uaccess\""), QString());
    QTest::newRow("assignment for a match")
        << QString(ok).replace(QLatin1String("SUBSYSTEM=="), QLatin1String("SUBSYSTEM="));
    QTest::newRow("usb subsystem") << QString(ok).replace(QLatin1String("hidraw"), QLatin1String("usb"));
    QTest::newRow("unterminated quote") << QString(ok).chopped(1);
    QTest::newRow("line repeated") << ok + QLatin1Char('\n') + ok;
}

// The checker must see the faults that make a rule useless or too wide.
void TestPackaging::checkerRejects()
{
    QFETCH(QString, line);
    QVERIFY(checkRules(QLatin1String(kRule)).problems.isEmpty());
    QVERIFY(!checkRules(line).problems.isEmpty());
}

// The metainfo's modaliases (usb:vVVVVpPPPPd*, upper-case hex as the kernel writes them)
// name the same keypads as the udev rule.
void TestPackaging::metainfoAnnouncesTheKeypads()
{
    const QString path = QFINDTESTDATA("../../packaging/linux/zorveldeck.metainfo.xml.in");
    QVERIFY2(!path.isEmpty(), "zorveldeck.metainfo.xml.in not found");
    QXmlStreamReader xml(readFile(path));
    static const QRegularExpression alias(QStringLiteral("^usb:v([0-9A-F]{4})p([0-9A-F]{4})d\\*$"));
    QSet<QString> ids;
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement || xml.name() != QLatin1String("modalias"))
            continue;
        const QString text = xml.readElementText();
        const QRegularExpressionMatch m = alias.match(text);
        QVERIFY2(m.hasMatch(), qPrintable(text));
        ids.insert(m.captured(1).toLower() + QLatin1Char(':') + m.captured(2).toLower());
    }
    QVERIFY2(!xml.hasError(), qPrintable(xml.errorString()));
    QCOMPARE(ids, supportedIds());
}

QTEST_GUILESS_MAIN(TestPackaging)
#include "tst_core_packaging.moc"
