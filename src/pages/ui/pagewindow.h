#pragma once
// What every page window shares: a modeless top-level window of the main
// window, destroyed when closed, that writes its captions on demand, closes
// on Escape and tabs through its boxes in their order on screen.

#include <QWidget>

class PageWindow : public QWidget
{
    Q_OBJECT
public:
    explicit PageWindow(QWidget *parent = nullptr);

    // Runs once when the window is created: lists, then captions.
    virtual void formLoad() { applyCaptions(); }
    // The captions of the current language (codes 22 and 11 only).
    virtual void applyCaptions() = 0;

signals:
    // The user closed the window; it is deleted right after.
    void closing();

protected:
    void closeEvent(QCloseEvent *event) override;
    // Escape closes the page.
    void keyPressEvent(QKeyEvent *event) override;
    bool event(QEvent *event) override;
};
