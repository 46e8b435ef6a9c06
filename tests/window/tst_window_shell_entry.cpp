// The program's start-up sequence as the entry point runs it: the checks run from
// inside the event loop that runZorvelDeck started, then end it with their result.
#include <QApplication>
#include <QScreen>
#include <QTabWidget>
#include <QTimer>
#include <QtTest>

#include "app/application.h"
#include "app/quiet_messages.h"
#include "app/widget.h"

class TestWindowShellEntry : public QObject
{
    Q_OBJECT

  private slots:
    void oneShownMainWindow()
    {
        QList<Widget *> windows;
        for (QWidget *top : QApplication::topLevelWidgets())
            if (auto *w = qobject_cast<Widget *>(top))
                windows << w;
        QCOMPARE(windows.size(), 1);
        Widget *w = windows[0];
        QCOMPARE(w->windowTitle(), QStringLiteral("ZORVELDECK[*]")); // "ZORVELDECK" while nothing is unsaved
        QVERIFY(!w->isWindowModified());
        // the desktop matches the window to its menu entry by this name (the Wayland app id)
        QCOMPARE(QGuiApplication::desktopFileName(), QStringLiteral(ZD_APP_ID));
        QVERIFY(!w->windowIcon().availableSizes().isEmpty() && w->isVisible());
        QVERIFY(w->windowState() & Qt::WindowMaximized || w->geometry() == w->screen()->availableGeometry());
        QCOMPARE(w->Language, 1);
        QCOMPARE(QApplication::font().family(), QStringLiteral("微软雅黑"));
        QCOMPARE(QApplication::font().pixelSize(), 15);
    }

    // Only the form's known messages are dropped, word for word and of their type; every other
    // one reaches the handler installed before, which is back in place afterwards.
    void quietMessagesDropOnlyTheKnownOnes()
    {
        static QStringList seen;
        const QtMessageHandler before = qInstallMessageHandler(
            [](QtMsgType, const QMessageLogContext &, const QString &m) { seen << m; });
        {
            QuietMessages quiet;
            qDebug("Unknown property PointSize");
            qCritical("Unknown property PointSize");
            qDebug("Unknown property PointSizes");
            qWarning("QMetaObject::connectSlotsByName: No matching signal for on_CleanButton_clicked()");
        }
        qDebug("Unknown property PointSize");
        qInstallMessageHandler(before);
        QCOMPARE(seen, (QStringList{"Unknown property PointSize", "Unknown property PointSizes",
                                    "Unknown property PointSize"}));
    }

    // The start-up catalogue is empty; the English one is embedded.
    void translationsAreEmbedded()
    {
        QCOMPARE(QCoreApplication::translate("Widget", " 保存配置"), QStringLiteral(" 保存配置"));
        QTranslator english;
        QVERIFY(english.load(":/lanague_en.qm"));
        QCOMPARE(english.translate("Widget", " 保存配置"), QStringLiteral("Save settings"));
        QCOMPARE(english.translate("Widget", "鼠标左键"), QStringLiteral("Mouse LeftKey"));
    }
};

static int testResult = -1;

// Runs once the application object exists; the checks start when its event loop does.
static void scheduleChecks()
{
    QTimer::singleShot(0, [] {
        TestWindowShellEntry checks;
        testResult = QTest::qExec(&checks, QCoreApplication::arguments());
        QCoreApplication::exit(testResult);
    });
}
Q_COREAPP_STARTUP_FUNCTION(scheduleChecks)

int main(int argc, char *argv[])
{
    const int loopResult = runZorvelDeck(argc, argv);
    // a loop that ended without the checks having run is a failure too
    return testResult < 0 ? 1 : loopResult;
}

#include "tst_window_shell_entry.moc"
