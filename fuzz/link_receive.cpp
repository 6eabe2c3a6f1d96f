// Fuzz target: the link's receive path. Bytes arrive in pieces through the shared link
// rig's fake device into SERIAL_COMM over each interface and mounting, between send
// ticks, time-outs, read-alls, write-alls, their cancelling and polling, the in-process
// emulator's own answers and the answers to the questions transactions wait on. After
// every step the link's invariants must hold.
//
// Input: one configuration byte, then steps. A step byte below 0x80 feeds the next
// (byte + 1) bytes to the link; from 0x80 on it is one of the link's commands.
// Configuration bits: 0-1 interface (serial, TCP, UDP, serial), 2 inverted mounting,
// 3-4 the checksums of the replies in the fed bytes (kept; repaired, so that the
// decoders behind them are reached; spoilt, so that nothing may be taken at all),
// 5 questions wait for an Answer step instead of being answered at once, 6 the range
// limit of the largest model instead of the smallest, 7 answers with the second button.

#include "fuzzinput.h"
#include "linkrig.h"
#include "randomareas.h"

#include "core/link/areapayload.h"
#include "core/link/crc16.h"
#include "core/link/framebuilders.h"
#include "core/link/readalltransaction.h"
#include "core/link/writealltransaction.h"

#include <algorithm>
#include <memory>
#include <tuple>

using namespace veltrix;
using veltrix::testing::LinkRig;

namespace {

enum Command : quint8 {
    Tick, Timeout, ReadAll, WriteAll, PollScan, PollIntensity, PollSimulation, Product, Reboot, Close, Cancel,
    Answer, Deliver, CommandCount
};
constexpr quint8 FirstCommand = 0x80;
constexpr int MaxPiece = FirstCommand;

enum Config : quint8 {
    Serial = 0, Tcp = 1, Udp = 2, TransportBits = 3,
    Inverted = 1 << 2,
    RepairChecksums = 1 << 3, SpoilChecksums = 2 << 3, ChecksumBits = 3 << 3,
    AnswerLater = 1 << 5,
    LargestModel = 1 << 6,
    SecondButton = 1 << 7,
};

struct Step
{
    bool feed = false;
    quint8 command = 0;
    QByteArray bytes;
};

bool isLeadLetter(char c)
{
    return c == 'R' || c == 'W' || c == 'C';  // every mnemonic starts with one
}

// The reply with a checksum whose mnemonic starts at stream[at], or nullptr.
const FrameInfo *checkedReplyAt(const QByteArray &stream, int at)
{
    const FrameInfo *info = frameInfoFor(stream.constData() + at, stream.size() - at);
    return info && info->replyHasCrc ? info : nullptr;
}

void repairChecksums(QByteArray &stream)
{
    for (int at = 0; at < stream.size(); ++at) {
        const FrameInfo *info = checkedReplyAt(stream, at);
        if (info && at + info->replyLength <= stream.size())
            putCrc(stream.data() + at, info->replyLength - CrcLength);
    }
}

// A checksum over the first length bytes that fails and holds no lead letter.
void putWrongCrc(char *frame, int length)
{
    const quint16 right = crc16(frame, length);
    for (quint16 change = 1;; ++change) {
        const quint16 wrong = right ^ change;
        const char low = static_cast<char>(wrong & 0xFF);
        const char high = static_cast<char>(wrong >> 8);
        if (!isLeadLetter(low) && !isLeadLetter(high)) {
            frame[length] = low;
            frame[length + 1] = high;
            return;
        }
    }
}

// Leaves mnemonics only at the starts of whole replies, each with a failing checksum
// ("RPrda" in its 509-byte form, failing in both places), so that no frame with a good
// checksum can form however the link cuts frames out of its buffer.
void spoilChecksums(QByteArray &stream)
{
    int at = 0;
    while (at < stream.size()) {
        const FrameInfo *info = checkedReplyAt(stream, at);
        const bool product = info && info->id == FrameId::RPrda;
        const int length = product ? ProductReplyLongLength : info ? info->replyLength : 0;
        if (!info || at + length > stream.size()) {
            if (isLeadLetter(stream.at(at)))
                stream[at] = static_cast<char>(stream.at(at) ^ 0x20);
            ++at;
            continue;
        }
        char *frame = stream.data() + at;
        for (int i = MnemonicLength; i < length; ++i) {
            if (isLeadLetter(frame[i]))
                frame[i] = static_cast<char>(frame[i] ^ 0x20);
        }
        if (product)
            putWrongCrc(frame, ProductReplyLength - CrcLength);
        putWrongCrc(frame, length - CrcLength);
        at += length;
    }
}

QVector<Step> readSteps(FuzzInput &input, quint8 config)
{
    QVector<Step> steps;
    QByteArray stream;
    while (!input.atEnd()) {
        Step step;
        const quint8 code = input.byte();
        step.feed = code < FirstCommand;
        if (step.feed)
            step.bytes = input.bytes(code + 1);
        else
            step.command = static_cast<quint8>((code - FirstCommand) % CommandCount);
        stream += step.bytes;
        steps.append(step);
    }
    // Checksums are mended or spoilt over the whole stream, so that replies split
    // across steps are treated alike; then each feed takes its share back.
    if ((config & ChecksumBits) == RepairChecksums)
        repairChecksums(stream);
    else if ((config & ChecksumBits) == SpoilChecksums)
        spoilChecksums(stream);
    int at = 0;
    for (Step &step : steps) {
        const int length = static_cast<int>(step.bytes.size());
        step.bytes = stream.mid(at, length);
        at += length;
    }
    return steps;
}

// The area the running read-all or write-all is at, or 0.
int transferAreaIndex(const SERIAL_COMM &link)
{
    if (auto *read = qobject_cast<ReadAllTransaction *>(link.transaction()))
        return read->areaIndex();
    if (auto *write = qobject_cast<WriteAllTransaction *>(link.transaction()))
        return write->areaIndex();
    return 0;
}

// What a receive pass may change; with spoilt checksums it must change none of it.
struct Observed
{
    LinkConfiguration configuration;
    qint32 cloudIndex;
    qint32 cloudCount;
    QVector<quint16> distances;
    QVector<quint16> intensities;
    int pending;
    int timeouts;
    int areaIndex;
    std::array<bool, SERIAL_COMM::RequestFlagCount> flags;
    bool timing;
    int events;

    auto tied() const
    {
        return std::tie(configuration, cloudIndex, cloudCount, distances, intensities, pending, timeouts,
                        areaIndex, flags, timing, events);
    }
    bool operator==(const Observed &other) const { return tied() == other.tied(); }
};

bool validAreas(const QVector<AreaRecord> &areas)
{
    if (areas.size() != AreaCount)
        return false;
    for (const AreaRecord &area : areas) {
        for (int field = 0; field < FieldCount; ++field) {
            if (area.shape(field) < Polygon || area.shape(field) > Ratio
                || area.points(field).size() > MaxFieldVertices)
                return false;
        }
    }
    return true;
}

class LinkUnderFuzz
{
public:
    explicit LinkUnderFuzz(quint8 config)
        : m_config(config), m_rig(scannerConfig(), connectTypeOf(config), (config & TransportBits) == Udp ? UdpMode : TcpMode)
    {
        SERIAL_COMM &link = m_rig.link;
        m_rig.scanner.freezeClock(0);
        m_rig.holdAnswers = (config & AnswerLater) != 0;
        const int choice = config & SecondButton ? 1 : 0;
        m_rig.answer = [choice](const TransactionQuestion &) { return choice; };
        if (config & LargestModel)
            link.SetRangeLimit(4);
        link.SetInvertedMount((config & Inverted) != 0);
        // A complete read-all becomes what a write-all sends, as the window applies it.
        link.SetConfigurationSource([this] { return m_document; });
        const auto count = [this] { ++m_events; };
        QObject::connect(&link, &SERIAL_COMM::IOPortSignals, count);
        QObject::connect(&link, &SERIAL_COMM::DirChangeSignals, count);
        QObject::connect(&link, &SERIAL_COMM::ReceiveScanfData, count);
        QObject::connect(&link, &SERIAL_COMM::ReceiveIntensityData, count);
        QObject::connect(&link, &SERIAL_COMM::TimedOutSignal, count);
        QObject::connect(&link, &SERIAL_COMM::TransactionStarted, [this](LinkTransaction *t) {
            ++m_events;
            QObject::connect(t, &LinkTransaction::progressChanged, [this] { ++m_events; });
            QObject::connect(t, &LinkTransaction::stepRefused, [this] { ++m_events; });
            QObject::connect(t, &LinkTransaction::asks, [this] { ++m_events; });
        });
        QObject::connect(&link, &SERIAL_COMM::TransactionFinished, [this](const TransactionResult &result) {
            ++m_events;
            FUZZ_CHECK(!m_rig.link.transaction() || result.outcome == TransactionOutcome::Busy);
            if (result.kind == TransactionKind::ReadAll && result.isComplete()) {
                FUZZ_CHECK(validAreas(result.configuration.areas));
                m_document = result.configuration;
            }
        });
    }

    void run(const QVector<Step> &steps)
    {
        for (const Step &step : steps) {
            if (step.feed)
                feed(step.bytes);
            else
                command(step.command);
            checkInvariants();
        }
    }

private:
    static ScannerConfig scannerConfig()
    {
        ScannerConfig config;
        config.objectSpeed = 0;
        return config;
    }
    static int connectTypeOf(quint8 config)
    {
        const int transport = config & TransportBits;
        return transport == Tcp || transport == Udp ? EthernetInterface : SerialInterface;
    }

    void feed(const QByteArray &bytes)
    {
        const bool spoilt = (m_config & ChecksumBits) == SpoilChecksums;
        const Observed before = spoilt ? observe() : Observed{};
        m_rig.device.feed(bytes);
        // Bytes of failing replies only: nothing but the receive buffer may change.
        if (spoilt)
            FUZZ_CHECK(observe() == before);
        FUZZ_CHECK(m_rig.link.receiveBuffer().size() <= ReceiveBufferLimit);
    }

    void command(quint8 which)
    {
        SERIAL_COMM &link = m_rig.link;
        switch (which) {
        case Tick: link.SerialPortSendData(); break;
        case Timeout: link.StopOverTimer(); link.ReadWriteOverTime(); break;
        case ReadAll: link.ReadSensorAllDataSlots(); break;
        case WriteAll: link.WriteSensorAllDataSlots(); break;
        case PollScan: link.ReadScanfTime(); break;
        case PollIntensity: link.ReadIntensityTime(); break;
        case PollSimulation: link.ReadSimulationTime(); break;
        case Product: link.SensorInformationSlots(); break;
        case Reboot: link.SensorRebootSlots(); break;
        case Cancel: link.CancelTransfer(); break;
        case Answer: m_rig.answerNow(m_config & SecondButton ? 1 : 0); break;
        case Deliver: m_rig.deliver(); break;
        case Close:
            link.CloseSendReadScanf();
            link.CloseSendReadIntensity();
            link.CloseSendReadSimulation();
            link.StopOverTimer();
            link.ClearCommandFlags();
            link.CloseSerialPortSlots();
            m_rig.undelivered.clear();
            break;
        }
    }

    Observed observe() const
    {
        const SERIAL_COMM &link = m_rig.link;
        std::array<bool, SERIAL_COMM::RequestFlagCount> flags{};
        for (int f = 0; f < SERIAL_COMM::RequestFlagCount; ++f)
            flags[static_cast<size_t>(f)] = link.flag(static_cast<SERIAL_COMM::RequestFlag>(f));
        const LiveScan &live = link.liveScan();
        return Observed{link.configuration(), live.cloudIndex, live.cloudCount, live.scanDistances,
                        live.scanIntensities, link.pendingCommand(), link.timeoutCount(),
                        transferAreaIndex(link), flags, link.timeoutTimer().isActive(), m_events};
    }

    void checkInvariants()
    {
        const SERIAL_COMM &link = m_rig.link;
        const LiveScan &live = link.liveScan();
        const int areaIndex = transferAreaIndex(link);
        FUZZ_CHECK(areaIndex >= 0 && areaIndex <= AreaCount);
        FUZZ_CHECK(link.timeoutCount() >= 0 && link.timeoutCount() <= SERIAL_COMM::TimeoutsBeforeWarning);
        const int pending = link.pendingCommand();
        FUZZ_CHECK(pending >= SERIAL_COMM::NoCommand && pending <= SERIAL_COMM::SimulationCommand && pending != 2);
        FUZZ_CHECK(live.cloudIndex >= 0 && live.cloudIndex <= CloudCapacity);
        FUZZ_CHECK(live.cloudCount >= 0 && live.cloudCount <= CloudCapacity);
        FUZZ_CHECK(live.cloudDistX.size() == CloudCapacity && live.cloudDistY.size() == CloudCapacity
                   && live.cloudIntensityX.size() == CloudCapacity && live.cloudIntensityY.size() == CloudCapacity);
        FUZZ_CHECK(live.scanDistances.size() == SerialScanSize && live.scanIntensities.size() == SerialScanSize);
        FUZZ_CHECK(live.activeArea >= 0 && live.activeArea < AreaCount);
        checkScan(live.scanDistances, m_checkedDistances);
        checkScan(live.scanIntensities, m_checkedIntensities);
        checkStagedAreas();
        checkWrites();
    }

    // Every stored scan value within the model's range. Looked at again only when
    // written to: until then it still shares its data with the copy of the last look.
    void checkScan(const QVector<quint16> &scan, QVector<quint16> &checked)
    {
        if (scan.constData() == checked.constData())
            return;
        const quint16 highest = *std::max_element(scan.cbegin(), scan.cend());
        FUZZ_CHECK(highest <= m_rig.link.rangeLimit());
        checked = scan;
    }

    // The areas a read-all stages: shapes known, no field beyond its frame's vertices.
    // Looked at again, like the scans, only when written to.
    void checkStagedAreas()
    {
        const auto *read = qobject_cast<const ReadAllTransaction *>(m_rig.link.transaction());
        if (!read)
            return;
        const QVector<AreaRecord> &staged = read->result().configuration.areas;
        if (staged.constData() == m_checkedAreas.constData())
            return;
        FUZZ_CHECK(validAreas(staged));
        m_checkedAreas = staged;
    }

    // Every request is written whole, with its checksum.
    void checkWrites()
    {
        const QList<QByteArray> &written = m_rig.device.written;
        for (; m_checkedWrites < written.size(); ++m_checkedWrites) {
            const QByteArray &frame = written.at(m_checkedWrites);
            const FrameInfo *info = frameInfoFor(frame.constData(), frame.size());
            FUZZ_CHECK(info && frame.size() == info->requestLength);
            FUZZ_CHECK(checkCrc(frame.constData(), frame.size() - CrcLength));
        }
    }

    quint8 m_config;
    LinkRig m_rig;
    ScannerConfiguration m_document;
    int m_events = 0;
    int m_checkedWrites = 0;
    QVector<quint16> m_checkedDistances;
    QVector<quint16> m_checkedIntensities;
    QVector<AreaRecord> m_checkedAreas;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    ensureCoreApplication();
    FuzzInput input(data, size);
    const quint8 config = input.byte();
    LinkUnderFuzz link(config);
    link.run(readSteps(input, config));
    return 0;
}

namespace {

// A seed input written step by step.
class Seed
{
public:
    explicit Seed(quint8 config) : m_bytes(1, static_cast<char>(config)) {}

    Seed &command(Command which)
    {
        m_bytes.append(static_cast<char>(FirstCommand + which));
        return *this;
    }
    Seed &feed(const QByteArray &bytes, int piece = MaxPiece)
    {
        for (int at = 0; at < bytes.size(); at += piece) {
            const QByteArray chunk = bytes.mid(at, piece);
            m_bytes.append(static_cast<char>(chunk.size() - 1));
            m_bytes.append(chunk);
        }
        return *this;
    }
    QByteArray bytes() const { return m_bytes; }

private:
    QByteArray m_bytes;
};

QByteArray withBadCrc(QByteArray frame)
{
    frame[frame.size() - 1] = static_cast<char>(frame.at(frame.size() - 1) ^ 0x5A);
    return frame;
}

}  // namespace

QList<FuzzSeed> fuzzSeeds()
{
    QRandomGenerator random(14);
    QVector<AreaRecord> areas(AreaCount);
    areas[0] = randomareas::area(random, 5400, true);  // three 100-vertex polygons
    for (int i = 1; i < 4; ++i)
        areas[i] = randomareas::area(random, 5400);
    areas[3].out1Shape = Arc;
    areas[3].out1Points = {QPoint(1000, 0), QPoint(-700, 700)};
    areas[3].out2Shape = Straight;
    areas[3].out2Points = {QPoint(0, 350)};
    areas[3].out3Shape = Ratio;
    areas[3].out3Points = {QPoint(0, 120)};
    SensorParameters parameters = randomareas::parameters(14);

    const auto readAll = [&](quint8 config) {
        const bool inverted = config & Inverted;
        parameters[InstallDirectionWord] = inverted ? 1 : 0;
        Seed seed(config);
        seed.command(ReadAll).command(Tick).feed(buildRParaReply(parameters), 23);
        seed.command(Tick).feed(buildRCaseReply(areas));
        for (int i = 0; i < 4; ++i)
            seed.command(Tick).feed(buildRAreaReply(areas.at(i), i, inverted), i == 0 ? MaxPiece : 61);
        return seed.bytes();
    };

    // A refused area waits for its answer while polling goes on.
    Seed writeAll(Serial | RepairChecksums | AnswerLater);
    writeAll.command(WriteAll);
    for (quint8 status : {0, 0, 1, 0, 2, 0})
        writeAll.command(Tick).feed(buildAcknowledge(FrameId::WArea, status));
    writeAll.command(PollSimulation).command(Tick).feed(buildWSimuReply(3, 0, 0)).command(Answer);
    writeAll.command(Tick).feed(buildAcknowledge(FrameId::WCase, 2)).command(Tick);
    writeAll.feed(buildAcknowledge(FrameId::WPara, 0)).command(Tick).feed(buildAcknowledge(FrameId::RBoot, 0));

    // The areas read go back in a write-all that runs to its end.
    Seed readWrite(Tcp | RepairChecksums);
    readWrite.command(ReadAll).command(Tick).feed(buildRParaReply(parameters)).command(Tick);
    for (int i = 0; i < 4; ++i)
        readWrite.command(Tick).feed(buildRAreaReply(areas.at(i), i, false));
    readWrite.command(Close).command(WriteAll);
    for (int i = 0; i < AreaCount; ++i)
        readWrite.command(Tick).feed(buildAcknowledge(FrameId::WArea, 0));
    readWrite.command(Tick).feed(buildAcknowledge(FrameId::WCase, 1)).command(Tick);
    readWrite.feed(buildAcknowledge(FrameId::WPara, 2)).command(PollSimulation).command(Tick);
    readWrite.feed(buildWSimuReply(0x7F, 0x80, 0xFFFF)).command(PollIntensity).command(Tick);
    readWrite.command(ReadAll).command(Tick).command(Cancel).command(WriteAll).command(Tick).command(Cancel);

    QVector<quint16> values(ScanValueCount);
    for (int i = 0; i < ScanValueCount; ++i)
        values[i] = static_cast<quint16>(i * 131);
    Seed scans(Serial | Inverted);
    scans.command(PollScan).command(Tick).feed(buildScanReply(FrameId::RScan, values), 97);
    scans.command(PollIntensity).command(Tick).feed(buildScanReply(FrameId::RStre, values));

    Seed clouds(Tcp | Inverted);
    clouds.command(PollScan).command(Tick);
    QVector<CloudPoint> points(30);
    for (int k = 0; k < points.size(); ++k)
        points[k] = CloudPoint{static_cast<quint16>(1000 + 40 * k), static_cast<quint16>(k * 7)};
    for (int start = FirstCloudBearing; start < LastCloudSector; start += 30)
        clouds.feed(buildCloudPacket(start, start + 30, points), 37);

    ProductInfo product{KnownProductCode, 105, 4321, 2024, 3, 15};
    Seed boxes(Udp | RepairChecksums | LargestModel | AnswerLater | SecondButton);
    boxes.command(Product).command(Tick).feed(buildRPrdaReply(product));
    boxes.command(Product).command(Tick).feed(buildRPrdaReply(product, true), 100);
    boxes.command(Reboot).command(Tick).feed(buildAcknowledge(FrameId::RBoot, 0));
    boxes.command(PollSimulation).command(Tick).feed(buildWSimuReply(0x85, 3, 0x0102));

    Seed timeouts(Serial);
    timeouts.command(ReadAll);
    for (int i = 0; i < 4; ++i)
        timeouts.command(Tick).command(Timeout);
    timeouts.feed("xxRPa" + withBadCrc(buildRParaReply(parameters)) + buildRAreaReply(areas.at(3), 3, false).left(300));
    timeouts.command(Close).command(PollScan).command(Tick).feed(buildAcknowledge(FrameId::RBoot, 0));
    timeouts.command(Product).command(Tick).feed(buildRPrdaReply(ProductInfo{3, 1, 2, 3, 4, 5}));

    Seed spoilt(Tcp | SpoilChecksums | AnswerLater);
    spoilt.command(ReadAll).command(Tick).feed(buildRParaReply(parameters)).command(Tick);
    spoilt.feed(buildRCaseReply(areas)).command(Tick).feed(buildRAreaReply(areas.at(1), 1, false));
    spoilt.feed(buildRPrdaReply(product) + buildWSimuReply(1, 2, 3) + buildAcknowledge(FrameId::WPara, 0));
    spoilt.command(Timeout).command(Timeout).command(Timeout).command(Timeout);
    spoilt.feed(buildAcknowledge(FrameId::RBoot, 0) + buildAcknowledge(FrameId::WArea, 0));

    // The in-process scanner answers a whole read-all, then the write-all of what was
    // read, with a restart.
    Seed emulated(Serial);
    emulated.command(ReadAll);
    for (int i = 0; i < 2 + AreaCount; ++i)
        emulated.command(Tick).command(Deliver);
    emulated.command(WriteAll);
    for (int i = 0; i < 3 + AreaCount; ++i)
        emulated.command(Tick).command(Deliver);
    emulated.command(PollScan).command(Tick).command(Deliver);

    return {
        {"emulator_read_then_write", emulated.bytes()},
        {"read_all_serial", readAll(Serial | RepairChecksums)},
        {"read_all_tcp_inverted", readAll(Tcp | Inverted | RepairChecksums)},
        {"read_all_udp_kept", readAll(Udp)},
        {"write_all_acknowledgements", writeAll.bytes()},
        {"read_then_write_all", readWrite.bytes()},
        {"serial_scans", scans.bytes()},
        {"ethernet_clouds", clouds.bytes()},
        {"questions_while_bytes_arrive", boxes.bytes()},
        {"timeouts_and_noise", timeouts.bytes()},
        {"spoilt_checksums", spoilt.bytes()},
    };
}
