#pragma once
// The parameter blocks without windows: one model per page that has a block,
// every reply decoded into its model, the models fitted to the controller
// type, and the write policy applied before a block is encoded (the question
// before zeros go into bytes whose layout is not known yet, the held received
// values, the refusal that names the box). Page windows, the hall test, the
// command line and the parameter sets all read and write through here.

#include "core/appstate.h"
#include "core/textnumber.h"
#include "link/requestqueue.h"
#include "pages/blockmodel.h"
#include "pages/engine/pageregistry.h"

#include <QObject>

#include <vector>

class LinkController;

class ParameterService : public QObject
{
    Q_OBJECT
public:
    ParameterService(BlockParts parts, LinkController &link, const LanguageState &language,
                     QObject *parent = nullptr);
    ~ParameterService() override;

    // The model of a family or page; nullptr when it has no block table.
    BlockModel *model(FrameId family) const;
    BlockModel *model(PageId page) const;

    BlockParts parts() const { return m_parts; }
    LinkController &link() const { return m_link; }
    int controllerType() const { return m_parts.controllerType; }
    int languageCode() const { return m_language.languageCode; }

    // Asks the controller for the family's block; the reply is decoded into
    // the model before `done` hears of it.
    void read(FrameId family, RequestQueue::Callback done = {});
    // Decodes a block into the family's model, as a reply does (the hall test
    // decodes its group A result into the Motor model this way).
    void decode(FrameId family, const Block &block);

    // Hides, one way, the fields the controller type hides in every model.
    void fitToControllerType();
    // The page was closed: its model goes back to the design-time defaults.
    void resetModel(FrameId family);

    struct WritePlan
    {
        enum class Step {
            Send,   // `block` is ready
            Ask,    // `text` is the question to put first
            Refuse, // `text` says why; nothing may be sent
        };
        Step step = Step::Refuse;
        QString text; // in the current language
        int failedField = -1; // Refuse: the field at fault (index into the table)
        ParseError error = ParseError::None;
        Block block{};
    };
    // The block a write of `values` sends, or the question or refusal that
    // comes first. With `confirmed`, the question was answered yes. The
    // table's hooks run only when the block is ready.
    WritePlan planWrite(FrameId family, const ValueMap &values, bool confirmed = false);
    // Sends a ready block; `done` hears of its acknowledgement.
    void write(const Block &block, RequestQueue::Callback done = {});

    // A box whose text the block does not carry as it stands: a number
    // clamped, floored or rounded, a text read by its leading number.
    struct SentAs
    {
        int field = -1; // index into the table
        QString text;   // as the box shows it
        QString sent;   // as the block carries it, shown as the page would
    };
    // Asked before the write: nothing is encoded into the buffers, no hook runs.
    QList<SentAs> sentDifferently(FrameId family, const ValueMap &values) const;
    // The question that shows those boxes with what will be sent.
    QString sentDifferentlyQuestion(FrameId family, const QList<SentAs> &boxes) const;

    // What reading a written block back found.
    struct Verification
    {
        enum class Result {
            Verified,        // every written field came back as written
            Differs,         // `fields` came back otherwise
            NotAcknowledged, // the write was not acknowledged
            NotReadBack,     // acknowledged, but the block did not come back
            NotChecked,      // acknowledged; reading back is switched off
        };
        Result result = Result::NotChecked;
        QList<int> fields; // Differs: indexes into the table
    };
    // Sends a ready block; once it is acknowledged, reads the block back
    // (while verifying writes is on) and compares what the write sent.
    void writeVerified(const Block &block, std::function<void(const Verification &)> done = {});
    bool verifyWrites() const { return m_verifyWrites; }
    void setVerifyWrites(bool on) { m_verifyWrites = on; }
    // What a verification found, in the current language.
    QString verificationText(FrameId family, const Verification &verification) const;

signals:
    // A block was decoded into the family's model.
    void decoded(FrameId family);
    // An Idc calibration block named the controller type (perhaps the same).
    void controllerTypeLearned(int controllerType);
    // A write through writeVerified() ended.
    void writeChecked(FrameId family, const ParameterService::Verification &verification);

private:
    void onBlock(FrameId family, const Block &block);
    QString refusalText(const BlockTable &table, const EncodeResult &result, const ValueMap &values) const;

    BlockParts m_parts;
    LinkController &m_link;
    const LanguageState &m_language;
    std::vector<BlockModel *> m_models; // by page row; nullptr for pages without a block
    // The slots each model hides for m_hiddenForType (the link asks ten
    // times a second).
    std::vector<QList<int>> m_hiddenSlots;
    int m_hiddenForType = -1;
    bool m_verifyWrites = true;
};

// Texts of the write policy, also for tests (context "ParameterPage").
QString parseFailureMessage(int languageCode, ParseError error, const QString &caption,
                            const QString &text, int maxLength);
QString parseFailureReason(int languageCode, ParseError error);
// The question before a write whose listed bytes' layout is unknown.
QString unknownLayoutQuestion(int languageCode, const QList<int> &bytes);
// The caption of a field in the current language (English for other codes).
QString fieldCaptionText(int languageCode, const BlockTable &table, int field);
