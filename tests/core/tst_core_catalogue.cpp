// The key-code catalogue: row contents, category bounds, the code-to-name scans and
// the lookup maps built from both vocabularies.
#include <QSet>
#include <QtTest>

#include "catalogue/keycodes.h"

using namespace catalogue;

namespace
{
// USB HID boot-keyboard modifier bits, by the names the catalogue uses.
quint8 modifierMask(const QString &name)
{
    static const QMap<QString, quint8> bits = {
        {"Ctrl", 0x01},        {"Shift", 0x02},       {"Alt", 0x04},       {"Win", 0x08},
        {"Right Ctrl", 0x10},  {"Right Shift", 0x20}, {"Right Alt", 0x40}, {"Right Win", 0x80},
        {"control", 0x01},     {"option", 0x04},      {"command", 0x08},   {"Right command", 0x80},
        {"Right option", 0x40}};
    quint8 mask = 0;
    for (const QString &part : name.split('+', Qt::SkipEmptyParts))
        mask |= bits.value(part, 0xFF);
    return mask;
}
} // namespace

class TestCoreCatalogue : public QObject
{
    Q_OBJECT

    QString names[2][kRowCount];
    quint8 codes[kRowCount];
    QMap<QString, int> indexMap;
    QMap<QString, quint8> codeMap;

  private slots:
    void initTestCase()
    {
        for (int i = 0; i < kRowCount; ++i) {
            names[Chinese][i] = rowName(i, Chinese);
            names[English][i] = rowName(i, English);
            codes[i] = kRows[i].code;
        }
        // as at start-up: the Chinese build, then the English one on the language switch
        QCOMPARE(addNamesToMaps(names[Chinese], codes, kKeyEnd, indexMap, codeMap), 219);
        QCOMPARE(addNamesToMaps(names[English], codes, kKeyEnd, indexMap, codeMap), 219);
    }

    void boundsSplitTheTable()
    {
        QCOMPARE(int(kKeyEnd), kRowCount);
        QCOMPARE(rowName(kModEnd, English), QStringLiteral("?"));
        QCOMPARE(rowName(kMediaBegin, English), QStringLiteral("Play/Pause"));
        QCOMPARE(rowName(kMediaEnd, English), QStringLiteral("WWW Pageback"));
        QCOMPARE(rowName(kLedBegin, English), QStringLiteral("WWW Pageback1"));
        QCOMPARE(rowName(kLedEnd, English), QStringLiteral("LED Mode5"));
        QCOMPARE(rowName(kMouseBegin, English), QStringLiteral("Mouse LeftKey"));
        QCOMPARE(rowName(kMouseEnd, English), QStringLiteral("Alt+Mouse Down"));
        QCOMPARE(rowName(kKeyBegin, English), QStringLiteral("F1"));
        QCOMPARE(rowName(kKeyEnd - 1, English), QStringLiteral("NULL"));
        QVERIFY(rowName(-1, English).isEmpty());
        QVERIFY(rowName(kRowCount, Chinese).isEmpty());
    }

    void modifierRowsCarryTheirMasks()
    {
        for (int row = 0; row <= 19; ++row) {
            QCOMPARE(names[Chinese][row], names[English][row]);
            QCOMPARE(codes[row], modifierMask(names[English][row]));
        }
    }

    void shiftedSymbolsUseTheKeyOfTheirSymbol()
    {
        // each symbol row carries the code of the ordinary key row whose caption holds it
        const QString fullWidthAmp = QString::fromUtf8("＆");
        for (int row = 20; row <= 40; ++row) {
            const QString symbol = names[English][row];
            QCOMPARE(symbol.size(), 1);
            int keyRow = -1;
            for (int k = kKeyBegin; k < kKeyEnd && keyRow < 0; ++k) {
                const QString caption = names[English][k];
                if (caption.size() >= 2 && caption.size() <= 3 && caption.contains(symbol) && caption != "><")
                    keyRow = k;
            }
            QVERIFY2(keyRow >= 0, qPrintable(symbol));
            QCOMPARE(codes[row], codes[keyRow]);
        }
        QCOMPARE(codeMap.value(fullWidthAmp), quint8(0x24));
        QCOMPARE(codeMap.value("~"), quint8(0x35));
    }

    void mediaPairsHoldTheConsumerUsage_data()
    {
        QTest::addColumn<QString>("chinese");
        QTest::addColumn<QString>("english");
        QTest::addColumn<int>("usage");
        const struct {
            const char *cn, *en;
            int usage;
        } pairs[] = {{"播放/暂停", "Play/Pause", 0x00CD},
                     {"停止", "Stop", 0x00B7},
                     {"上一曲", "Previous track", 0x00B6},
                     {"下一曲", "Next track", 0x00B5},
                     {"我的电脑", "My Computer", 0x0194},
                     {"屏幕亮度+", "Screen brightness+", 0x006F},
                     {"屏幕亮度-", "Screen brightness-", 0x0070},
                     {"打开媒体", "Multimedia", 0x0183},
                     {"静音", "Mute", 0x00E2},
                     {"音量+", "Volume+", 0x00E9},
                     {"音量-", "Volume-", 0x00EA},
                     {"打开计算器", "Calculator", 0x0192},
                     {"打开浏览器", "WWW home", 0x0223},
                     {"打开邮件", "E-mail", 0x018A},
                     {"低音+", "Bass+", 0x0152},
                     {"低音-", "Bass-", 0x0153},
                     {"高音+", "Treble+", 0x0154},
                     {"高音-", "Treble-", 0x0155},
                     {"网页刷新", "WWW Pagerefresh", 0x0227},
                     {"网页前进", "WWW Pageforward", 0x0225},
                     {"网页后退", "WWW Pageback", 0x0224}};
        for (const auto &p : pairs)
            QTest::newRow(p.en) << QString::fromUtf8(p.cn) << QString::fromUtf8(p.en) << p.usage;
    }

    void mediaPairsHoldTheConsumerUsage()
    {
        QFETCH(QString, chinese);
        QFETCH(QString, english);
        QFETCH(int, usage);
        const int low = indexMap.value(english, -1);
        QVERIFY(low >= kMediaBegin && low <= kMediaEnd && (low - kMediaBegin) % 2 == 0);
        QCOMPARE(indexMap.value(chinese), low);
        QCOMPARE(names[English][low + 1], english + "1");
        QCOMPARE(names[Chinese][low + 1], chinese + "1");
        QCOMPARE(codes[low] | codes[low + 1] << 8, usage);
    }

    void ledAndMouseRows()
    {
        for (int i = 0; i < kLedColorCount; ++i)
            QCOMPARE(codes[83 + i], quint8((i + 1) << 4));
        for (int i = 0; i < kLedModeCount; ++i) {
            QCOMPARE(names[Chinese][90 + i], QStringLiteral("LED模式%1").arg(i));
            QCOMPARE(names[English][90 + i], QStringLiteral("LED Mode%1").arg(i));
            QCOMPARE(codes[90 + i], quint8(i));
        }
        QCOMPARE(codeMap.value("Cyan"), quint8(0x50));
        QCOMPARE(codeMap.value("青色"), quint8(0x50));
        QCOMPARE(codeMap.value("LED Mode3"), quint8(0x03));
        for (int row = kMouseBegin; row <= kMouseEnd; ++row)
            QCOMPARE(codes[row], quint8(0x61 + row - kMouseBegin));
        QCOMPARE(codeMap.value("Alt+鼠标向下"), quint8(0x6B));
    }

    void ordinaryKeysUseKeyboardUsages()
    {
        for (int i = 0; i < 26; ++i)
            QCOMPARE(codeMap.value(QString(QChar('A' + i))), quint8(0x04 + i));
        for (int i = 1; i <= 12; ++i)
            QCOMPARE(codeMap.value(QStringLiteral("F%1").arg(i)), quint8(0x3A + i - 1));
        for (int i = 13; i <= 24; ++i)
            QCOMPARE(codeMap.value(QStringLiteral("F%1").arg(i)), quint8(0x68 + i - 13));
        // keypad digits 1..9, 0 and the point follow each other
        for (int i = 1; i <= 9; ++i)
            QCOMPARE(codeMap.value(QString::number(i)), quint8(0x59 + i - 1));
        QCOMPARE(codeMap.value("0"), quint8(0x62));
        QCOMPARE(codeMap.value(QString::fromUtf8("▪")), quint8(0x63));
        QCOMPARE(codeMap.value(QString::fromUtf8("▤")), quint8(0x65));
        QCOMPARE(codeMap.value(QString::fromUtf8("←Back\nspace")), quint8(0x2A));
        QCOMPARE(codeMap.value("\\|"), quint8(0x31));
        QCOMPARE(codeMap.value("' \""), quint8(0x34));
    }

    void enterAndNullResolveAsDocumented()
    {
        QCOMPARE(codeMap.value("Enter"), quint8(0x58));
        QCOMPARE(indexMap.value("Enter"), 205);
        QCOMPARE(codeMap.value("ENTER"), quint8(0x28));
        QCOMPARE(indexMap.value("ENTER"), 204);
        QCOMPARE(indexMap.value("NULL"), 218);
        QCOMPARE(codeMap.value("NULL", 0xFF), quint8(0));
        // both vocabularies resolve; a media pair's high-byte row reads 0x00
        QCOMPARE(codeMap.value("播放/暂停"), quint8(0xCD));
        QCOMPARE(codeMap.value("Play/Pause"), quint8(0xCD));
        QCOMPARE(codeMap.value("Play/Pause1", 0xFF), quint8(0x00));
    }

    void lineBreaksArePartOfTheName()
    {
        QCOMPARE(codeMap.value("PrtSc\nSysRq"), quint8(0x46));
        QVERIFY(!codeMap.contains("PrtScSysRq"));
        QVERIFY(!codeMap.contains("PrtSc SysRq"));
        QCOMPARE(codeMap.value("Page\nDown"), quint8(0x4E));
        QVERIFY(!indexMap.contains("Page Down"));
    }

    void namesAreUniqueApartFromEnter()
    {
        for (int lang : {int(Chinese), int(English)}) {
            QSet<QString> seen;
            for (int i = 0; i < kRowCount; ++i) {
                const QString &n = names[lang][i];
                QVERIFY2(!n.isEmpty(), qPrintable(QString::number(i)));
                if (seen.contains(n))
                    QCOMPARE(n, QStringLiteral("Enter"));
                seen.insert(n);
            }
        }
        // a name used in both languages always means the same row
        for (int i = 0; i < kRowCount; ++i)
            for (int j = 0; j < kRowCount; ++j)
                if (i != j && names[Chinese][i] == names[English][j])
                    QCOMPARE(names[Chinese][i], QStringLiteral("Enter"));
    }

    void scansFindTheFirstRowOfTheRange()
    {
        QCOMPARE(findRowByCode(0x28, kKeyBegin, kKeyEnd - 1), 182);
        QCOMPARE(findRowByCode(0x61, kMouseBegin, kMouseEnd), 96);
        QCOMPARE(findRowByCode(0x61, kKeyBegin, kKeyEnd - 1), 214);
        QCOMPARE(findRowByCode(0x01, kModBegin, kModEnd), 0);
        QCOMPARE(findRowByCode(0x80, 8, kModEnd), 18);
        QCOMPARE(findRowByCode(0x99, kKeyBegin, kKeyEnd - 1), -1);
        // limits are clipped to the table
        QCOMPARE(findRowByCode(0x00, kKeyBegin, 400), 218);
        QCOMPARE(findRowByCode(0x01, -5, 0), 0);
        QCOMPARE(findRowByCode(0x01, 10, 5), -1);
    }

    void mapBuildingSkipsEmptyNamesAndKeepsOthers()
    {
        QMap<QString, int> index{{"old", 7}};
        QMap<QString, quint8> code{{"old", 9}};
        const QString list[] = {"x", "", "y", "x"};
        const quint8 bytes[] = {1, 2, 3, 4};
        QCOMPARE(addNamesToMaps(list, bytes, 4, index, code), 3);
        QCOMPARE(index.value("x"), 3); // later rows win
        QCOMPARE(code.value("x"), quint8(4));
        QCOMPARE(index.value("old"), 7);
        QVERIFY(!index.contains(QString()));
        QCOMPARE(index.size(), 3);
    }
};

QTEST_APPLESS_MAIN(TestCoreCatalogue)
#include "tst_core_catalogue.moc"
