// kestrane monitor [--csv] [--count N]: the live status, one line a poll.

#include "shell/cli/cli.h"
#include "shell/cli/clisession.h"

#include "monitor/statussample.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QJsonDocument>
#include <QJsonObject>

#include <csignal>

namespace cli {
namespace {
volatile std::sig_atomic_t g_stop = 0;

void onSignal(int)
{
    g_stop = 1;
}

QString hex4(quint16 v)
{
    return QStringLiteral("%1").arg(v, 4, 16, QLatin1Char('0')).toUpper();
}

QString line(const StatusSample &s, bool csv, int code)
{
    const QString time = QDateTime::currentDateTime().toString(Qt::ISODateWithMs);
    QStringList fields{time};
    for (int i = 0; i < kTrendValueCount; ++i) {
        const TrendValueDef &d = kTrendValues[std::size_t(i)];
        const QString value = countsText(s.counts[std::size_t(i)], d.divisor);
        const QString unit = QString::fromUtf8(kTrendPanes[std::size_t(d.pane)].unit);
        fields << (csv ? value
                       : QStringLiteral("%1 %2 %3").arg(bilingual(code, "frmTrends", d.caption), value, unit));
    }
    fields << hex4(s.currentErrors) << hex4(s.historyErrors);
    return fields.join(csv ? QStringLiteral(",") : QStringLiteral("  "));
}

QString csvHeader()
{
    QStringList h{QStringLiteral("time")};
    for (const TrendValueDef &d : kTrendValues)
        h << QString::fromLatin1(d.csvHeader);
    h << QStringLiteral("current errors") << QStringLiteral("history errors");
    return h.join(u',');
}
} // namespace

int runMonitor(Context &ctx)
{
    const int code = ctx.languageCode;
    QCommandLineParser p;
    p.setApplicationDescription(text(code, QT_TRANSLATE_NOOP("Cli", "Polls the controller once a second and prints "
                                                                    "its live status, one line a block, until "
                                                                    "--count blocks or Ctrl-C. Exit status: 0 done, "
                                                                    "3 no controller answered.")));
    const CommonOptions common = addCommonOptions(p, code);
    const LinkOptionSet lineOptions = addLinkOptions(p, code);
    const QCommandLineOption csv(QStringLiteral("csv"), text(code, QT_TRANSLATE_NOOP("Cli", "Comma-separated, with a header line.")));
    const QCommandLineOption count(QStringLiteral("count"), text(code, QT_TRANSLATE_NOOP("Cli", "Stop after N blocks.")),
                                   QStringLiteral("N"));
    p.addOptions({csv, count});
    const QString usage = QStringLiteral("kestrane monitor [--csv] [--count N] (--port DEVICE | --demo)");
    if (const int status = parseArguments(p, common, ctx, usage); status >= 0)
        return status;
    LinkOptions options;
    QString wrong = readLinkOptions(p, lineOptions, code, options);
    bool ok = true;
    const int limit = p.isSet(count) ? p.value(count).toInt(&ok) : 0;
    if (!ok || limit < 0)
        wrong = text(code, QT_TRANSLATE_NOOP("Cli", "--count takes a whole number of blocks."));
    if (!wrong.isEmpty() || !options.given()) {
        ctx.err << wrong << '\n' << text(code, QT_TRANSLATE_NOOP("Cli", "Usage: %1")).arg(usage) << '\n';
        return Usage;
    }
    Session session(options, ctx);
    if (!session.open())
        return LinkFailure;
    const bool json = p.isSet(common.json);
    if (p.isSet(csv))
        ctx.out << csvHeader() << '\n';
    int blocks = 0;
    QObject::connect(&session.link().dispatcher(), &Dispatcher::statusReceived, [&](const Block &b) {
        const StatusSample s = sampleFromBlock(b);
        if (json) {
            QJsonObject o{{"time", QDateTime::currentDateTime().toString(Qt::ISODateWithMs)},
                          {"currentErrors", s.currentErrors}, {"historyErrors", s.historyErrors}};
            for (int i = 0; i < kTrendValueCount; ++i)
                o.insert(QLatin1String(kTrendValues[std::size_t(i)].key), s.value(i));
            ctx.out << QJsonDocument(o).toJson(QJsonDocument::Compact);
        } else {
            ctx.out << line(s, p.isSet(csv), code) << '\n';
        }
        ctx.out.flush();
        ++blocks;
    });
    QObject::connect(&session.link(), &LinkController::linkStateChanged, [&](int state) {
        ctx.err << (state == LinkStateCode::Offline ? text(code, QT_TRANSLATE_NOOP("Cli", "link down"))
                                                    : state == LinkStateCode::Online
                                                        ? text(code, QT_TRANSLATE_NOOP("Cli", "link up"))
                                                        : QString())
                << '\n';
        ctx.err.flush();
    });
    std::signal(SIGINT, onSignal);
    std::signal(SIGTERM, onSignal);
    session.startPolling();
    // No block within five seconds: nothing answers.
    if (!session.waitFor([&] { return blocks > 0 || g_stop; }, 5000) || !blocks) {
        ctx.err << text(code, QT_TRANSLATE_NOOP("Cli", "No controller answered on %1 at %2."))
                       .arg(session.portName(), session.settings())
                << '\n';
        return LinkFailure;
    }
    session.waitFor([&] { return g_stop || (limit > 0 && blocks >= limit); }, std::numeric_limits<int>::max());
    return Done;
}

} // namespace cli
