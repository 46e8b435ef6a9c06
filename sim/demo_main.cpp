// zorveldeck-demo: the application on the virtual keypad, plugged in from the start.
//
//   zorveldeck-demo --keys 15 --knobs 3 --variant 0 --vid 0x1189 --pid 0x8840 --no-model-answer
//   zorveldeck-demo --language zh
//   zorveldeck-demo --more 6,2 --more 16,3,10,0x514c,0x8842 --udev   (three keypads, hot-plug events)
//
// A subcommand after the demo's options runs the command line on the virtual keypad instead of
// the window: zorveldeck-demo --keys 16 --knobs 3 --variant 10 export -
#include <QCommandLineParser>
#include <QCoreApplication>
#include <QStringList>
#include <cstdio>

#include "app/application.h"
#include "cli/command_line.h"
#include "sim/virtual_keypad.h"

namespace
{

struct NumberOption {
    QCommandLineOption option;
    uint max;
};

// Parses a decimal or 0x-prefixed hexadecimal value no larger than `max`.
bool number(const QCommandLineParser &parser, const NumberOption &o, uint *value)
{
    if (!parser.isSet(o.option))
        return true;
    bool ok = false;
    const uint v = parser.value(o.option).toUInt(&ok, 0);
    if (!ok || v > o.max) {
        std::fprintf(stderr, "zorveldeck-demo: bad value for --%s: %s\n",
                     qPrintable(o.option.names().first()), qPrintable(parser.value(o.option)));
        return false;
    }
    *value = v;
    return true;
}

// The options QApplication takes for itself (-platform, -style, ...; also with two dashes).
bool isQtOption(const QString &name)
{
    static const QStringList kQtOptions =
        QStringLiteral("platform platformpluginpath platformtheme plugin qmljsdebugger qwindowgeometry "
                       "qwindowicon qwindowtitle reverse session testability geometry title icon display "
                       "name visual nograb dograb sync style stylesheet widgetcount")
            .split(QLatin1Char(' '));
    return kQtOptions.contains(name);
}

} // namespace

int main(int argc, char *argv[])
{
    // The demo's options end at the first subcommand; it and what follows are the command line's.
    int command = 1;
    while (command < argc && !cli::isSubcommand(QString::fromLocal8Bit(argv[command])))
        ++command;
    QStringList arguments;
    for (int i = 0; i < command; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);

    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("ZorvelDeck on a virtual keypad (no hardware needed).\n"
                       "A subcommand after the options (list, export FILE, apply [--force] FILE) runs the\n"
                       "command line on the virtual keypad instead of the window (see zorveldeck --help)."));
    const QCommandLineOption help(QStringList{QStringLiteral("h"), QStringLiteral("help")},
                                  QStringLiteral("Show this help."));
    const NumberOption keys{{QStringLiteral("keys"), QStringLiteral("Key count the keypad reports (15)."),
                             QStringLiteral("n"), QStringLiteral("15")},
                            255};
    const NumberOption knobs{{QStringLiteral("knobs"), QStringLiteral("Knob count the keypad reports (3)."),
                              QStringLiteral("n"), QStringLiteral("3")},
                             255};
    const NumberOption variant{{QStringLiteral("variant"),
                                QStringLiteral("Variant byte the keypad reports; 10 = extended records (0)."),
                                QStringLiteral("n"), QStringLiteral("0")},
                               255};
    const NumberOption vid{
        {QStringLiteral("vid"), QStringLiteral("USB vendor id (0x1189)."), QStringLiteral("id")}, 0xFFFF};
    const NumberOption pid{
        {QStringLiteral("pid"), QStringLiteral("USB product id (0x8840)."), QStringLiteral("id")}, 0xFFFF};
    const QCommandLineOption silent(QStringLiteral("no-model-answer"),
                                    QStringLiteral("The keypad does not answer the model query."));
    // read by the window's start-up, which also refuses a value other than en or zh
    const QCommandLineOption language(QStringLiteral("language"),
                                      QStringLiteral("The window's language, en or zh (default: the desktop's)."),
                                      QStringLiteral("en|zh"));
    const QCommandLineOption more(
        QStringLiteral("more"),
        QStringLiteral("One more keypad: keys,knobs[,variant[,vid,pid]] (ids as the first keypad's unless\n"
                       "given). Repeat it for several."),
        QStringLiteral("model"));
    const QCommandLineOption udev(
        QStringLiteral("udev"),
        QStringLiteral("The device manager is active: the window listens for keypads\n"
                       "plugged in instead of polling."));
    parser.addOption(help);
    for (const NumberOption *o : {&keys, &knobs, &variant, &vid, &pid})
        parser.addOption(o->option);
    parser.addOption(silent);
    parser.addOption(language);
    parser.addOption(more);
    parser.addOption(udev);
    // "-platform" is one option, as QApplication reads it, not seven letters.
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    // Qt's own options pass through to the application; any other unknown one is a mistake
    // (a misspelt --keys must not start the default model).
    const bool parsed = parser.parse(arguments);
    QStringList unknown;
    for (const QString &name : parser.unknownOptionNames())
        if (!isQtOption(name))
            unknown << name;
    if (!unknown.isEmpty()) {
        std::fprintf(stderr, "zorveldeck-demo: unknown option: %s (see --help)\n",
                     qPrintable(unknown.join(QLatin1String(", "))));
        return 2;
    }
    if (!parsed && !parser.errorText().startsWith(QLatin1String("Unknown option"))) {
        std::fprintf(stderr, "zorveldeck-demo: %s\n", qPrintable(parser.errorText()));
        return 2;
    }
    if (parser.isSet(help)) {
        QCoreApplication app(argc, argv); // the help text names the program from it
        std::printf("%s", qPrintable(parser.helpText()));
        return 0;
    }

    uint k = 15, n = 3, v = 0, vendor = 0x1189, product = 0x8840;
    if (!number(parser, keys, &k) || !number(parser, knobs, &n) || !number(parser, variant, &v) ||
        !number(parser, vid, &vendor) || !number(parser, pid, &product))
        return 2;

    sim::reset();
    sim::setUdevActive(parser.isSet(udev));
    sim::setModel(quint8(k), quint8(n), quint8(v));
    sim::setIds(quint16(vendor), quint16(product));
    sim::setModelAnswer(!parser.isSet(silent));
    sim::plug();
    for (const QString &model : parser.values(more)) {
        // keys, knobs, variant, vid, pid: the first keypad's where not given
        uint values[5] = {k, n, v, vendor, product};
        const QStringList parts = model.split(QLatin1Char(','));
        bool ok = parts.size() >= 2 && parts.size() <= 5;
        for (int i = 0; ok && i < parts.size(); ++i)
            values[i] = parts[i].toUInt(&ok, 0);
        if (!ok || values[0] > 255 || values[1] > 255 || values[2] > 255 || values[3] > 0xFFFF ||
            values[4] > 0xFFFF) {
            std::fprintf(stderr, "zorveldeck-demo: bad value for --more: %s\n", qPrintable(model));
            return 2;
        }
        sim::addKeypad();
        sim::setModel(quint8(values[0]), quint8(values[1]), quint8(values[2]));
        sim::setIds(quint16(values[3]), quint16(values[4]));
        sim::plug();
    }
    if (command < argc)
        return cli::main(argc, argv, command);
    return runZorvelDeck(argc, argv);
}
