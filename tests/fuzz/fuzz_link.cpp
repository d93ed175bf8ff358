// The link as the controller and the user can drive it: byte chunks split
// anywhere, whole replies of every kind, the clock, link timer ticks, closed
// message boxes, a port that dies, stays away and comes back. The link, the
// dispatch, the status decoder and the decoder of every block table run for
// real behind the fake port.

#include "blockinvariants.h"
#include "fuzzsupport.h"

#include "fakeport.h"
#include "recordingmessages.h"

#include "core/appstate.h"
#include "core/language.h"
#include "link/commandtable.h"
#include "link/linkcontroller.h"
#include "monitor/statusdecoder.h"
#include "pages/engine/pageregistry.h"

#include <QCoreApplication>

#include <memory>
#include <vector>

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    static QCoreApplication app(*argc, *argv);
    return 0;
}

namespace {
enum Step : quint8 {
    Chunk,        // raw bytes from the line
    Reply,        // one well-formed block of a reply row
    Clock,        // time passes without a tick
    Ticks,        // link timer ticks, 100 ms each
    CloseBoxes,   // the user closes every message box
    FailPort,     // the open port dies
    PortPresence, // the device goes away or comes back
    Events,       // the event loop runs
    Language,
    LoadPara,     // the "Load para" chain armed or not
    ControllerType,
    SendRequest,  // a page sends a read request
    StepCount
};

struct LinkBench
{
    AppState state;
    RecordingMessages messages;
    FakeLine line;
    LinkController link{state.connection, state.language, messages};
    qint64 now = 0;
    std::vector<std::unique_ptr<ValueMap>> pageValues;
    int expectedLosses = 0;
    int losses = 0;

    LinkBench()
    {
        link.setPortFactory(line.factory());
        link.setPortName(QStringLiteral("/dev/ttyFUZZ"));
        link.setClock([this] { return now; });
        QObject::connect(&link, &LinkController::portLost, [this] { ++losses; });
        QObject::connect(&link.dispatcher(), &Dispatcher::statusReceived, [this](const Block &b) {
            state.frames[FrameId::Status] = b;
            decodeStatus(state.statusParts(), QDateTime(QDate(2024, 5, 1), QTime(8, 0)).addMSecs(now));
        });
        // Every table's read reply goes to the generic decoder of its page,
        // and whatever it shows must write again.
        for (const BlockTable *table : allBlockTables()) {
            pageValues.push_back(std::make_unique<ValueMap>(*table));
        }
        QObject::connect(&link.dispatcher(), &Dispatcher::blockReceived, [this](FrameId buffer, const Block &reply) {
            const QList<const BlockTable *> tables = allBlockTables();
            for (int i = 0; i < int(tables.size()); ++i) {
                const BlockTable *table = tables[i];
                if (table->definition().frame != buffer)
                    continue;
                ValueMap &values = *pageValues[std::size_t(i)];
                const CodecOptions options{state.controllerType, u'.'};
                decodeBlock(*table, reply, options, values);
                Block written;
                FUZZ_CHECK(encodeAndCheck(*table, values, options, reply, written).ok(),
                           table->window() + QStringLiteral(": decoded texts do not write"));
            }
        });
    }

    void step(FuzzInput &in)
    {
        const quint8 kind = in.byte() % StepCount;
        const quint8 arg = in.byte();
        switch (kind) {
        case Chunk:
            line.deliver(in.bytes(arg % 80));
            break;
        case Reply: {
            const auto rows = replyTable();
            const ReplyRow &row = rows[arg % rows.size()];
            Block b{};
            const QByteArray payload = in.bytes(kBlockSize);
            std::copy(payload.begin(), payload.end(), b.begin());
            b[0] = row.command;
            b[1] = row.subCommand;
            if (row.qualifier)
                b[2] = row.qualifier;
            if (!(arg & 0x80))
                b[kBlockSize - 1] = kEndMarker;
            line.deliver(toByteArray(b));
            break;
        }
        case Clock:
            now += qint64(arg) * 4;
            break;
        case Ticks:
            for (int i = 0; i <= arg % 32; ++i) {
                now += 100;
                link.tick();
                checkState();
            }
            break;
        case CloseBoxes:
            messages.closeAll();
            break;
        case FailPort: {
            const bool wasOpen = link.isOpen();
            line.fail(QStringLiteral("Input/output error"), 1 + arg % 3,
                      SerialPort::LossCause(arg / 3 % 3));
            expectedLosses += wasOpen ? 1 : 0;
            FUZZ_CHECK(!link.isOpen(), QStringLiteral("a failed port still counts as open"));
            FUZZ_CHECK(state.connection.linkState == LinkStateCode::Offline,
                       QStringLiteral("a lost port left the link in state %1").arg(state.connection.linkState));
            break;
        }
        case PortPresence:
            static constexpr SerialPort::OpenError kErrors[] = {
                SerialPort::OpenError::None, SerialPort::OpenError::NotFound,
                SerialPort::OpenError::PermissionDenied, SerialPort::OpenError::Busy};
            line.openError = kErrors[arg % 4];
            break;
        case Events:
            QCoreApplication::processEvents();
            break;
        case Language:
            setLanguage(state.language, arg % 3 == 0 ? LanguageCode::Chinese
                               : arg % 3 == 1 ? LanguageCode::English
                                              : int(arg));
            break;
        case LoadPara:
            state.loadPara.loadParaStage = qint16(arg & 1);
            state.loadPara.loadParaPending = arg & 2;
            break;
        case ControllerType:
            state.controllerType = qint16(controllerTypeFrom(arg));
            break;
        case SendRequest: {
            const auto families = blockFamilies();
            const QByteArray request = readRequestFor(families[std::size_t(arg) % families.size()].id);
            if (!request.isEmpty())
                link.sendFrame(request);
            break;
        }
        default:
            break;
        }
        checkState();
    }

    void checkState()
    {
        const int s = state.connection.linkState;
        FUZZ_CHECK(s == LinkStateCode::Offline || s == LinkStateCode::Connecting
                       || s == LinkStateCode::Online,
                   QStringLiteral("link state %1").arg(s));
        FUZZ_CHECK(link.assembler().pending() < kBlockSize,
                   QStringLiteral("%1 bytes wait in the assembler").arg(link.assembler().pending()));
        FUZZ_CHECK(losses == expectedLosses,
                   QStringLiteral("%1 losses reported for %2 drops").arg(losses).arg(expectedLosses));
    }

    // Only request frames and whole 32-byte blocks ever leave the tool.
    void checkWrites() const
    {
        const RequestFrames &r = requestFrames();
        const QList<QByteArray> requests{
            r.derateReadRequest,      r.fluxWeakenReadRequest, r.otherReadRequest,
            r.dqPidReadRequest,       r.hallTestStopRequest,   r.hallBTestRequest,
            r.hallATestRequest,       r.restoreDefaultsRequest, r.factorySetRequest,
            r.basicReadRequest,       r.referenceReadRequest,  r.motorReadRequest,
            r.modeSetReadRequest,     r.protectionReadRequest, r.controlReadRequest,
            r.idcCountResetRequest,   r.idcCalibStartRequest,  r.userInfoReadRequest,
            r.idcCalibReadRequest,    r.statusPollRequest};
        for (const QByteArray &w : line.writes) {
            const bool block = w.size() == kBlockSize && quint8(w.back()) == kEndMarker;
            FUZZ_CHECK(block || requests.contains(w), QStringLiteral("wrote ") + hexString(w));
        }
    }
};
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    FuzzInput in(data, size);
    {
        LinkBench bench;
        bench.link.openPort();
        for (int steps = 0; !in.atEnd() && steps < 4096; ++steps)
            bench.step(in);
        bench.checkWrites();
        bench.messages.closeAll();
    }
    // Nothing the bench queued may outlive it.
    QCoreApplication::processEvents();
    return 0;
}
