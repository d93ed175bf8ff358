#include "shell/report/servicereport.h"

#include "calib/idccalc.h"
#include "core/appstate.h"
#include "core/language.h"
#include "monitor/statusdecoder.h"
#include "monitor/statussample.h"
#include "pages/parameterservice.h"
#include "pages/sets/setblocks.h"
#include "pages/sets/setcompare.h"
#include "pages/sets/setfile.h"
#include "shell/report/sessionlog.h"

#include <QStringList>

namespace {
constexpr const char *kContext = "ServiceReport";

QString esc(const QString &s)
{
    // Control characters (a user name read from a controller may hold any
    // byte) by their code.
    QString clean;
    for (QChar c : s)
        clean += c.isPrint() || c == u' ' ? QString(c) : QStringLiteral("\\x%1").arg(c.unicode(), 2, 16, QLatin1Char('0'));
    return clean.toHtmlEscaped();
}

QString trText(int code, const char *context, TrText t)
{
    const QString s = bilingual(code, context, t);
    return s.isEmpty() ? QString::fromUtf8(t.source) : s;
}

QString timeText(const QDateTime &t)
{
    return t.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"));
}

QString clockText(const QDateTime &t)
{
    return t.toString(QStringLiteral("HH:mm:ss"));
}

// A table: a header row (repeated on a page that continues it) and rows of
// cells, already escaped.
QString table(const QStringList &header, const QList<QStringList> &rows)
{
    QString h = QStringLiteral("<table width=\"100%\" cellspacing=\"0\" cellpadding=\"2\" border=\"1\" "
                               "style=\"border-collapse: collapse; border-color: #999999;\"><thead><tr>");
    for (const QString &c : header)
        h += QStringLiteral("<th align=\"left\" bgcolor=\"#e8e8e8\">%1</th>").arg(c);
    h += QStringLiteral("</tr></thead><tbody>");
    for (const QStringList &row : rows) {
        h += QStringLiteral("<tr>");
        for (const QString &c : row)
            h += QStringLiteral("<td>%1</td>").arg(c);
        h += QStringLiteral("</tr>");
    }
    return h + QStringLiteral("</tbody></table>");
}

QString line(const QString &text)
{
    return QStringLiteral("<p>%1</p>").arg(text);
}

QString t(int code, const char *source)
{
    return reportText(code, source);
}

ReportSection identitySection(const ReportInput &in)
{
    const int code = in.languageCode;
    ReportSection s{"identity", t(code, QT_TRANSLATE_NOOP("ServiceReport", "Controller")), false, {}};
    std::optional<Block> idc = in.session ? in.session->identity() : std::nullopt;
    if (!idc && in.controller && in.controller->block(FrameId::IdcCalib))
        idc = in.controller->block(FrameId::IdcCalib);
    if (!idc) {
        s.html = line(t(code, QT_TRANSLATE_NOOP("ServiceReport", "The controller's identity was not read in this session.")));
        return s;
    }
    s.hasData = true;
    const SetIdentity id = identityOf(*idc);
    const QList<QStringList> rows{
        {t(code, QT_TRANSLATE_NOOP("ServiceReport", "Controller type")), QString::number(controllerTypeOf(*idc))},
        {t(code, QT_TRANSLATE_NOOP("ServiceReport", "Project number")), QString::number(id.projectNumber)},
        {t(code, QT_TRANSLATE_NOOP("ServiceReport", "Serial number")), QString::number(id.serialNumber)},
        {t(code, QT_TRANSLATE_NOOP("ServiceReport", "Week")), QString::number(id.week)},
        {t(code, QT_TRANSLATE_NOOP("ServiceReport", "Year")), QString::number(id.year)},
        {t(code, QT_TRANSLATE_NOOP("ServiceReport", "Model")), esc(mcuModelText(code, id.subproject))},
    };
    s.html = table({t(code, QT_TRANSLATE_NOOP("ServiceReport", "Item")),
                    t(code, QT_TRANSLATE_NOOP("ServiceReport", "Value"))},
                   rows);
    return s;
}

ReportSection statusSection(const ReportInput &in)
{
    const int code = in.languageCode;
    ReportSection s{"status", t(code, QT_TRANSLATE_NOOP("ServiceReport", "Live status")), false, {}};
    if (!in.session || !in.session->lastStatus()) {
        s.html = line(t(code, QT_TRANSLATE_NOOP("ServiceReport", "No live status was received in this session.")));
        return s;
    }
    s.hasData = true;
    const StatusSample sample = sampleFromBlock(*in.session->lastStatus());
    QList<QStringList> rows;
    for (int v = 0; v < kTrendValueCount; ++v) {
        const TrendValueDef &def = kTrendValues[std::size_t(v)];
        rows.append({trText(code, "frmTrends", def.caption), countsText(sample.counts[std::size_t(v)], def.divisor),
                     QString::fromUtf8(kTrendPanes[std::size_t(def.pane)].unit)});
    }
    s.html = line(t(code, QT_TRANSLATE_NOOP("ServiceReport", "The last status block, at %1:"))
                      .arg(timeText(in.session->lastStatusTime())))
             + table({t(code, QT_TRANSLATE_NOOP("ServiceReport", "Reading")),
                      t(code, QT_TRANSLATE_NOOP("ServiceReport", "Value")),
                      t(code, QT_TRANSLATE_NOOP("ServiceReport", "Unit"))},
                     rows);
    return s;
}

ReportSection faultSection(const ReportInput &in)
{
    const int code = in.languageCode;
    ReportSection s{"faults", t(code, QT_TRANSLATE_NOOP("ServiceReport", "Faults")), false, {}};
    if (!in.session || !in.session->lastStatus()) {
        s.html = line(t(code, QT_TRANSLATE_NOOP("ServiceReport", "No fault information: no live status was received.")));
        return s;
    }
    s.hasData = true;
    const StatusSample sample = sampleFromBlock(*in.session->lastStatus());
    auto faults = [&](bool current) {
        QList<QStringList> rows;
        for (const FaultRow &row : kFaultRows) {
            const quint16 mask = current ? row.currentMask : row.historyMask;
            const quint16 word = current ? sample.currentErrors : sample.historyErrors;
            if (mask && (word & mask))
                rows.append({trText(code, "frmMain", row.caption), trText(code, "frmMain", row.descriptionText)});
        }
        return rows;
    };
    const QStringList header{t(code, QT_TRANSLATE_NOOP("ServiceReport", "Fault")),
                             t(code, QT_TRANSLATE_NOOP("ServiceReport", "Description"))};
    const QList<QStringList> current = faults(true);
    const QList<QStringList> history = faults(false);
    s.html += QStringLiteral("<h3>%1</h3>").arg(t(code, QT_TRANSLATE_NOOP("ServiceReport", "Current faults")));
    s.html += current.isEmpty() ? line(t(code, QT_TRANSLATE_NOOP("ServiceReport", "None.")))
                                : table(header, current);
    s.html += QStringLiteral("<h3>%1</h3>").arg(t(code, QT_TRANSLATE_NOOP("ServiceReport", "History faults")));
    s.html += history.isEmpty() ? line(t(code, QT_TRANSLATE_NOOP("ServiceReport", "None.")))
                                : table(header, history);
    s.html += QStringLiteral("<h3>%1</h3>").arg(t(code, QT_TRANSLATE_NOOP("ServiceReport", "Faults seen in this session")));
    const QList<SessionFaultEvent> &events = in.session->faultEvents();
    if (events.isEmpty()) {
        s.html += line(t(code, QT_TRANSLATE_NOOP("ServiceReport", "No fault appeared or cleared in this session.")));
        return s;
    }
    QList<QStringList> rows;
    for (const SessionFaultEvent &e : events) {
        const FaultRow &row = kFaultRows[std::size_t(e.row)];
        rows.append({timeText(e.time), trText(code, "frmMain", row.caption),
                     e.appeared ? t(code, QT_TRANSLATE_NOOP("ServiceReport", "appeared"))
                                : t(code, QT_TRANSLATE_NOOP("ServiceReport", "cleared")),
                     trText(code, "frmMain", row.descriptionText)});
    }
    s.html += table({t(code, QT_TRANSLATE_NOOP("ServiceReport", "Time")), header[0],
                     t(code, QT_TRANSLATE_NOOP("ServiceReport", "Event")), header[1]},
                    rows);
    if (const int more = in.session->faultEventsLeftOut())
        s.html += line(t(code, QT_TRANSLATE_NOOP("ServiceReport", "%1 later events are not listed.")).arg(more));
    return s;
}

ReportSection hallSection(const ReportInput &in)
{
    const int code = in.languageCode;
    ReportSection s{"hall", t(code, QT_TRANSLATE_NOOP("ServiceReport", "Hall test")), false, {}};
    if (!in.session || in.session->hallResults().isEmpty()) {
        s.html = line(t(code, QT_TRANSLATE_NOOP("ServiceReport", "No hall test was run in this session.")));
        return s;
    }
    s.hasData = true;
    const SetBlock &motor = *findSetBlock(FrameId::Motor);
    QStringList header{t(code, QT_TRANSLATE_NOOP("ServiceReport", "Time")),
                       t(code, QT_TRANSLATE_NOOP("ServiceReport", "Group"))};
    for (int i = 1; i <= 6; ++i)
        header << t(code, QT_TRANSLATE_NOOP("ServiceReport", "Sector %1 [Deg]")).arg(i);
    QList<QStringList> rows;
    for (const SessionHallResult &r : in.session->hallResults()) {
        // The group B sectors sit in their own bytes on the types that have
        // them; on the others in the group A bytes.
        const bool ownBytes = r.groupB && (r.controllerType == 1 || r.controllerType == 2);
        const BlockTexts texts(motor, r.block, r.controllerType, code);
        QStringList row{timeText(r.time), r.groupB ? t(code, QT_TRANSLATE_NOOP("ServiceReport", "Hall B"))
                                                   : t(code, QT_TRANSLATE_NOOP("ServiceReport", "Hall A"))};
        for (int i = 1; i <= 6; ++i) {
            const QString control = (ownBytes ? QStringLiteral("txtFrmHallBSec%1") : QStringLiteral("txtFrmHallSec%1")).arg(i);
            QString value = QString::number(r.block[std::size_t((ownBytes ? 23 : 8) + i)]);
            for (int f = 0; f < motor.table->fieldCount(); ++f) {
                if (QLatin1String(motor.table->field(f).control) == control)
                    value = texts.text(f);
            }
            row << esc(value);
        }
        rows.append(row);
    }
    s.html = table(header, rows);
    return s;
}

ReportSection parameterSection(const ReportInput &in)
{
    const int code = in.languageCode;
    ReportSection s{"parameters",
                    t(code, QT_TRANSLATE_NOOP("ServiceReport", "Parameters that differ from %1")).arg(esc(in.reference.name)),
                    false,
                    {}};
    if (!in.controller || in.controller->missing().size() == int(setBlocks().size())) {
        s.html = line(t(code, QT_TRANSLATE_NOOP("ServiceReport", "The controller's parameters were not read in this session.")));
        return s;
    }
    if (!in.reference.set) {
        s.html = line(t(code, QT_TRANSLATE_NOOP("ServiceReport", "The reference cannot be used: %1")).arg(esc(in.reference.error)));
        return s;
    }
    s.hasData = true;
    const SetComparison c = compareSets(*in.reference.set, *in.controller, code);
    for (const QString &w : c.warnings)
        s.html += line(QStringLiteral("<b>%1</b>").arg(esc(w)));
    QList<QStringList> rows;
    QStringList notRead, notInReference;
    for (const BlockComparison &b : c.blocks) {
        if (b.state == BlockComparison::State::MissingInSecond)
            notRead << esc(b.title);
        else if (b.state == BlockComparison::State::MissingInFirst)
            notInReference << esc(b.title);
        for (const FieldDifference &d : b.differences) {
            // A caption like "Max speed[rpm]" carries its unit already.
            const QString unit = d.caption.contains(u'[') ? QString() : d.unit;
            // A report goes to the customer and the workshop: it says that
            // the password differs, never what it is.
            const bool secret = d.control == QLatin1String("txtPassword");
            const QString hidden = t(code, QT_TRANSLATE_NOOP("ServiceReport", "(not shown)"));
            rows.append({esc(b.title), esc(d.caption), esc(unit), secret ? hidden : esc(d.first),
                         secret ? hidden : esc(d.second)});
        }
    }
    if (rows.isEmpty())
        s.html += line(t(code, QT_TRANSLATE_NOOP("ServiceReport", "Every parameter compared equals the reference (%1 fields)."))
                           .arg(c.unchanged));
    else
        s.html += line(t(code, QT_TRANSLATE_NOOP("ServiceReport", "%1 of %2 fields differ:"))
                           .arg(c.changed)
                           .arg(c.changed + c.unchanged))
                  + table({t(code, QT_TRANSLATE_NOOP("ServiceReport", "Block")),
                           t(code, QT_TRANSLATE_NOOP("ServiceReport", "Parameter")),
                           t(code, QT_TRANSLATE_NOOP("ServiceReport", "Unit")),
                           t(code, QT_TRANSLATE_NOOP("ServiceReport", "Reference")),
                           t(code, QT_TRANSLATE_NOOP("ServiceReport", "Controller"))},
                          rows);
    if (!notRead.isEmpty())
        s.html += line(t(code, QT_TRANSLATE_NOOP("ServiceReport", "Not read from the controller: %1."))
                           .arg(notRead.join(QStringLiteral(", "))));
    if (!notInReference.isEmpty())
        s.html += line(t(code, QT_TRANSLATE_NOOP("ServiceReport", "Not in the reference: %1."))
                           .arg(notInReference.join(QStringLiteral(", "))));
    return s;
}

ReportSection restoreSection(const ReportInput &in)
{
    const int code = in.languageCode;
    ReportSection s{"restores", t(code, QT_TRANSLATE_NOOP("ServiceReport", "Restored and verified")), false, {}};
    if (!in.session || in.session->restores().isEmpty()) {
        s.html = line(t(code, QT_TRANSLATE_NOOP("ServiceReport", "Nothing was restored in this session.")));
        return s;
    }
    s.hasData = true;
    for (const SessionRestore &r : in.session->restores()) {
        s.html += line(t(code, QT_TRANSLATE_NOOP("ServiceReport", "%1, from %2:")).arg(timeText(r.time), esc(r.source)));
        QList<QStringList> rows;
        for (const RestoredBlock &b : r.result.blocks) {
            rows.append({esc(findSetBlock(b.family)->title(code)), esc(restoredStateText(b.state, code)),
                         esc(b.verification.fields.join(QStringLiteral(", ")))});
        }
        if (rows.isEmpty())
            s.html += line(t(code, QT_TRANSLATE_NOOP("ServiceReport", "No block was written.")));
        else
            s.html += table({t(code, QT_TRANSLATE_NOOP("ServiceReport", "Block")),
                             t(code, QT_TRANSLATE_NOOP("ServiceReport", "Result")),
                             t(code, QT_TRANSLATE_NOOP("ServiceReport", "Fields that differ"))},
                            rows);
    }
    return s;
}

ReportSection linkSection(const ReportInput &in)
{
    const int code = in.languageCode;
    ReportSection s{"link", t(code, QT_TRANSLATE_NOOP("ServiceReport", "Link drops")), false, {}};
    if (!in.session || in.session->linkDrops().isEmpty()) {
        s.html = line(t(code, QT_TRANSLATE_NOOP("ServiceReport", "The link did not drop in this session.")));
        return s;
    }
    s.hasData = true;
    QList<QStringList> rows;
    for (const SessionLinkDrop &d : in.session->linkDrops()) {
        rows.append({timeText(d.down),
                     d.up.isValid() ? clockText(d.up) : t(code, QT_TRANSLATE_NOOP("ServiceReport", "not back")),
                     d.up.isValid() ? t(code, QT_TRANSLATE_NOOP("ServiceReport", "%1 s")).arg(d.down.secsTo(d.up))
                                    : QString()});
    }
    s.html = table({t(code, QT_TRANSLATE_NOOP("ServiceReport", "Down")), t(code, QT_TRANSLATE_NOOP("ServiceReport", "Back")),
                    t(code, QT_TRANSLATE_NOOP("ServiceReport", "Duration"))},
                   rows);
    if (const int more = in.session->linkDropsLeftOut())
        s.html += line(t(code, QT_TRANSLATE_NOOP("ServiceReport", "%1 later events are not listed.")).arg(more));
    return s;
}

ReportSection trendSection(const ReportInput &in, const QString &image)
{
    const int code = in.languageCode;
    ReportSection s{"trends", t(code, QT_TRANSLATE_NOOP("ServiceReport", "Trends")), false, {}};
    if (in.trendSamples < 2 || image.isEmpty()) {
        s.html = line(in.trendSamples == 1
                          ? t(code, QT_TRANSLATE_NOOP("ServiceReport", "One status block was recorded: too few for a picture."))
                          : t(code, QT_TRANSLATE_NOOP("ServiceReport", "No trend data was recorded in this session.")));
        return s;
    }
    s.hasData = true;
    s.html = line(t(code, QT_TRANSLATE_NOOP("ServiceReport", "The last %1 min, %2 status blocks:"))
                      .arg(in.trendMinutes)
                      .arg(in.trendSamples))
             + QStringLiteral("<p><img src=\"%1\" width=\"%2\"></p>").arg(image).arg(in.trendImageWidth);
    // Which line is which: the colours of the readings drawn.
    QStringList legend;
    for (int v = 0; v < kTrendValueCount; ++v) {
        const TrendValueDef &def = kTrendValues[std::size_t(v)];
        if (!(in.trendValues & (1u << v)))
            continue;
        legend << QStringLiteral("<span style=\"color: #%1;\">\u25A0</span>&nbsp;%2")
                      .arg(def.color, 6, 16, QLatin1Char('0'))
                      .arg(trText(code, "frmTrends", def.caption));
    }
    s.html += line(legend.join(QStringLiteral(" &nbsp; ")));
    return s;
}
} // namespace

QString reportText(int code, const char *source)
{
    const QString s = bilingual(code, kContext, source);
    return s.isEmpty() ? QString::fromUtf8(source) : s;
}

ReportReference reportReference(const QString &path, int controllerType, int code)
{
    ReportReference r;
    if (path.isEmpty()) {
        r.name = t(code, QT_TRANSLATE_NOOP("ServiceReport", "the defaults"));
        r.set = ParameterSet::designDefaults(controllerType > 0 ? controllerType : 2);
        return r;
    }
    r.name = path;
    SetReadResult file = readSetFile(path);
    r.set = std::move(file.set);
    if (!r.set)
        r.error = file.error.message(code);
    return r;
}

ParameterSet receivedSet(const ParameterService &service)
{
    ParameterSet set;
    set.setControllerType(service.controllerType());
    for (const SetBlock &b : setBlocks()) {
        if (const BlockModel *m = service.model(b.family); m && m->received())
            set.setBlock(b.family, *m->received());
    }
    if (const std::optional<SetIdentity> id = set.identity())
        set.model = mcuModelText(LanguageCode::English, id->subproject);
    return set;
}

QList<ReportSection> reportSections(const ReportInput &input, const QString &trendImage)
{
    return {identitySection(input), statusSection(input),      faultSection(input),  hallSection(input),
            parameterSection(input), restoreSection(input), linkSection(input), trendSection(input, trendImage)};
}

QString reportHtml(const ReportInput &in, const QList<ReportSection> &sections, bool standalone,
                   const QSet<int> &breakBefore)
{
    const int code = in.languageCode;
    const QString title = t(code, QT_TRANSLATE_NOOP("ServiceReport", "Service report"));
    QString h;
    if (standalone) {
        h += QStringLiteral("<!DOCTYPE html>\n<html lang=\"%1\"><head><meta charset=\"utf-8\"><title>%2</title>"
                            "<style>body{font-family:'DejaVu Sans','Noto Sans CJK SC',sans-serif;font-size:10pt;"
                            "max-width:190mm;margin:10mm auto;}table{border-collapse:collapse;margin-bottom:6pt;}"
                            "th,td{border:1px solid #999;padding:2px 4px;vertical-align:top;}th{background:#e8e8e8;}"
                            "h1{font-size:16pt;}h2{font-size:12pt;margin:10pt 0 4pt;}h3{font-size:10pt;margin:6pt 0 2pt;}"
                            "img{max-width:100%;}</style></head><body>\n")
                 .arg(code == LanguageCode::Chinese ? QStringLiteral("zh-CN") : QStringLiteral("en"), title);
    } else {
        h += QStringLiteral("<html><body>");
    }
    h += QStringLiteral("<h1>%1</h1>").arg(title);
    const QString technician = in.technician.trimmed().isEmpty()
                                   ? t(code, QT_TRANSLATE_NOOP("ServiceReport", "not given"))
                                   : esc(in.technician.trimmed());
    h += QStringLiteral("<p>%1: %2<br>%3: Kestrane %4<br>%5: %6</p>")
             .arg(t(code, QT_TRANSLATE_NOOP("ServiceReport", "Date and time")), timeText(in.time),
                  t(code, QT_TRANSLATE_NOOP("ServiceReport", "Tool version")), esc(in.toolVersion),
                  t(code, QT_TRANSLATE_NOOP("ServiceReport", "Technician")), technician);
    auto heading = [&](int i) {
        return QStringLiteral("\n<h2%1>%2</h2>\n")
            .arg(breakBefore.contains(i) ? QStringLiteral(" style=\"page-break-before: always;\"") : QString(),
                 sections[i].title);
    };
    int first = 0;
    // Who the controller is beside what it showed: the two short tables
    // side by side.
    if (sections.size() >= 2 && qstrcmp(sections[0].key, "identity") == 0 && qstrcmp(sections[1].key, "status") == 0) {
        h += QStringLiteral("<table width=\"100%\" cellspacing=\"0\" cellpadding=\"0\" border=\"0\"><tr>"
                            "<td width=\"42%\" valign=\"top\">%1%2</td><td width=\"4%\"></td>"
                            "<td width=\"54%\" valign=\"top\">%3%4</td></tr></table>")
                 .arg(heading(0), sections[0].html, heading(1), sections[1].html);
        first = 2;
    }
    for (int i = first; i < sections.size(); ++i)
        h += heading(i) + sections[i].html;
    h += QStringLiteral("\n</body></html>\n");
    return h;
}
