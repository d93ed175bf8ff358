#pragma once
// main() of a widget test that runs on one offscreen screen of 1366x768, the
// laptop the windows must fit, with window frames.

#include <QApplication>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#define KESTRANE_LAPTOP_SCREEN_MAIN(TestObject)                                                         \
    int main(int argc, char *argv[])                                                                    \
    {                                                                                                   \
        QTemporaryDir dir;                                                                              \
        const QString config = dir.filePath(QStringLiteral("screen.json"));                             \
        QFile file(config);                                                                             \
        if (!file.open(QIODevice::WriteOnly))                                                           \
            return 2;                                                                                   \
        file.write(R"({"windowFrameMargins": true, "screens": [{"name": "laptop", "x": 0, "y": 0,)"     \
                   R"("width": 1366, "height": 768, "logicalDpi": 96, "logicalBaseDpi": 96, "dpr": 1}]})"); \
        file.close();                                                                                   \
        qputenv("QT_QPA_PLATFORM", "offscreen:configfile=" + config.toLocal8Bit());                     \
        QApplication app(argc, argv);                                                                   \
        TestObject test;                                                                                \
        QTEST_SET_MAIN_SOURCE_PATH                                                                      \
        return QTest::qExec(&test, argc, argv);                                                         \
    }
