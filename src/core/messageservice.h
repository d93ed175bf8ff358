#pragma once
// Every message box of the tool goes through this small service. The window
// implementation shows the box without blocking (no nested event loop inside
// a receive handler); tests replace it and look at what was shown.

#include <QString>

#include <functional>

class MessageService
{
public:
    enum class Icon { NoIcon, Information, Warning, Critical };

    struct Message
    {
        Icon icon = Icon::Information;
        QString title; // empty: the program's name
        QString text;
        // The objectName of the window the message is about ("frmBasic",
        // "frmTime"); empty, or a window that is not shown: the window in use.
        QString about = {};
    };

    virtual ~MessageService() = default;

    // Shows the box and returns at once; `onClosed` runs when the user has
    // closed it.
    virtual void show(const Message &message, std::function<void()> onClosed = {}) = 0;

    // A Yes/No question (Yes not the default); `onAnswer` runs with true for
    // Yes once the user has answered, with false for No or a closed box.
    virtual void ask(const Message &message, std::function<void(bool yes)> onAnswer) = 0;

    // A box that its sender closes again (dismiss) once what it reported is
    // over, such as the notice of a lost port when the link is back.
    virtual void showDismissable(const QString &key, const Message &message) { (void)key; show(message); }
    // Closes the open boxes shown under `key`.
    virtual void dismiss(const QString &key) { (void)key; }

    // The "info" box of the tool: title "info", information icon, OK button.
    void info(const QString &text, std::function<void()> onClosed = {})
    {
        show({Icon::Information, QStringLiteral("info"), text}, std::move(onClosed));
    }
    // The same, about the window named `about`.
    void infoAbout(const QString &about, const QString &text, std::function<void()> onClosed = {})
    {
        show({Icon::Information, QStringLiteral("info"), text, about}, std::move(onClosed));
    }
};
