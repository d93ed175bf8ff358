#include "shell/report/reportcommand.h"

#include "buildinfo/buildinfo.h"
#include "core/language.h"
#include "monitor/trendhistory.h"
#include "pages/sets/setfile.h"
#include "shell/cli/cli.h"
#include "shell/cli/clisession.h"
#include "shell/report/reportwriter.h"
#include "shell/report/sessionlog.h"

#include <QApplication>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace {
// Long enough for a status block at the slowest poll, and one more.
constexpr int kStatusWaitMs = 5000;
} // namespace

int reportCommand(cli::Context &ctx)
{
    using namespace cli;
    const int code = ctx.languageCode;
    QCommandLineParser p;
    p.setApplicationDescription(text(
        code, QT_TRANSLATE_NOOP("Cli", "Reads the controller's identity, live status and parameter blocks and "
                                       "writes the service report to FILE: an A4 PDF, or one HTML file with "
                                       "--html. Exit status: 0 written, 1 the reference file is refused, 2 "
                                       "usage or the file cannot be written, 3 no controller answered.")));
    const CommonOptions common = addCommonOptions(p, code);
    const LinkOptionSet line = addLinkOptions(p, code);
    const QCommandLineOption html(QStringLiteral("html"),
                                  text(code, QT_TRANSLATE_NOOP("Cli", "Write one HTML file (pictures inline) instead of a PDF.")));
    const QCommandLineOption technician(QStringLiteral("technician"),
                                        text(code, QT_TRANSLATE_NOOP("Cli", "The technician's name on the report.")),
                                        QStringLiteral("NAME"));
    const QCommandLineOption reference(
        QStringLiteral("reference"),
        text(code, QT_TRANSLATE_NOOP("Cli", "Compare the parameters with this file (.kparams); by default with the defaults.")),
        QStringLiteral("FILE"));
    p.addOptions({html, technician, reference});
    p.addPositionalArgument(QStringLiteral("FILE"), text(code, QT_TRANSLATE_NOOP("Cli", "The report to write (.pdf or .html).")));
    const QString usage = QStringLiteral("kestrane report FILE.pdf [--html] [--language en|zh] [--technician NAME] "
                                         "[--reference FILE] (--port DEVICE [--settings S] | --demo [--type N])");
    if (const int status = parseArguments(p, common, ctx, usage); status >= 0)
        return status;
    LinkOptions options;
    const QString wrong = readLinkOptions(p, line, code, options);
    if (!wrong.isEmpty() || !options.given() || p.positionalArguments().size() != 1) {
        ctx.err << (wrong.isEmpty() ? QString() : wrong + u'\n')
                << text(code, QT_TRANSLATE_NOOP("Cli", "Usage: %1")).arg(usage) << '\n';
        return Usage;
    }
    const QString path = p.positionalArguments().first();
    // A refused reference stops here: a report that quietly compared with
    // something else would say the wrong thing.
    const QString referencePath = p.value(reference);
    if (!referencePath.isEmpty()) {
        const SetReadResult file = readSetFile(referencePath);
        if (!file.set) {
            ctx.err << referencePath << ": " << file.error.message(code) << '\n';
            return file.error.kind == SetFileError::Kind::Unreadable ? Usage : Differences;
        }
    }

    Session session(options, ctx);
    SessionLog log;
    TrendHistory trends;
    log.attach(session.link(), session.service());
    QObject::connect(&session.link().dispatcher(), &Dispatcher::statusReceived,
                     [&](const Block &b) { trends.statusBlock(b, QDateTime::currentDateTime()); });
    if (!session.open())
        return LinkFailure;
    const std::optional<BackupResult> blocks = backUp(session, ctx);
    if (!blocks)
        return LinkFailure;
    ctx.err << text(code, QT_TRANSLATE_NOOP("Cli", "Reading the live status ...")) << '\n';
    ctx.err.flush();
    session.startPolling();
    if (!session.waitFor([&] { return log.lastStatus().has_value(); }, kStatusWaitMs))
        ctx.err << text(code, QT_TRANSLATE_NOOP("Cli", "No live status came; the report says so.")) << '\n';

    ReportInput input;
    input.languageCode = code;
    input.time = QDateTime::currentDateTime();
    input.toolVersion = QString::fromUtf8(buildinfo::versionString());
    input.technician = p.value(technician);
    input.session = &log;
    input.controller = blocks->set;
    input.reference = reportReference(referencePath, blocks->set.controllerType(), code);
    const ReportWriteResult written = writeReport(input, &trends, path, p.isSet(html));
    if (!written.ok) {
        ctx.err << written.error << '\n';
        return Usage;
    }
    if (p.isSet(common.json)) {
        QJsonArray sections;
        for (const ReportSection &s : written.sections)
            sections.append(QJsonObject{{"key", QString::fromLatin1(s.key)}, {"title", s.title}, {"hasData", s.hasData}});
        ctx.out << QString::fromUtf8(QJsonDocument(QJsonObject{{"file", path},
                                                              {"format", p.isSet(html) ? "html" : "pdf"},
                                                              {"sections", sections}})
                                         .toJson(QJsonDocument::Indented));
    } else {
        ctx.out << text(code, QT_TRANSLATE_NOOP("Cli", "Wrote the service report to %1.")).arg(path) << '\n';
        for (const ReportSection &s : written.sections) {
            if (!s.hasData)
                ctx.out << text(code, QT_TRANSLATE_NOOP("Cli", "No data: %1")).arg(s.title) << '\n';
        }
    }
    return Done;
}

int runReportCommand(int argc, char *argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("Kestrane"));
    QCoreApplication::setApplicationVersion(QString::fromUtf8(buildinfo::versionString()));
    cli::setReportCommand(&reportCommand);
    QTextStream out(stdout);
    QTextStream err(stderr);
    const int status = cli::run(QCoreApplication::arguments(), out, err);
    out.flush();
    err.flush();
    return status;
}
