#pragma once
// A main window on a fake port, with recorded messages and sounds and a
// clock the test sets.

#include "link/linkcontroller.h"
#include "core/appstate.h"
#include "monitor/ui/recordcontrols.h"
#include "shell/mainwindow.h"

#include "fakeport.h"
#include "recordingmessages.h"
#include "recordingsound.h"

#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>

struct MainWindowBench
{
    AppState state;
    RecordingMessages messages;
    RecordingSound sounds;
    FakeLine line;
    LinkController link{state.connection, state.language, messages};
    std::unique_ptr<MainWindow> window;
    QDateTime now{QDate(2026, 12, 8), QTime(9, 0, 0)};
    int quits = 0;
    int records = 0;
    QTemporaryDir dataDir; // the log and the workbooks of this bench
    QStringList opened;    // workbooks handed to the desktop

    MainWindowBench()
    {
        link.setPortFactory(line.factory());
        window = std::make_unique<MainWindow>(state, link, messages);
        window->setQuitFunction([this] { ++quits; });
        window->setSoundPlayer(&sounds);
        window->setClock([this] { return now; });
        window->setRecordHook([this] { ++records; });
        window->records()->setDataFolder(dataDir.path());
        window->records()->setFileOpener([this](const QString &path) {
            opened << path;
            return true;
        });
    }
    QPushButton *button(const QString &name) const { return window->findChild<QPushButton *>(name); }
    QLabel *label(const char *name) const { return window->findChild<QLabel *>(name); }
    void ticks(int n)
    {
        for (int i = 0; i < n; ++i)
            window->Timer3_Timer();
    }
    void status(std::initializer_list<quint8> head) { line.deliver(toByteArray(makeBlock(head))); }
    // Port open, link timer stepped by hand, the controller answering.
    void goOnline()
    {
        window->openPortAtStart(QStringLiteral("/dev/ttyFAKE"), QStringLiteral("9600,n,8,1"));
        window->linkTimer()->stop();
        ticks(10);
        status({0xDF, 0xEF});
        ticks(1);
    }
};
