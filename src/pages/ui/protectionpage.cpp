#include "pages/ui/protectionpage.h"

#include "core/language.h"

#include "core/appstate.h"
#include "core/messageservice.h"
#include "core/textnumber.h"
#include "pages/blocks/protectionblock.h"
#include "pages/loadparachain.h"

#include <QBoxLayout>
#include <QLineEdit>
#include <QPushButton>

namespace {
// The boxes the first three values of the file go into.
constexpr const char *kLoadedBoxes[] = {"txtConstPT6", "txtConstPT7", "txtConstPT8"};

// The row that holds the page's "write" button.
QBoxLayout *rowOf(QLayout *layout, QWidget *button)
{
    if (!layout)
        return nullptr;
    for (int i = 0; i < layout->count(); ++i) {
        QLayoutItem *item = layout->itemAt(i);
        if (item->widget() == button)
            return qobject_cast<QBoxLayout *>(layout);
        if (QBoxLayout *found = rowOf(item->layout(), button))
            return found;
    }
    return nullptr;
}
} // namespace

constexpr const char *kLoadParaCaption = QT_TRANSLATE_NOOP("frmProtection", "Load para");

ProtectionPage::ProtectionPage(ParameterService &service, const LanguageState &language,
                               MessageService &messages, LoadParaChain &chain, QWidget *parent)
    : ParameterPage(protectionTable(), service, language, messages, parent), m_chain(chain)
{
    m_loadPara = new QPushButton(QString::fromUtf8(kLoadParaCaption), this);
    m_loadPara->setObjectName(QStringLiteral("cmdLoadPara"));
    m_loadPara->setAutoDefault(false);
    auto *read = findChild<QPushButton *>(QStringLiteral("cmdread"));
    if (QBoxLayout *row = rowOf(layout(), read))
        row->insertWidget(row->indexOf(read), m_loadPara);
    connect(m_loadPara, &QPushButton::clicked, this, &ProtectionPage::cmdLoadPara_Click);
    applyCaptions();
}

void ProtectionPage::applyCaptions()
{
    ParameterPage::applyCaptions();
    const QString t = bilingual(languageCode(), "frmProtection", kLoadParaCaption);
    if (m_loadPara && !t.isNull())
        m_loadPara->setText(t);
}

void ProtectionPage::cmdLoadPara_Click()
{
    const QString path = m_chain.iqSetPath();
    const IqSetList list = readIqSetFile(path);
    if (!list.ok()) {
        messages().info(iqSetProblemMessage(languageCode(), list, path));
        return;
    }
    for (int k = 0; k < int(std::size(kLoadedBoxes)); ++k)
        box(QString::fromLatin1(kLoadedBoxes[k]))->setText(formatInteger(list.values[k]));
    m_chain.arm(list.values[3]);
    // Waiting before the block goes: a port that cannot be opened ends the
    // request at once.
    m_chain.protectionSent();
    LoadParaChain *chain = &m_chain;
    if (!encodeAndSend([chain](const RequestQueue::Result &r) { chain->protectionAnswered(r); }))
        m_chain.abandon();
}
