#include "pages/loadparachain.h"

#include "core/datafolder.h"

#include "core/appstate.h"
#include "core/language.h"
#include "core/textnumber.h"
#include "core/messageservice.h"
#include "link/commandtable.h"
#include "link/linkcontroller.h"
#include "pages/blocks/torquepidblock.h"
#include "pages/parameterservice.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

namespace {
constexpr const char *kContext = "LoadPara";
// Eleven numbers with generous blanks and comments fit in far less; more
// is not a list meant for this button.
constexpr qint64 kMaxFileBytes = 4096;

QString text(int languageCode, const char *source)
{
    const QString t = bilingual(languageCode, kContext, source);
    return t.isNull() ? QString::fromUtf8(source) : t;
}

IqSetList refused(IqSetList::Problem problem, int position = 0, const QString &item = {})
{
    IqSetList l;
    l.problem = problem;
    l.position = position;
    l.item = item;
    return l;
}

bool readInteger(const QString &item, qint16 *value)
{
    static const QRegularExpression integer(QStringLiteral("^[+-]?[0-9]+$"));
    if (!integer.match(item).hasMatch())
        return false;
    bool ok = false;
    const qint64 v = item.toLongLong(&ok);
    // Long digit runs overflow toLongLong; they are out of range anyway.
    if (!ok || v < -32768 || v > 32767)
        return false;
    *value = qint16(v);
    return true;
}
} // namespace

IqSetList parseIqSet(const QByteArray &bytes)
{
    QString all = QString::fromUtf8(bytes);
    if (all.startsWith(QChar(0xFEFF)))
        all.remove(0, 1);
    static const QRegularExpression lineBreak(QStringLiteral("\r\n|\n|\r"));

    QStringList items;
    for (const QString &line : all.split(lineBreak)) {
        if (line.trimmed().isEmpty())
            continue;
        const QStringList parts = line.split(u',');
        for (int j = 0; j < parts.size(); ++j) {
            const QString item = parts[j].trimmed();
            // A comma at the end of a line is a habit, not a missing value.
            if (item.isEmpty() && j == parts.size() - 1 && j > 0)
                continue;
            items << item;
        }
    }

    IqSetList list;
    for (int k = 0; k < items.size(); ++k) {
        if (items[k].isEmpty())
            return refused(IqSetList::Problem::EmptyValue, k + 1);
        qint16 v = 0;
        if (!readInteger(items[k], &v))
            return refused(IqSetList::Problem::NotAnInteger, k + 1, items[k]);
        list.values << v;
    }
    list.count = int(list.values.size());
    if (list.count > kIqSetMaxValues || list.count < kIqSetUsedValues) {
        list.problem = list.count > kIqSetMaxValues ? IqSetList::Problem::TooMany
                                                    : IqSetList::Problem::TooFew;
        list.values.clear();
        return list;
    }
    for (int k = 0; k < kIqSetUsedValues; ++k) {
        if (list.values[k] < 0)
            return refused(IqSetList::Problem::Negative, k + 1, items[k]);
    }
    return list;
}

IqSetList readIqSetFile(const QString &path)
{
    QFile file(path);
    if (!file.exists())
        return refused(IqSetList::Problem::Missing);
    if (!QFileInfo(path).isFile() || !file.open(QIODevice::ReadOnly))
        return refused(IqSetList::Problem::Unreadable);
    if (file.size() > kMaxFileBytes)
        return refused(IqSetList::Problem::TooLarge);
    const QByteArray bytes = file.read(kMaxFileBytes + 1);
    if (file.error() != QFileDevice::NoError)
        return refused(IqSetList::Problem::Unreadable);
    if (bytes.size() > kMaxFileBytes)
        return refused(IqSetList::Problem::TooLarge);
    return parseIqSet(bytes);
}

QString iqSetProblemMessage(int code, const IqSetList &list, const QString &path)
{
    const QString file = QDir::toNativeSeparators(path);
    switch (list.problem) {
    case IqSetList::Problem::None:
        break;
    case IqSetList::Problem::Missing:
        return text(code, QT_TRANSLATE_NOOP("LoadPara",
                                            "Load para: the file \"%1\" was not found. "
                                            "Nothing was written."))
            .arg(file);
    case IqSetList::Problem::Unreadable:
        return text(code, QT_TRANSLATE_NOOP("LoadPara",
                                            "Load para: the file \"%1\" could not be read. "
                                            "Nothing was written."))
            .arg(file);
    case IqSetList::Problem::TooLarge:
        return text(code, QT_TRANSLATE_NOOP("LoadPara",
                                            "Load para: the file \"%1\" is far too large for a "
                                            "list of at most 11 values. Nothing was written."))
            .arg(file);
    case IqSetList::Problem::EmptyValue:
        return text(code, QT_TRANSLATE_NOOP("LoadPara",
                                            "Load para: in the file \"%1\", value %2 is empty. "
                                            "Nothing was written."))
            .arg(file)
            .arg(list.position);
    case IqSetList::Problem::NotAnInteger:
        return text(code, QT_TRANSLATE_NOOP("LoadPara",
                                            "Load para: in the file \"%1\", value %2 (\"%3\") is "
                                            "not a whole number from -32768 to 32767. Nothing "
                                            "was written."))
            .arg(file)
            .arg(list.position)
            .arg(list.item.left(40));
    case IqSetList::Problem::Negative:
        return text(code, QT_TRANSLATE_NOOP("LoadPara",
                                            "Load para: in the file \"%1\", value %2 (%3) is "
                                            "negative; it would be written as 0. Nothing was "
                                            "written."))
            .arg(file)
            .arg(list.position)
            .arg(list.item);
    case IqSetList::Problem::TooMany:
        return text(code, QT_TRANSLATE_NOOP("LoadPara",
                                            "Load para: the file \"%1\" holds %2 values; at most "
                                            "11 are allowed. Nothing was written."))
            .arg(file)
            .arg(list.count);
    case IqSetList::Problem::TooFew:
        return text(code, QT_TRANSLATE_NOOP("LoadPara",
                                            "Load para: the file \"%1\" holds %2 values; four are "
                                            "needed (Iqref 6, Iqref 7, Iqref 8 and Iq ki gain 3). "
                                            "Nothing was written."))
            .arg(file)
            .arg(list.count);
    }
    return {};
}

QString defaultIqSetPath()
{
    // Beside the program, in the installed data, or in the user's folder; when
    // it is nowhere, the message names where the user is expected to put it.
    const DataFolder folder = DataFolder::forThisProgram();
    const QString found = folder.findResource(QStringLiteral("IqSet.txt"));
    if (!found.isEmpty())
        return found;
    const QString writable = folder.writableDir();
    return QDir(writable.isEmpty() ? QCoreApplication::applicationDirPath() : writable)
        .filePath(QStringLiteral("IqSet.txt"));
}

LoadParaChain::LoadParaChain(ParameterService &service, MessageService &messages, QObject *parent)
    : QObject(parent), m_service(service), m_messages(messages), m_parts(service.parts())
{
    connect(&service.link().dispatcher(), &Dispatcher::acknowledgementClosed, this,
            &LoadParaChain::onAcknowledged);
}

void LoadParaChain::arm(qint32 iqKiGain3)
{
    m_parts.loadPara.pendingIqKiGain3 = iqKiGain3;
    m_parts.loadPara.loadParaPending = true;
    m_stage = Stage::Idle;
}

void LoadParaChain::protectionSent()
{
    m_stage = Stage::AwaitingProtectionAck;
}

void LoadParaChain::protectionAnswered(const RequestQueue::Result &result)
{
    if (result.ok() || m_stage != Stage::AwaitingProtectionAck)
        return;
    giveUp(QT_TRANSLATE_NOOP("LoadPara",
                             "Load para: the controller did not acknowledge the Protection block. "
                             "The Torque PID block was not written; read the Protection page to see "
                             "what the controller holds."));
}

void LoadParaChain::abandon()
{
    m_parts.loadPara.loadParaPending = false;
    m_stage = Stage::Idle;
}

void LoadParaChain::giveUp(const char *why)
{
    abandon();
    m_messages.show({MessageService::Icon::Warning, QStringLiteral("info"), text(m_service.languageCode(), why),
                     QStringLiteral("frmProtection")});
}

bool LoadParaChain::chainActive() const
{
    return m_parts.loadPara.loadParaStage == 1 && m_parts.loadPara.loadParaPending;
}

void LoadParaChain::onAcknowledged(quint8 command)
{
    if (command != commandOf(FrameId::Protection) || m_stage != Stage::AwaitingProtectionAck)
        return;
    // A manual Torque PID write in the meantime used up the gain.
    if (!chainActive()) {
        m_stage = Stage::Idle;
        return;
    }
    m_stage = Stage::AwaitingTorquePid;
    m_service.read(FrameId::DqPid, [this](const RequestQueue::Result &r) { onTorquePid(r); });
}

void LoadParaChain::onTorquePid(const RequestQueue::Result &result)
{
    if (m_stage != Stage::AwaitingTorquePid)
        return;
    m_stage = Stage::Idle;
    if (!result.ok()) {
        if (chainActive())
            giveUp(QT_TRANSLATE_NOOP("LoadPara",
                                     "Load para: the controller did not send its Torque PID block. "
                                     "Iq ki gain 3 was not written."));
        return;
    }
    if (!chainActive())
        return;
    // The controller's own block, as the page shows it (the loaded gain in
    // place), written back.
    const ParameterService::WritePlan plan =
        m_service.planWrite(FrameId::DqPid, m_service.model(FrameId::DqPid)->values(), true);
    if (plan.step != ParameterService::WritePlan::Step::Send)
        return;
    m_service.write(plan.block);
    emit torquePidWritten();
}
