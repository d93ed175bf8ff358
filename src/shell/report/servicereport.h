#pragma once
// The service report's content: what the session log, the controller's
// blocks and a reference set say, as sections of HTML in the language.
// Every section is there, with one line saying so when it has no data.
// Headless (Qt Core): the PDF and the HTML file are written by
// reportwriter.h, which also draws the trend picture.

#include "pages/sets/parameterset.h"

#include <QDateTime>
#include <QList>
#include <QSet>
#include <QString>

#include <optional>

class ParameterService;
class SessionLog;

// The set the controller is compared with: a parameter-set file or the
// pages' defaults.
struct ReportReference
{
    QString name;                     // in the language: the file's path, or "the defaults"
    std::optional<ParameterSet> set;  // none when the file was refused
    QString error;                    // why it was refused, in the language
};
// `path` empty: the defaults for the controller type.
ReportReference reportReference(const QString &path, int controllerType, int languageCode);

struct ReportInput
{
    int languageCode = 0;
    QDateTime time;
    QString toolVersion;
    QString technician;
    const SessionLog *session = nullptr;
    std::optional<ParameterSet> controller; // the blocks read from the controller (may be partial)
    ReportReference reference;
    // The trend picture: how many minutes and status blocks it shows (a
    // picture needs two), and its width in the page's CSS pixels.
    int trendMinutes = 0;
    int trendSamples = 0;
    int trendImageWidth = 680;
    quint16 trendValues = 0x3FF; // the readings drawn (bits in the order of kTrendValues)
};

struct ReportSection
{
    const char *key; // "identity", "status", ...: names it for scripts
    QString title;
    bool hasData = false;
    QString html; // the body
};

// The sections in the order of the page. `trendImage` is the picture's
// source (a resource name or a data: URI), used when trendMinutes > 0.
QList<ReportSection> reportSections(const ReportInput &input, const QString &trendImage);
// The whole page: a title, the header lines and the sections; a page break
// before the sections of `breakBefore` (by index), so that a heading does not
// end a page without its content.
QString reportHtml(const ReportInput &input, const QList<ReportSection> &sections, bool standalone,
                   const QSet<int> &breakBefore = {});

// The blocks the service received in this session, as a set (the controller
// type from the Idc block or from what the service knows).
ParameterSet receivedSet(const ParameterService &service);

// A text of the report in the language (context "ServiceReport").
QString reportText(int languageCode, const char *source);
