#include "shell/contactdialog.h"

#include "core/appstate.h"
#include "widgets/fonts.h"
#include "core/language.h"

#include <QDesktopServices>
#include <QDialogButtonBox>
#include <QPushButton>
#include <QLabel>
#include <QUrl>
#include <QVBoxLayout>

ContactDialog::ContactDialog(int code, QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("frmContUs"));
    setModal(true);
    auto text = [code](const char *source) {
        const QString t = bilingual(code, "frmContUs", source);
        return t.isNull() ? QString::fromUtf8(source) : t;
    };
    setWindowTitle(text(QT_TRANSLATE_NOOP("frmContUs", "Contact us")));
    setFont(fontForLanguage(code, 10));

    auto *layout = new QVBoxLayout(this);
    auto *title = new QLabel(text(QT_TRANSLATE_NOOP("frmContUs", "Kestrane service team")), this);
    title->setObjectName(QStringLiteral("lblContTitle"));
    QFont bold = title->font();
    bold.setBold(true);
    title->setFont(bold);
    layout->addWidget(title);

    auto *hours = new QLabel(
        text(QT_TRANSLATE_NOOP("frmContUs", "Technical support for controller set-up and diagnosis.")),
        this);
    hours->setObjectName(QStringLiteral("lblContHours"));
    layout->addWidget(hours);

    auto link = [this, layout](const char *name, const QString &caption, const QString &url,
                               const QString &shown) {
        auto *l = new QLabel(QStringLiteral("%1 <a href=\"%2\">%3</a>").arg(caption, url, shown), this);
        l->setObjectName(QLatin1String(name));
        l->setTextInteractionFlags(Qt::LinksAccessibleByMouse | Qt::LinksAccessibleByKeyboard);
        l->setOpenExternalLinks(false);
        connect(l, &QLabel::linkActivated, this, [](const QString &href) {
            QDesktopServices::openUrl(QUrl(href));
        });
        layout->addWidget(l);
    };
    link("lblContWeb", text(QT_TRANSLATE_NOOP("frmContUs", "Web:")), QString::fromLatin1(kContactWeb),
         QString::fromLatin1(kContactWeb));
    link("lblContMail", text(QT_TRANSLATE_NOOP("frmContUs", "Mail:")),
         QStringLiteral("mailto:") + QString::fromLatin1(kContactMail), QString::fromLatin1(kContactMail));

    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    buttons->button(QDialogButtonBox::Ok)->setObjectName(QStringLiteral("cmdContOK"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    layout->addWidget(buttons);
}
