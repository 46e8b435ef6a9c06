// The key-code catalogue checked against the USB HID usage tables it encodes, and the
// lookup maps built from both vocabularies as at start-up.
#include <QtTest>

#include "catalogue/keycodes.h"

using namespace catalogue;

class TestCoreCatalogue : public QObject
{
    Q_OBJECT

    QMap<QString, int> rowOf;
    QMap<QString, quint8> codeOf;

  private slots:
    void initTestCase()
    {
        QString names[2][kRowCount];
        quint8 codes[kRowCount];
        for (int i = 0; i < kRowCount; ++i) {
            names[Chinese][i] = rowName(i, Chinese);
            names[English][i] = rowName(i, English);
            codes[i] = kRows[i].code;
        }
        QCOMPARE(addNamesToMaps(names[Chinese], codes, kKeyEnd, rowOf, codeOf), 219);
        QCOMPARE(addNamesToMaps(names[English], codes, kKeyEnd, rowOf, codeOf), 219);
    }

    void codesAreTheUsagesOfTheirNames()
    {
        // boot-keyboard modifier bits, keyboard usages, consumer usages (low byte, high byte row)
        const char *const modifiers[] = {"Ctrl+",       "Shift+",       "Alt+",       "Win+",
                                         "Right Ctrl+", "Right Shift+", "Right Alt+", "Right Win+"};
        for (int bit = 0; bit < 8; ++bit)
            QCOMPARE(codeOf.value(modifiers[bit]), quint8(1 << bit));
        QCOMPARE(codeOf.value("Ctrl+Alt+Shift+Win+"), quint8(0x0F));
        for (int i = 0; i < 26; ++i)
            QCOMPARE(codeOf.value(QString(QChar('A' + i))), quint8(0x04 + i));
        for (int i = 1; i <= 24; ++i)
            QCOMPARE(codeOf.value(QStringLiteral("F%1").arg(i)), quint8(i <= 12 ? 0x39 + i : 0x5B + i));
        for (int i = 1; i <= 9; ++i) // the keypad digits
            QCOMPARE(codeOf.value(QString::number(i)), quint8(0x58 + i));
        QVERIFY(codeOf.value("~") == 0x35 && codeOf.value(QString::fromUtf8("＆")) == 0x24);
        const QPair<const char *, int> media[] = {
            {"播放/暂停", 0x00CD}, {"My Computer", 0x0194}, {"WWW Pageback", 0x0224}, {"Bass-", 0x0153}};
        for (const auto &m : media) {
            const int row = rowOf.value(QString::fromUtf8(m.first));
            QCOMPARE(kRows[row].code | kRows[row + 1].code << 8, m.second);
        }
        // two Enters (the keypad's: its name is the same in both languages, the English row wins),
        // and NULL
        QCOMPARE(QVector<int>({codeOf.value("ENTER"), rowOf.value("ENTER"), codeOf.value("Enter"),
                               rowOf.value("Enter"), rowOf.value("NULL"), codeOf.value("NULL", 0xFF)}),
                 QVector<int>({0x28, 204, 0x58, 205, 218, 0}));
    }
};

QTEST_APPLESS_MAIN(TestCoreCatalogue)
#include "tst_core_catalogue.moc"
