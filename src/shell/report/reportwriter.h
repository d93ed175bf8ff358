#pragma once
// Writes the service report: an A4 PDF through Qt's own PDF writer (the
// fonts it uses embedded, Chinese included), or one self-contained HTML
// file with the trend picture inline. The picture is the trend history
// drawn by the trend window's plot. Needs a QApplication (the plot is a
// widget); offscreen is enough.

#include "shell/report/servicereport.h"

#include <QImage>

class TrendHistory;

struct ReportWriteResult
{
    bool ok = false;
    QString error; // in the language
    QList<ReportSection> sections;
};

// The last minutes of the trends the picture shows (at most ten; the whole
// history when it is shorter, in whole minutes); 0 without samples.
int trendMinutesOf(const TrendHistory &history);
// The trend history's last `minutes`, every reading shown, pane titles in
// the language.
QImage trendPicture(const TrendHistory &history, int minutes, int languageCode, QSize size = {1000, 560});

// Writes the report to `path` whole or not at all (a file there before stays
// as it was when writing fails). `html`: the HTML variant.
ReportWriteResult writeReport(ReportInput input, const TrendHistory *trends, const QString &path, bool html);
