// The include graph runs one way: core <- link <- monitor <- pages <- calib
// <- shell, widgets sit on core, and only ui/ folders, widgets/ and shell/
// include widget headers. The simulated controller's model includes nothing
// of the tool, so a codec bug cannot hide behind a matching simulator bug.
// Only the shell sees the whole program state: every other part is handed
// the parts it owns or reads.

#include <QDirIterator>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QtTest>

namespace {

// The top folders (and sub-folders) a folder may include from.
QStringList allowedFor(const QString &dir)
{
    static const QHash<QString, QStringList> allowed{
        {"core", {"core"}},
        {"link", {"core", "link"}},
        {"link/ui", {"core", "link", "widgets"}},
        {"widgets", {"core", "widgets"}},
        {"monitor", {"core", "link", "monitor"}},
        {"monitor/ui", {"core", "link", "monitor", "widgets"}},
        {"pages", {"core", "link", "monitor", "pages"}},
        {"pages/ui", {"core", "link", "monitor", "pages", "widgets"}},
        {"calib", {"core", "link", "monitor", "pages", "calib"}},
        {"calib/ui", {"core", "link", "monitor", "pages", "pages/ui", "calib", "widgets"}},
        {"shell", {"core", "link", "monitor", "pages", "calib", "widgets", "shell", "sim"}},
        {"sim", {"core", "link", "sim"}}, // the in-process port of the demo mode
        {"sim/model", {}},
        {"sim/pty", {}},
    };
    return allowed.value(dir, {});
}

// "pages/engine/fieldcodec.cpp" -> "pages"; "pages/ui/x.cpp" -> "pages/ui".
QString layerOf(const QString &relPath)
{
    const QStringList parts = relPath.split(u'/');
    if (parts.size() >= 3 && (parts[1] == u"ui" || parts[0] == u"sim"))
        return parts[0] + u'/' + parts[1];
    return parts.value(0);
}

bool mayUseWidgets(const QString &layer)
{
    return layer.endsWith(u"/ui") || layer == u"widgets" || layer == u"shell";
}

// A header of Qt Widgets or Qt Gui: by its folder, or as a file of their
// include folders (QRadioButton, QScreen, ... every one of them).
bool isWidgetOrGuiHeader(const QString &target)
{
    if (target.startsWith(u"QtWidgets/") || target.startsWith(u"QtGui/"))
        return true;
    if (!target.startsWith(u'Q') || target.contains(u'/') || target.contains(u'.'))
        return false;
    static const QStringList dirs =
        QString::fromUtf8(KESTRANE_WIDGET_HEADER_DIRS).split(u'|', Qt::SkipEmptyParts);
    for (const QString &dir : dirs) {
        if (QFile::exists(dir + u'/' + target))
            return true;
    }
    return false;
}

// Every include of `text` that runs against the layers, as "line: reason".
QStringList violations(const QString &relPath, const QString &text)
{
    static const QRegularExpression include(
        QStringLiteral("^\\s*#\\s*include\\s*[\"<]([^\">]+)[\">]"),
        QRegularExpression::MultilineOption);

    static const QStringList toolFolders{"core", "link", "pages", "monitor", "calib",
                                         "widgets", "shell", "sim"};
    const QString layer = layerOf(relPath);
    const QStringList allowed = allowedFor(layer);
    QStringList found;
    auto it = include.globalMatch(text);
    while (it.hasNext()) {
        const auto m = it.next();
        const QString target = m.captured(1);
        const QString top = target.section(u'/', 0, 0);
        if (target.contains(u'/') && toolFolders.contains(top)) {
            const QString targetLayer = layerOf(target);
            const bool ok = allowed.contains(top)
                            && (!targetLayer.endsWith(u"/ui") || allowed.contains(targetLayer)
                                || layer == u"shell" || layer == targetLayer);
            if (!ok)
                found << QStringLiteral("%1 includes %2").arg(relPath, target);
        }
        if (!mayUseWidgets(layer) && isWidgetOrGuiHeader(target))
            found << QStringLiteral("%1 includes the widget header %2").arg(relPath, target);
    }
    static const QRegularExpression wholeState(QStringLiteral("\\bAppState\\b"));
    const bool ownsTheWhole = layer == u"shell" || relPath.startsWith(u"core/appstate.");
    if (!ownsTheWhole && wholeState.match(text).hasMatch())
        found << QStringLiteral("%1 is handed the whole program state").arg(relPath);
    return found;
}

} // namespace

class TestLayers : public QObject
{
    Q_OBJECT
private slots:
    void plantedViolationsAreFound_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("violates");
        QTest::newRow("core includes link") << "core/appstate.h" << "#include \"link/commandtable.h\"" << true;
        QTest::newRow("core includes a widget") << "core/x.cpp" << "#include <QWidget>" << true;
        QTest::newRow("core includes QtWidgets/") << "core/x.cpp" << "#include <QtWidgets/QLabel>" << true;
        QTest::newRow("link includes shell") << "link/dispatcher.cpp" << "#include \"shell/mainwindow.h\"" << true;
        QTest::newRow("link includes pages") << "link/dispatcher.cpp" << "#include \"pages/engine/fieldcodec.h\"" << true;
        QTest::newRow("link includes widgets") << "link/linkcontroller.cpp" << "#include \"widgets/fonts.h\"" << true;
        QTest::newRow("engine includes pages/ui") << "pages/engine/fieldcodec.cpp" << "#include \"pages/ui/parameterpage.h\"" << true;
        QTest::newRow("block uses a label") << "pages/blocks/motorblock.cpp" << "#include <QLabel>" << true;
        QTest::newRow("monitor includes pages") << "monitor/statusdecoder.cpp" << "#include \"pages/engine/fieldspec.h\"" << true;
        QTest::newRow("pages include calib") << "pages/blocks/x.cpp" << "#include \"calib/idc.h\"" << true;
        QTest::newRow("sim model includes core") << "sim/model/factoryblocks.cpp" << "#include \"core/frames.h\"" << true;
        QTest::newRow("widgets include shell") << "widgets/fonts.cpp" << "#include \"shell/mainwindow.h\"" << true;
        QTest::newRow("page ui includes monitor ui") << "pages/ui/x.cpp" << "#include \"monitor/ui/curvepage.h\"" << true;
        QTest::newRow("pages include link") << "pages/engine/fieldcodec.cpp" << "#include \"link/commandtable.h\"" << false;
        QTest::newRow("page ui includes widgets") << "pages/ui/parameterpage.cpp" << "#include \"widgets/fonts.h\"\n#include <QLabel>" << false;
        QTest::newRow("calib arithmetic includes a page window") << "calib/idccalc.cpp" << "#include \"pages/ui/parameterpage.h\"" << true;
        QTest::newRow("calib window builds on a page window") << "calib/ui/idccalibpage.h" << "#include \"pages/ui/parameterpage.h\"" << false;
        QTest::newRow("shell includes all") << "shell/mainwindow.cpp" << "#include \"pages/ui/pagenavigator.h\"\n#include \"monitor/ui/statuspanel.h\"" << false;
        QTest::newRow("page takes the whole state") << "pages/ui/x.h" << "struct AppState;\nclass X { X(AppState &state); };" << true;
        QTest::newRow("block hook takes the whole state") << "pages/blocks/x.cpp" << "void f(AppState &s) {}" << true;
        QTest::newRow("link keeps the whole state") << "link/x.h" << "AppState &m_state;" << true;
        QTest::newRow("page takes its parts") << "pages/ui/x.h" << "X(BlockParts parts, const LanguageState &language);" << false;
        QTest::newRow("main window hands out the parts") << "shell/mainwindow.cpp" << "new X(m_state.blockParts(), m_state.language);\nAppState &m_state;" << false;
        QTest::newRow("core includes Qt Core") << "core/frames.h" << "#include <QByteArray>\n#include <QtGlobal>" << false;
        QTest::newRow("link includes a radio button") << "link/x.cpp" << "#include <QRadioButton>" << true;
        QTest::newRow("service includes the screen") << "pages/x.cpp" << "#include <QScreen>" << true;
        QTest::newRow("link includes the serial port") << "link/x.cpp" << "#include <QSerialPort>\n#include <QTimer>" << false;
    }
    void plantedViolationsAreFound()
    {
        QFETCH(QString, path);
        QFETCH(QString, text);
        QFETCH(bool, violates);
        QCOMPARE(!violations(path, text).isEmpty(), violates);
    }

    void theTreeKeepsTheLayers()
    {
        const QDir src(QStringLiteral(KESTRANE_SRC_DIR));
        QStringList found;
        int files = 0;
        QDirIterator it(src.path(), {"*.h", "*.cpp"}, QDir::Files, QDirIterator::Subdirectories);
        while (it.hasNext()) {
            const QString path = it.next();
            QFile f(path);
            QVERIFY(f.open(QIODevice::ReadOnly));
            found << violations(src.relativeFilePath(path), QString::fromUtf8(f.readAll()));
            ++files;
        }
        QVERIFY(files > 50);
        QVERIFY2(found.isEmpty(), qPrintable(found.join(u'\n')));
    }

    // The headless libraries as the build links them: nothing of theirs, all
    // the way down, is a widget, Qt Gui or Qt Multimedia library.
    void headlessLibrariesLinkNoWidgets()
    {
        QFile f(QStringLiteral(KESTRANE_LINK_LINES));
        QVERIFY(f.open(QIODevice::ReadOnly));
        QHash<QString, QStringList> links;
        for (const QString &line : QString::fromUtf8(f.readAll()).split(u'\n', Qt::SkipEmptyParts)) {
            const qsizetype colon = line.indexOf(u':');
            links.insert(line.left(colon), line.mid(colon + 1).trimmed().split(u';', Qt::SkipEmptyParts));
        }
        static const QRegularExpression forbidden(
            QStringLiteral("Widgets|Qt6?::Gui|Multimedia|OpenGL|kestrane_ui|xlsxwriter"));
        for (const char *root : {"kestrane_link", "kestrane_service"}) {
            QVERIFY2(links.contains(QLatin1String(root)), root);
            QStringList todo{QLatin1String(root)};
            QSet<QString> seen;
            while (!todo.isEmpty()) {
                QString lib = todo.takeFirst();
                lib.remove(QStringLiteral("$<LINK_ONLY:")).remove(u'>');
                if (seen.contains(lib))
                    continue;
                seen.insert(lib);
                QVERIFY2(!forbidden.match(lib).hasMatch(), qPrintable(QStringLiteral("%1 links %2").arg(root, lib)));
                todo += links.value(lib);
            }
        }
    }

    // And the program that reads every block without a window needs none of
    // them when it runs.
    void headlessProgramNeedsNoWidgets()
    {
        QProcess readelf;
        readelf.start(QStringLiteral("readelf"), {QStringLiteral("-d"), QStringLiteral(KESTRANE_HEADLESS_PROGRAM)});
        if (!readelf.waitForStarted())
            QSKIP("readelf is not installed");
        QVERIFY(readelf.waitForFinished());
        const QString needed = QString::fromUtf8(readelf.readAllStandardOutput());
        QVERIFY(needed.contains(QStringLiteral("libQt6Core")));
        QVERIFY2(!needed.contains(QStringLiteral("libQt6Widgets")), qPrintable(needed));
        QVERIFY2(!needed.contains(QStringLiteral("libQt6Gui")), qPrintable(needed));
    }
};

QTEST_GUILESS_MAIN(TestLayers)
#include "tst_layers.moc"
