#pragma once
// The trend window frmTrends (Options > "Trends"): the live readings over
// the last 1, 5, 15 or 60 minutes, or a recording opened from a file. A
// tick box per reading, which also shows its value at the cursor (or the
// latest); pause and resume; the picture saved as PNG and what is shown as
// a recording (CSV). While hidden it does no work at all: the history goes
// on filling without it.

#include "monitor/trendhistory.h"

#include <QPointer>
#include <QWidget>

#include <functional>
#include <memory>

class QCheckBox;
class QComboBox;
class QLabel;
class QPushButton;
class TrendPlot;
struct LanguageState;
class MessageService;

class TrendWindow : public QWidget
{
    Q_OBJECT
public:
    enum class FileAction { Open, SavePng, SaveCsv };
    // Asks the user for a file: the path, or empty when cancelled.
    using FileChooser = std::function<QString(FileAction action, const QString &suggested)>;

    static constexpr int kWindowMinutes[] = {1, 5, 15, 60};

    TrendWindow(TrendHistory &live, const LanguageState &language, MessageService &messages,
                QWidget *parent = nullptr);
    ~TrendWindow() override;

    void setFileChooser(FileChooser chooser) { m_chooser = std::move(chooser); }
    // Where the file dialogs start (the data folder).
    void setFolder(const QString &folder) { m_folder = folder; }

    void applyLanguage();

    void setWindowMinutes(int minutes);
    int windowMinutes() const { return m_minutes; }
    // Paused, the view stays where it is; the history goes on filling.
    void setPaused(bool paused);
    bool paused() const { return m_paused; }
    // Back to the live history, following it, values fitted.
    void showLive();
    bool showingRecording() const { return m_recording != nullptr; }
    const TrendHistory &shownHistory() const { return m_recording ? *m_recording : m_live; }

    bool openRecording(const QString &path);
    bool savePng(const QString &path);
    bool saveCsv(const QString &path);

    // The readings at a time (the cursor), or the latest with none.
    void setCursorTime(qint64 timeMs);
    void clearCursor();

    TrendPlot *plot() const { return m_plot; }
    // Draws now what is due (tests, benchmarks).
    void refreshNow();

protected:
    void showEvent(QShowEvent *event) override;
    void hideEvent(QHideEvent *event) override;

private:
    void buildUi();
    void historyChanged();
    void scheduleRefresh();
    void refresh();
    void followLatest();
    void updateShown();
    void updateReadout();
    void showValuesAt(int sample);
    void updateSourceText();
    void updatePauseText();
    QString tr_(const char *source, const char *disambiguation = nullptr) const;
    QString faultText(const TrendEvent &event) const;
    void openClicked();
    void savePngClicked();
    void saveCsvClicked();
    QString choose(FileAction action, const QString &suggested);
    qint64 latestTime() const;

    TrendHistory &m_live;
    const LanguageState &m_language;
    MessageService &m_messages;
    std::unique_ptr<TrendHistory> m_recording;
    QString m_recordingPath;
    FileChooser m_chooser;
    QString m_folder;

    TrendPlot *m_plot = nullptr;
    QCheckBox *m_checks[kTrendValueCount] = {};
    QLabel *m_values[kTrendValueCount] = {};
    QLabel *m_cursorTime = nullptr;
    QLabel *m_cursorEvent = nullptr;
    QLabel *m_source = nullptr;
    QLabel *m_hint = nullptr;
    QLabel *m_windowLabel = nullptr;
    QComboBox *m_window = nullptr;
    QPushButton *m_pause = nullptr;
    QPushButton *m_liveButton = nullptr;
    QPushButton *m_open = nullptr;
    QPushButton *m_savePng = nullptr;
    QPushButton *m_saveCsv = nullptr;
    int m_minutes = 5;
    bool m_paused = false;
    bool m_refreshPending = false;
    bool m_cursorShown = false;
    qint64 m_cursorMs = 0;
};
