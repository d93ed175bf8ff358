#pragma once
// Reads cells back out of an .xlsx workbook for the tests: the workbook is a
// zip of XML parts, unpacked with the unzip program.

#include <QMap>
#include <QProcess>
#include <QString>
#include <QStringList>
#include <QXmlStreamReader>

namespace xlsx {

// The bytes of one part ("xl/worksheets/sheet1.xml"); empty when missing.
inline QByteArray part(const QString &workbook, const QString &name)
{
    QProcess unzip;
    unzip.start(QStringLiteral("unzip"), {QStringLiteral("-p"), workbook, name});
    if (!unzip.waitForFinished(60000) || unzip.exitCode() != 0)
        return {};
    return unzip.readAllStandardOutput();
}

inline QStringList parts(const QString &workbook)
{
    QProcess unzip;
    unzip.start(QStringLiteral("unzip"), {QStringLiteral("-Z1"), workbook});
    if (!unzip.waitForFinished(60000) || unzip.exitCode() != 0)
        return {};
    return QString::fromUtf8(unzip.readAllStandardOutput()).split(u'\n', Qt::SkipEmptyParts);
}

// Cell reference ("B2") -> its value as written: the number's text or the
// inline string.
inline QMap<QString, QString> cells(const QByteArray &sheetXml)
{
    QMap<QString, QString> out;
    QXmlStreamReader xml(sheetXml);
    QString ref;
    while (!xml.atEnd()) {
        xml.readNext();
        if (!xml.isStartElement())
            continue;
        if (xml.name() == u"c")
            ref = xml.attributes().value(QLatin1String("r")).toString();
        else if ((xml.name() == u"v" || xml.name() == u"t") && !ref.isEmpty())
            out[ref] = xml.readElementText();
    }
    return out;
}

inline QMap<QString, QString> sheetCells(const QString &workbook, int sheet)
{
    return cells(part(workbook, QStringLiteral("xl/worksheets/sheet%1.xml").arg(sheet)));
}

} // namespace xlsx
