#include "shell/cli/cli.h"

#include "buildinfo/buildinfo.h"
#include "core/appstate.h"
#include "core/language.h"
#include "link/portsettings.h"

#include <QCoreApplication>
#include <QLocale>

#include <cstdio>

namespace cli {
namespace {
constexpr const char *kContext = "Cli";

constexpr Command kCommands[] = {
    {"backup", QT_TRANSLATE_NOOP("Cli", "Save every parameter block of the controller to a file."), &runBackup},
    {"diff", QT_TRANSLATE_NOOP("Cli", "Compare a parameter-set file with another, the defaults or the controller."),
     &runDiff},
    {"restore", QT_TRANSLATE_NOOP("Cli", "Write a file's differing fields and verify them by reading back."),
     &runRestore},
    {"read", QT_TRANSLATE_NOOP("Cli", "Show one block of the controller."), &runRead},
    {"identify", QT_TRANSLATE_NOOP("Cli", "Say which controller is attached."), &runIdentify},
    {"monitor", QT_TRANSLATE_NOOP("Cli", "Print the live status, one line a poll."), &runMonitor},
    {"detect", QT_TRANSLATE_NOOP("Cli", "Find the port and line settings of the controller."), &runDetect},
    {"report", QT_TRANSLATE_NOOP("Cli", "Write the service report of the controller (PDF or HTML)."), &runReport},
};

int (*g_report)(Context &) = nullptr;

// --language before anything else, so that even a usage error speaks it; a
// Chinese system speaks Chinese unless told otherwise.
int languageFrom(const QStringList &arguments)
{
    for (qsizetype i = 1; i < arguments.size(); ++i) {
        QString value;
        if (arguments[i].startsWith(QLatin1String("--language=")))
            value = arguments[i].mid(11);
        else if (arguments[i] == QLatin1String("--language") && i + 1 < arguments.size())
            value = arguments[i + 1];
        else
            continue;
        return value.startsWith(QLatin1String("zh")) ? LanguageCode::Chinese : LanguageCode::English;
    }
    return QLocale::system().language() == QLocale::Chinese ? LanguageCode::Chinese : LanguageCode::English;
}

QString commandList(int code)
{
    QString s = text(code, QT_TRANSLATE_NOOP("Cli", "Commands:")) + u'\n';
    for (const Command &c : kCommands)
        s += QStringLiteral("  %1  %2\n").arg(QString::fromLatin1(c.name), -10).arg(text(code, c.summary));
    s += text(code, QT_TRANSLATE_NOOP("Cli", "\"kestrane COMMAND --help\" tells more of each. Without a "
                                             "command, kestrane opens its window.")) +
         u'\n';
    return s;
}
} // namespace

void setReportCommand(int (*run)(Context &context))
{
    g_report = run;
}

int runReport(Context &context)
{
    if (g_report)
        return g_report(context);
    context.err << text(context.languageCode,
                        QT_TRANSLATE_NOOP("Cli", "kestrane: this build cannot write reports."))
                << u'\n';
    return Usage;
}

std::span<const Command> commands()
{
    return kCommands;
}

QString printable(const QString &text)
{
    QString s;
    for (QChar c : text) {
        if (c.isPrint())
            s += c;
        else
            s += QStringLiteral("\\x%1").arg(c.unicode(), 2, 16, QLatin1Char('0'));
    }
    return s;
}

QString text(int code, const char *source)
{
    const QString t = bilingual(code, kContext, source);
    return t.isNull() ? QString::fromUtf8(source) : t;
}

bool namesCommand(const QStringList &arguments)
{
    return arguments.size() > 1 && !arguments[1].startsWith(u'-');
}

int run(const QStringList &arguments, QTextStream &out, QTextStream &err)
{
    const int code = languageFrom(arguments);
    installChineseTranslator(code == LanguageCode::Chinese);
    const QString name = arguments.value(1);
    if (name == QLatin1String("help")) {
        out << commandList(code);
        return Done;
    }
    for (const Command &c : kCommands) {
        if (name == QLatin1String(c.name)) {
            Context context{arguments.mid(1), out, err, code};
            return c.run(context);
        }
    }
    err << text(code, QT_TRANSLATE_NOOP("Cli", "kestrane: there is no command \"%1\".")).arg(name) << u'\n'
        << commandList(code);
    return Usage;
}

int runCommand(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("Kestrane"));
    QCoreApplication::setApplicationVersion(QString::fromUtf8(buildinfo::versionString()));
    QTextStream out(stdout);
    QTextStream err(stderr);
    const int status = run(QCoreApplication::arguments(), out, err);
    out.flush();
    err.flush();
    return status;
}

CommonOptions addCommonOptions(QCommandLineParser &parser, int code)
{
    CommonOptions o{
        QCommandLineOption({QStringLiteral("h"), QStringLiteral("help")},
                           text(code, QT_TRANSLATE_NOOP("Cli", "Show this help and exit."))),
        QCommandLineOption(QStringLiteral("json"),
                           text(code, QT_TRANSLATE_NOOP("Cli", "Print the result as JSON, for scripts."))),
        QCommandLineOption(QStringLiteral("language"),
                           text(code, QT_TRANSLATE_NOOP("Cli", "Speak English (en) or Chinese (zh); by default "
                                                               "the system's language.")),
                           QStringLiteral("en|zh")),
    };
    parser.addOptions({o.help, o.json, o.language});
    return o;
}

int parseArguments(QCommandLineParser &parser, const CommonOptions &common, Context &context, const QString &usage)
{
    const int code = context.languageCode;
    auto helpText = [&] {
        return text(code, QT_TRANSLATE_NOOP("Cli", "Usage: %1")).arg(usage) + u'\n' + parser.helpText().section(u'\n', 1);
    };
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    if (!parser.parse(context.arguments)) {
        context.err << parser.errorText() << u'\n' << helpText();
        return Usage;
    }
    if (parser.isSet(common.help)) {
        context.out << helpText();
        return Done;
    }
    const QString language = parser.value(common.language);
    if (parser.isSet(common.language) && language != QLatin1String("en") && language != QLatin1String("zh")) {
        context.err << text(code, QT_TRANSLATE_NOOP("Cli", "--language takes en or zh, not \"%1\".")).arg(language)
                    << u'\n';
        return Usage;
    }
    return -1;
}

LinkOptionSet addLinkOptions(QCommandLineParser &parser, int code)
{
    LinkOptionSet o{
        QCommandLineOption(QStringLiteral("port"),
                           text(code, QT_TRANSLATE_NOOP("Cli", "The controller on this serial port "
                                                               "(for example /dev/ttyUSB0 or COM3).")),
                           QStringLiteral("DEVICE")),
        QCommandLineOption(QStringLiteral("settings"),
                           text(code, QT_TRANSLATE_NOOP("Cli", "Line settings for --port; default 9600,n,8,1.")),
                           QStringLiteral("S"), QStringLiteral("9600,n,8,1")),
        QCommandLineOption(QStringLiteral("demo"),
                           text(code, QT_TRANSLATE_NOOP("Cli", "The built-in simulated controller."))),
        QCommandLineOption(QStringLiteral("type"),
                           text(code, QT_TRANSLATE_NOOP("Cli", "Controller type of --demo (1, 2 or 3; default 2).")),
                           QStringLiteral("N"), QStringLiteral("2")),
    };
    parser.addOptions({o.port, o.settings, o.demo, o.type});
    return o;
}

QString readLinkOptions(const QCommandLineParser &parser, const LinkOptionSet &set, int code, LinkOptions &out)
{
    out.port = parser.value(set.port);
    out.settings = parser.value(set.settings);
    out.demo = parser.isSet(set.demo);
    bool ok = false;
    out.controllerType = parser.value(set.type).toInt(&ok);
    if (out.demo && !out.port.isEmpty())
        return text(code, QT_TRANSLATE_NOOP("Cli", "--demo and --port exclude each other."));
    if (!PortSettings::parse(out.settings))
        return text(code, QT_TRANSLATE_NOOP("Cli", "--settings \"%1\" is not of the form 9600,n,8,1.")).arg(out.settings);
    if (!ok || out.controllerType < 1 || out.controllerType > 3)
        return text(code, QT_TRANSLATE_NOOP("Cli", "--type takes 1, 2 or 3."));
    if (parser.isSet(set.type) && !out.demo)
        return text(code, QT_TRANSLATE_NOOP("Cli", "--type goes with --demo only."));
    return {};
}

} // namespace cli
