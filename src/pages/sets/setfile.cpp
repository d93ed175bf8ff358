#include "pages/sets/setfile.h"

#include "core/appstate.h"
#include "link/portsettings.h"
#include "pages/sets/setblocks.h"

#include <QCoreApplication>
#include <QCryptographicHash>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSaveFile>

namespace {
using Kind = SetFileError::Kind;
constexpr const char *kContext = "ParameterSet";

QString checksumOf(const Block &b)
{
    return QString::fromLatin1(
        QCryptographicHash::hash(QByteArrayView(b.data(), b.size()), QCryptographicHash::Sha256).toHex());
}

QString bytesText(const Block &b)
{
    return hexString(b);
}

// "F0 E0 1F ..": 32 bytes of two hex digits, one blank between them.
std::optional<Block> bytesFromText(const QString &text)
{
    if (text.size() != kBlockSize * 3 - 1)
        return std::nullopt;
    Block b{};
    for (int i = 0; i < kBlockSize; ++i) {
        if (i > 0 && text[i * 3 - 1] != u' ')
            return std::nullopt;
        bool ok = false;
        const uint v = QStringView(text).mid(i * 3, 2).toUInt(&ok, 16);
        if (!ok || !text[i * 3].isLetterOrNumber() || !text[i * 3 + 1].isLetterOrNumber())
            return std::nullopt;
        b[std::size_t(i)] = quint8(v);
    }
    return b;
}

void appendFields(const SetBlock &block, const Block &bytes, int controllerType, QJsonArray &fields)
{
    const BlockTexts texts(block, bytes, controllerType, LanguageCode::English);
    const BlockTable &table = *block.table;
    for (int i = 0; i < table.fieldCount(); ++i) {
        const FieldSpec &f = table.field(i);
        if (!holdsValue(f) || !f.appliesTo(controllerType))
            continue;
        fields.append(QJsonObject{
            {QStringLiteral("control"), QString::fromLatin1(f.control)},
            {QStringLiteral("caption"),
             QJsonObject{{QStringLiteral("en"), fieldCaption(table, i, LanguageCode::English)},
                         {QStringLiteral("zh"), fieldCaption(table, i, LanguageCode::Chinese)}}},
            {QStringLiteral("text"), texts.text(i)},
            {QStringLiteral("unit"), QString::fromUtf8(f.unit)},
        });
    }
}

QJsonObject blockObject(const SetBlock &block, const Block &bytes, int controllerType)
{
    QJsonArray fields;
    appendFields(block, bytes, controllerType, fields);
    return {
        {QStringLiteral("name"), block.name()},
        {QStringLiteral("bytes"), bytesText(bytes)},
        {QStringLiteral("sha256"), checksumOf(bytes)},
        {QStringLiteral("fields"), fields},
    };
}

QJsonValue identityValue(const ParameterSet &set)
{
    const std::optional<SetIdentity> id = set.identity();
    if (!id)
        return QJsonValue::Null;
    return QJsonObject{
        {QStringLiteral("projectNumber"), id->projectNumber},
        {QStringLiteral("serialNumber"), id->serialNumber},
        {QStringLiteral("year"), id->year},
        {QStringLiteral("week"), id->week},
        {QStringLiteral("subproject"), id->subproject},
        {QStringLiteral("model"), set.model},
    };
}
} // namespace

QByteArray setFileBytes(const ParameterSet &set)
{
    QJsonArray blocks;
    QJsonArray missing;
    for (const SetBlock &b : setBlocks()) {
        if (const std::optional<Block> &bytes = set.block(b.family))
            blocks.append(blockObject(b, *bytes, set.controllerType()));
        else
            missing.append(b.name());
    }
    const QJsonObject root{
        {QStringLiteral("format"), QString::fromLatin1(kSetFileFormat)},
        {QStringLiteral("schema"), kSetFileSchema},
        {QStringLiteral("tool"),
         QJsonObject{{QStringLiteral("version"), set.toolVersion}, {QStringLiteral("commit"), set.toolCommit}}},
        // With its offset, whatever the time zone.
        {QStringLiteral("time"), set.time.toOffsetFromUtc(set.time.offsetFromUtc()).toString(Qt::ISODate)},
        {QStringLiteral("link"),
         QJsonObject{{QStringLiteral("port"), set.port}, {QStringLiteral("settings"), set.portSettings}}},
        {QStringLiteral("controllerType"), set.controllerType()},
        {QStringLiteral("identity"), identityValue(set)},
        {QStringLiteral("partial"), !missing.isEmpty()},
        {QStringLiteral("missing"), missing},
        {QStringLiteral("blocks"), blocks},
    };
    return QJsonDocument(root).toJson(QJsonDocument::Indented);
}

SetFileError writeSetFile(const QString &path, const ParameterSet &set)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        return {Kind::WriteFailed, FrameId::None, {}, {}, file.errorString()};
    }
    const QByteArray bytes = setFileBytes(set);
    // Never a file this tool would refuse to read (a set without a time, a
    // block without its codes): the old file, if any, stays.
    const SetReadResult check = parseSetFile(bytes);
    if (!check.set) {
        file.cancelWriting();
        const QString what = QStringLiteral("%1 %2").arg(check.error.block, check.error.member).trimmed();
        return {Kind::WriteFailed, check.error.family, check.error.block, check.error.member,
                what};
    }
    if (file.write(bytes) != bytes.size() || !file.commit())
        return {Kind::WriteFailed, FrameId::None, {}, {}, file.errorString()};
    return {};
}

SetReadResult readSetFile(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {std::nullopt, {Kind::Unreadable, FrameId::None, {}, {}, file.errorString()}};
    if (file.size() > kSetFileMaxSize)
        return {std::nullopt, {Kind::TooLarge, FrameId::None, {}, {}, QString::number(file.size())}};
    const QByteArray bytes = file.read(kSetFileMaxSize + 1);
    if (file.error() != QFileDevice::NoError)
        return {std::nullopt, {Kind::Unreadable, FrameId::None, {}, {}, file.errorString()}};
    return parseSetFile(bytes);
}

namespace {
// Reads a parsed document member by member; the first fault is kept and
// ends the reading.
class SetParser
{
public:
    SetReadResult parse(const QJsonObject &root);

private:
    bool fail(Kind kind, QString member, QString detail = {}, FrameId family = FrameId::None,
              QString block = {})
    {
        if (m_error.ok())
            m_error = {kind, family, std::move(block), std::move(member), std::move(detail)};
        return false;
    }
    bool failIn(Kind kind, QString member, QString detail = {})
    {
        return fail(kind, std::move(member), std::move(detail), m_family, m_blockName);
    }
    std::optional<QJsonValue> member(const QJsonObject &o, const QString &path, const char *key,
                                     QJsonValue::Type type);
    std::optional<QString> string(const QJsonObject &o, const QString &path, const char *key);
    std::optional<int> integer(const QJsonObject &o, const QString &path, const char *key, int lo, int hi);

    bool readHeader(const QJsonObject &root);
    bool readBlock(const QJsonObject &o, int index);
    bool checkFields(const QJsonArray &fields, const SetBlock &block, const Block &bytes);
    bool checkMissingList(const QJsonObject &root);
    bool checkIdentity(const QJsonObject &root);

    ParameterSet m_set;
    SetFileError m_error;
    FrameId m_family = FrameId::None;
    QString m_blockName;
    int m_declaredType = 0;
    std::array<QJsonArray, 12> m_fields; // by set block, checked once the type is known
};

QString path(const QString &parent, const char *key)
{
    return parent.isEmpty() ? QString::fromLatin1(key) : parent + u'.' + QLatin1String(key);
}

QString typeName(QJsonValue::Type type)
{
    switch (type) {
    case QJsonValue::String: return QStringLiteral("text");
    case QJsonValue::Double: return QStringLiteral("number");
    case QJsonValue::Bool: return QStringLiteral("true or false");
    case QJsonValue::Array: return QStringLiteral("list");
    case QJsonValue::Object: return QStringLiteral("object");
    default: return QStringLiteral("null");
    }
}

std::optional<QJsonValue> SetParser::member(const QJsonObject &o, const QString &parent, const char *key,
                                            QJsonValue::Type type)
{
    const auto it = o.constFind(QLatin1String(key));
    if (it == o.constEnd()) {
        failIn(Kind::MissingMember, path(parent, key));
        return std::nullopt;
    }
    if (it->type() != type) {
        failIn(Kind::MalformedMember, path(parent, key), typeName(type));
        return std::nullopt;
    }
    return *it;
}

std::optional<QString> SetParser::string(const QJsonObject &o, const QString &parent, const char *key)
{
    const std::optional<QJsonValue> v = member(o, parent, key, QJsonValue::String);
    return v ? std::optional(v->toString()) : std::nullopt;
}

std::optional<int> SetParser::integer(const QJsonObject &o, const QString &parent, const char *key, int lo,
                                      int hi)
{
    const std::optional<QJsonValue> v = member(o, parent, key, QJsonValue::Double);
    if (!v)
        return std::nullopt;
    const double d = v->toDouble();
    if (!(d >= lo && d <= hi) || d != double(qint64(d))) {
        failIn(Kind::MalformedMember, path(parent, key), QStringLiteral("%1..%2").arg(lo).arg(hi));
        return std::nullopt;
    }
    return int(d);
}

bool SetParser::readHeader(const QJsonObject &root)
{
    const auto format = root.value(QLatin1String("format"));
    if (format.toString() != QLatin1String(kSetFileFormat))
        return fail(Kind::NotASet, QStringLiteral("format"));
    const auto schema = member(root, {}, "schema", QJsonValue::Double);
    if (!schema)
        return false;
    if (schema->toDouble() != kSetFileSchema) {
        const bool future = schema->toDouble() > kSetFileSchema;
        return fail(future ? Kind::FutureSchema : Kind::MalformedMember, QStringLiteral("schema"),
                    QString::number(schema->toDouble()));
    }
    const auto tool = member(root, {}, "tool", QJsonValue::Object);
    const auto version = tool ? string(tool->toObject(), QStringLiteral("tool"), "version") : std::nullopt;
    const auto commit = version ? string(tool->toObject(), QStringLiteral("tool"), "commit") : std::nullopt;
    const auto time = commit ? string(root, {}, "time") : std::nullopt;
    if (!time)
        return false;
    m_set.toolVersion = *version;
    m_set.toolCommit = *commit;
    m_set.time = QDateTime::fromString(*time, Qt::ISODateWithMs);
    const Qt::TimeSpec zone = m_set.time.timeSpec();
    if (!m_set.time.isValid() || (zone != Qt::OffsetFromUTC && zone != Qt::UTC))
        return fail(Kind::MalformedMember, QStringLiteral("time"), QStringLiteral("ISO 8601 with offset"));
    const auto link = member(root, {}, "link", QJsonValue::Object);
    const auto port = link ? string(link->toObject(), QStringLiteral("link"), "port") : std::nullopt;
    const auto settings = port ? string(link->toObject(), QStringLiteral("link"), "settings") : std::nullopt;
    if (!settings)
        return false;
    if (!settings->isEmpty() && !PortSettings::parse(*settings))
        return fail(Kind::MalformedMember, QStringLiteral("link.settings"), *settings);
    m_set.port = *port;
    m_set.portSettings = *settings;
    const auto type = integer(root, {}, "controllerType", 0, 255);
    if (!type)
        return false;
    m_declaredType = *type;
    m_set.setControllerType(*type);
    return true;
}

bool SetParser::readBlock(const QJsonObject &o, int index)
{
    const QString where = QStringLiteral("blocks[%1]").arg(index);
    m_family = FrameId::None;
    m_blockName.clear();
    const auto name = string(o, where, "name");
    if (!name)
        return false;
    const SetBlock *block = findSetBlock(*name);
    if (!block)
        return fail(Kind::UnknownBlock, where, {}, FrameId::None, *name);
    m_family = block->family;
    m_blockName = *name;
    if (m_set.block(block->family))
        return failIn(Kind::DuplicateBlock, where);
    const auto text = string(o, where, "bytes");
    const auto sum = text ? string(o, where, "sha256") : std::nullopt;
    const auto fields = sum ? member(o, where, "fields", QJsonValue::Array) : std::nullopt;
    if (!fields)
        return false;
    const std::optional<Block> bytes = bytesFromText(*text);
    if (!bytes)
        return failIn(Kind::MalformedMember, path(where, "bytes"), QStringLiteral("32 hex bytes"));
    if (!hasCodesOf(*block, *bytes))
        return failIn(Kind::WrongCodes, path(where, "bytes"), hexString(*bytes));
    if (sum->compare(checksumOf(*bytes), Qt::CaseInsensitive) != 0)
        return failIn(Kind::WrongChecksum, path(where, "sha256"));
    m_set.setBlock(block->family, *bytes);
    m_fields[std::size_t(setBlockIndex(block->family))] = fields->toArray();
    return true;
}

// The texts are said about the bytes; one that says otherwise was edited.
bool SetParser::checkFields(const QJsonArray &fields, const SetBlock &block, const Block &bytes)
{
    const int type = m_set.controllerType();
    const BlockTexts texts(block, bytes, type, LanguageCode::English);
    const BlockTable &table = *block.table;
    const QString where = QStringLiteral("fields");
    int n = 0;
    for (int i = 0; i < table.fieldCount(); ++i) {
        const FieldSpec &f = table.field(i);
        if (!holdsValue(f) || !f.appliesTo(type))
            continue;
        const QString expected = QString::fromLatin1(f.control);
        if (n >= fields.size())
            return failIn(Kind::EditedField, expected, texts.text(i));
        const QJsonValue v = fields.at(n++);
        if (!v.isObject())
            return failIn(Kind::MalformedMember, QStringLiteral("%1[%2]").arg(where).arg(n - 1),
                          typeName(QJsonValue::Object));
        const auto control = string(v.toObject(), where, "control");
        const auto text = control ? string(v.toObject(), where, "text") : std::nullopt;
        if (!text)
            return false;
        if (*control != expected)
            return failIn(Kind::EditedField, expected, texts.text(i));
        if (*text != texts.text(i))
            return failIn(Kind::EditedField, *control, texts.text(i));
    }
    if (n != fields.size())
        return failIn(Kind::MalformedMember, QStringLiteral("%1[%2]").arg(where).arg(n),
                      QStringLiteral("no more fields"));
    return true;
}

bool SetParser::checkMissingList(const QJsonObject &root)
{
    m_family = FrameId::None;
    m_blockName.clear();
    const auto partial = member(root, {}, "partial", QJsonValue::Bool);
    const auto missing = partial ? member(root, {}, "missing", QJsonValue::Array) : std::nullopt;
    if (!missing)
        return false;
    QStringList listed;
    for (const QJsonValue &v : missing->toArray())
        listed << v.toString();
    QStringList expected;
    for (FrameId f : m_set.missing())
        expected << findSetBlock(f)->name();
    if (listed != expected || partial->toBool() != !expected.isEmpty())
        return fail(Kind::MissingList, QStringLiteral("missing"), expected.join(QStringLiteral(", ")));
    return true;
}

bool SetParser::checkIdentity(const QJsonObject &root)
{
    const std::optional<SetIdentity> id = m_set.identity();
    const QJsonValue v = root.value(QLatin1String("identity"));
    if (v.isUndefined())
        return fail(Kind::MissingMember, QStringLiteral("identity"));
    if (!id) {
        if (!v.isNull())
            return fail(Kind::EditedIdentity, QStringLiteral("identity"));
        return true;
    }
    if (!v.isObject())
        return fail(Kind::MalformedMember, QStringLiteral("identity"), typeName(QJsonValue::Object));
    const QJsonObject o = v.toObject();
    const QString at = QStringLiteral("identity");
    const auto project = integer(o, at, "projectNumber", 0, 65535);
    const auto serial = project ? integer(o, at, "serialNumber", 0, 65535) : std::nullopt;
    const auto year = serial ? integer(o, at, "year", 0, 255) : std::nullopt;
    const auto week = year ? integer(o, at, "week", 0, 255) : std::nullopt;
    const auto sub = week ? integer(o, at, "subproject", 0, 255) : std::nullopt;
    const auto model = sub ? string(o, at, "model") : std::nullopt;
    if (!model)
        return false;
    if (SetIdentity{*project, *serial, *year, *week, *sub} != *id)
        return fail(Kind::EditedIdentity, QStringLiteral("identity"));
    m_set.model = *model;
    return true;
}

SetReadResult SetParser::parse(const QJsonObject &root)
{
    if (!readHeader(root))
        return {std::nullopt, m_error};
    const auto blocks = member(root, {}, "blocks", QJsonValue::Array);
    if (!blocks)
        return {std::nullopt, m_error};
    const QJsonArray list = blocks->toArray();
    for (int i = 0; i < list.size(); ++i) {
        if (!list.at(i).isObject()) {
            fail(Kind::MalformedMember, QStringLiteral("blocks[%1]").arg(i), typeName(QJsonValue::Object));
            return {std::nullopt, m_error};
        }
        if (!readBlock(list.at(i).toObject(), i))
            return {std::nullopt, m_error};
    }
    // The Idc block named the type while it was read; the file must agree.
    m_family = FrameId::None;
    m_blockName.clear();
    if (m_set.block(FrameId::IdcCalib) && m_set.controllerType() != m_declaredType) {
        fail(Kind::WrongType, QStringLiteral("controllerType"), QString::number(m_set.controllerType()),
             FrameId::IdcCalib, findSetBlock(FrameId::IdcCalib)->name());
        return {std::nullopt, m_error};
    }
    for (const SetBlock &b : setBlocks()) {
        const std::optional<Block> &bytes = m_set.block(b.family);
        m_family = b.family;
        m_blockName = b.name();
        if (bytes && !checkFields(m_fields[std::size_t(setBlockIndex(b.family))], b, *bytes))
            return {std::nullopt, m_error};
    }
    if (!checkMissingList(root) || !checkIdentity(root))
        return {std::nullopt, m_error};
    return {m_set, {}};
}

// A parse error at the last character of the text (or beyond): the file
// stops in the middle of its JSON.
bool endsEarly(const QByteArray &bytes, const QJsonParseError &error)
{
    qsizetype end = bytes.size();
    while (end > 0 && QChar::isSpace(uchar(bytes[end - 1])))
        --end;
    return error.offset >= end - 1;
}
} // namespace

SetReadResult parseSetFile(const QByteArray &bytes)
{
    if (bytes.size() > kSetFileMaxSize)
        return {std::nullopt, {Kind::TooLarge, FrameId::None, {}, {}, QString::number(bytes.size())}};
    if (bytes.trimmed().isEmpty())
        return {std::nullopt, {Kind::Truncated, FrameId::None, {}, {}, QStringLiteral("0")}};
    QJsonParseError error;
    const QJsonDocument doc = QJsonDocument::fromJson(bytes, &error);
    if (error.error != QJsonParseError::NoError) {
        const Kind kind = endsEarly(bytes, error) ? Kind::Truncated : Kind::NotJson;
        return {std::nullopt, {kind, FrameId::None, {}, {}, QStringLiteral("%1 (byte %2)").arg(error.errorString()).arg(error.offset)}};
    }
    if (!doc.isObject())
        return {std::nullopt, {Kind::NotASet, FrameId::None, {}, {}, {}}};
    return SetParser().parse(doc.object());
}

QString SetFileError::message(int code) const
{
    auto say = [code](const char *source) { return translated(code, kContext, source); };
    const SetBlock *b = findSetBlock(family);
    const QString blockName = b ? b->title(code) : block;
    QString what;
    switch (kind) {
    case Kind::None:
        return {};
    case Kind::WriteFailed:
        if (!member.isEmpty() || !block.isEmpty())
            return say(QT_TRANSLATE_NOOP("ParameterSet", "The parameter set was not written: it would not read "
                                                         "back (%1). No file was changed."))
                .arg(detail);
        return say(QT_TRANSLATE_NOOP("ParameterSet", "The parameter set could not be written: %1. No file was "
                                                    "changed."))
            .arg(detail);
    case Kind::Unreadable:
        what = say(QT_TRANSLATE_NOOP("ParameterSet", "The file cannot be read: %1.")).arg(detail);
        break;
    case Kind::TooLarge:
        what = say(QT_TRANSLATE_NOOP("ParameterSet", "The file is %1 bytes long, far too large for a parameter set."))
                   .arg(detail);
        break;
    case Kind::NotJson:
        what = say(QT_TRANSLATE_NOOP("ParameterSet", "The file is not a parameter set: it is not JSON (%1).")).arg(detail);
        break;
    case Kind::Truncated:
        what = say(QT_TRANSLATE_NOOP("ParameterSet", "The file is truncated: it ends before its last block."));
        break;
    case Kind::NotASet:
        what = say(QT_TRANSLATE_NOOP("ParameterSet", "The file is not a Kestrane parameter set."));
        break;
    case Kind::FutureSchema:
        what = say(QT_TRANSLATE_NOOP("ParameterSet", "The file is of schema %1, written by a newer Kestrane; this "
                                                    "version reads schema %2."))
                   .arg(detail)
                   .arg(kSetFileSchema);
        break;
    case Kind::MissingMember:
        what = say(QT_TRANSLATE_NOOP("ParameterSet", "\"%1\" is missing.")).arg(member);
        break;
    case Kind::MalformedMember:
        what = say(QT_TRANSLATE_NOOP("ParameterSet", "\"%1\" is malformed (expected: %2).")).arg(member, detail);
        break;
    case Kind::UnknownBlock:
        what = say(QT_TRANSLATE_NOOP("ParameterSet", "The file holds a block \"%1\" that no parameter set has."))
                   .arg(block);
        break;
    case Kind::DuplicateBlock:
        what = say(QT_TRANSLATE_NOOP("ParameterSet", "The block appears twice."));
        break;
    case Kind::MissingList:
        what = say(QT_TRANSLATE_NOOP("ParameterSet", "\"partial\" and \"missing\" do not match the blocks the file "
                                                    "holds (missing: %1)."))
                   .arg(detail.isEmpty() ? QStringLiteral("-") : detail);
        break;
    case Kind::WrongCodes:
        what = say(QT_TRANSLATE_NOOP("ParameterSet", "Its bytes do not begin with the block's codes or do not end "
                                                    "with its end marker (%1)."))
                   .arg(detail);
        break;
    case Kind::WrongChecksum:
        what = say(QT_TRANSLATE_NOOP("ParameterSet", "Its checksum does not match its bytes: the bytes were changed "
                                                    "or damaged."));
        break;
    case Kind::WrongType:
        what = say(QT_TRANSLATE_NOOP("ParameterSet", "The file names another controller type than its bytes "
                                                    "(%1): it was edited by hand."))
                   .arg(detail);
        break;
    case Kind::EditedField:
        what = say(QT_TRANSLATE_NOOP("ParameterSet", "The field \"%1\" does not say what the bytes hold (\"%2\"): "
                                                    "the file was edited by hand."))
                   .arg(member, detail);
        break;
    case Kind::EditedIdentity:
        what = say(QT_TRANSLATE_NOOP("ParameterSet", "The identity does not match the Idc calibration bytes: the "
                                                    "file was edited by hand."));
        break;
    }
    if (!blockName.isEmpty() && kind != Kind::UnknownBlock)
        what = say(QT_TRANSLATE_NOOP("ParameterSet", "Block \"%1\": %2")).arg(blockName, what);
    return what + u' ' + say(QT_TRANSLATE_NOOP("ParameterSet", "Nothing from this file was used."));
}
