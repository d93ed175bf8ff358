#include "shell/report/reportwriter.h"

#include "core/language.h"
#include "monitor/trendhistory.h"
#include "monitor/ui/trendplot.h"
#include "pages/sets/parameterset.h"
#include "shell/report/sessionlog.h"
#include "widgets/fonts.h"

#include <QAbstractTextDocumentLayout>
#include <QBuffer>
#include <QPainter>
#include <QTextBlock>
#include <QDir>
#include <QFileInfo>
#include <QPageLayout>
#include <QPdfWriter>
#include <QSaveFile>
#include <QTextDocument>
#include <QUrl>

namespace {
constexpr qint64 kMaxTrendMs = 10 * 60 * 1000;
const char *const kTrendResource = "kestrane-report:trends.png";
} // namespace

int trendMinutesOf(const TrendHistory &history)
{
    if (history.isEmpty())
        return 0;
    const qint64 span = history.last().timeMs - history.at(0).timeMs;
    if (span >= kMaxTrendMs)
        return int(kMaxTrendMs / 60000);
    return int(span / 60000) + 1;
}

QImage trendPicture(const TrendHistory &history, int minutes, int code, QSize size)
{
    TrendPlot plot;
    plot.setFont(fontForLanguage(code, 10));
    plot.resize(size);
    QStringList titles;
    for (const TrendPaneDef &pane : kTrendPanes) {
        QString title = bilingual(code, "frmTrends", pane.title);
        if (title.isEmpty())
            title = QString::fromUtf8(pane.title.source);
        titles << QStringLiteral("%1 [%2]").arg(title, QString::fromUtf8(pane.unit));
    }
    plot.setPaneTitles(titles);
    plot.setHistory(&history);
    plot.setShownValues(history.presentValues());
    const qint64 t1 = history.isEmpty() ? 0 : history.last().timeMs;
    // A history shorter than the minutes fills the picture.
    qint64 t0 = t1 - qint64(minutes) * 60000;
    if (!history.isEmpty())
        t0 = std::max(t0, history.at(0).timeMs);
    plot.setTimeRange(std::min(t0, t1 - 1000), t1);
    plot.autoValues();
    return plot.picture().toImage();
}

namespace {
// The page: the document laid out on the writer's printable area less a
// footer line; a heading that would end a page without the start of its
// section moves to the next page with it.
void printDocument(QTextDocument &document, QPdfWriter &writer, const ReportInput &input,
                   const QList<ReportSection> &sections)
{
    const int code = input.languageCode;
    QFont font = fontForLanguage(code, 9);
    font.setPointSizeF(8.5);
    document.documentLayout()->setPaintDevice(&writer);
    document.setDefaultFont(font);
    // Headings and paragraphs closer than the defaults: a session fits a page.
    document.setDefaultStyleSheet(QStringLiteral("h1 { font-size: 15pt; margin-top: 0px; margin-bottom: 4px; }"
                                                 "h2 { font-size: 11pt; margin-top: 8px; margin-bottom: 3px; }"
                                                 "h3 { font-size: 9pt; margin-top: 4px; margin-bottom: 2px; }"
                                                 "p { margin-top: 2px; margin-bottom: 2px; }"));
    const qreal width = writer.width();
    const qreal footer = writer.resolution() * 0.3; // about 7.6 mm
    const qreal pageHeight = writer.height() - footer;
    document.setPageSize(QSizeF(width, pageHeight));
    QSet<int> breaks;
    for (int pass = 0; pass < 4; ++pass) {
        document.setHtml(reportHtml(input, sections, false, breaks));
        QAbstractTextDocumentLayout *layout = document.documentLayout();
        bool moved = false;
        int section = -1;
        for (QTextBlock b = document.begin(); b.isValid(); b = b.next()) {
            if (b.blockFormat().headingLevel() != 2)
                continue;
            ++section;
            if (breaks.contains(section))
                continue;
            const QRectF head = layout->blockBoundingRect(b);
            // The heading with what follows it, up to a third of a page.
            qreal bottom = head.bottom();
            for (QTextBlock n = b.next(); n.isValid() && n.blockFormat().headingLevel() != 2; n = n.next()) {
                bottom = std::max(bottom, layout->blockBoundingRect(n).bottom());
                if (bottom - head.top() > pageHeight / 3 || n.blockNumber() - b.blockNumber() > 3)
                    break;
            }
            bottom = std::min(bottom, head.top() + pageHeight / 3);
            if (int(head.top() / pageHeight) != int(bottom / pageHeight) && head.top() > 0) {
                breaks.insert(section);
                moved = true;
                break; // lay out again: what follows has moved
            }
        }
        if (!moved)
            break;
    }
    const int pages = document.pageCount();
    QPainter painter(&writer);
    painter.setFont(QFont(font.families(), 7));
    QString serial;
    if (input.session && input.session->identity())
        serial = reportText(code, QT_TRANSLATE_NOOP("ServiceReport", "serial number %1"))
                     .arg(identityOf(*input.session->identity()).serialNumber);
    for (int page = 0; page < pages; ++page) {
        if (page > 0)
            writer.newPage();
        painter.save();
        painter.translate(0, -page * pageHeight);
        document.drawContents(&painter, QRectF(0, page * pageHeight, width, pageHeight));
        painter.restore();
        const QRectF foot(0, pageHeight, width, footer);
        QStringList left{reportText(code, QT_TRANSLATE_NOOP("ServiceReport", "Service report")),
                         input.time.toString(QStringLiteral("yyyy-MM-dd HH:mm"))};
        if (!serial.isEmpty())
            left << serial;
        painter.drawText(foot, Qt::AlignLeft | Qt::AlignBottom, left.join(QStringLiteral(" · ")));
        painter.drawText(foot, Qt::AlignRight | Qt::AlignBottom,
                         reportText(code, QT_TRANSLATE_NOOP("ServiceReport", "Page %1 of %2")).arg(page + 1).arg(pages));
    }
}
} // namespace

ReportWriteResult writeReport(ReportInput input, const TrendHistory *trends, const QString &path, bool html)
{
    const int code = input.languageCode;
    ReportWriteResult result;
    input.trendSamples = trends ? trends->size() : 0;
    input.trendMinutes = trends ? trendMinutesOf(*trends) : 0;
    if (trends)
        input.trendValues = trends->presentValues();
    QImage picture;
    if (input.trendSamples >= 2)
        picture = trendPicture(*trends, input.trendMinutes, code);

    QString source;
    if (!picture.isNull() && html) {
        QByteArray png;
        QBuffer buffer(&png);
        buffer.open(QIODevice::WriteOnly);
        picture.save(&buffer, "PNG");
        source = QStringLiteral("data:image/png;base64,") + QString::fromLatin1(png.toBase64());
    } else if (!picture.isNull()) {
        source = QString::fromLatin1(kTrendResource);
    }

    QSaveFile file(path);
    auto failed = [&] {
        result.error = reportText(code, QT_TRANSLATE_NOOP("ServiceReport", "The report \"%1\" cannot be written (%2)."))
                           .arg(QDir::toNativeSeparators(path), file.errorString());
        return result;
    };
    if (!file.open(QIODevice::WriteOnly))
        return failed();
    if (html) {
        input.trendImageWidth = 720;
        result.sections = reportSections(input, source);
        file.write(reportHtml(input, result.sections, true).toUtf8());
    } else {
        QPdfWriter writer(&file);
        writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(16, 14, 16, 12),
                                         QPageLayout::Millimeter));
        writer.setResolution(300);
        writer.setTitle(reportText(code, QT_TRANSLATE_NOOP("ServiceReport", "Service report")));
        writer.setCreator(QStringLiteral("Kestrane ") + input.toolVersion);
        // The picture across the text's width: the document counts 96
        // pixels to the inch.
        input.trendImageWidth = int(writer.width() * 96.0 / writer.resolution());
        result.sections = reportSections(input, source);
        QTextDocument document;
        if (!picture.isNull())
            document.addResource(QTextDocument::ImageResource, QUrl(QString::fromLatin1(kTrendResource)), picture);
        printDocument(document, writer, input, result.sections);
    }
    if (!file.commit())
        return failed();
    result.ok = true;
    return result;
}
