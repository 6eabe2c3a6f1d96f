// Fuzz target: the emulator's request handling. Bytes arrive in pieces at one
// connection's session, with and without fault injection. Every request the session
// takes must get the reply of its exact length with a valid checksum, what goes out
// must be that reply as the faults may shape it, and an accepted write must be read
// back byte for byte.
//
// Input: a configuration byte, a seed byte for the faults, then steps: a byte below
// 0x80 feeds the next (byte + 1) bytes; from 0x80 on, one "Cloud" sector is pushed.
// Configuration bits: 0 faults (drop, corrupt, noise, split), 1 request checksums
// repaired so that requests are taken, 2 long product reply, 3 inverted mounting,
// 4 the first write of area 5 refused, 5 parameter writes refused, 6 case writes
// refused, 7 the connection closes after a few requests (as a TCP one can).

#include "fuzzinput.h"
#include "randomareas.h"

#include "emulatedscanner.h"
#include "scannersession.h"

#include "core/link/crc16.h"
#include "core/link/framebuilders.h"

using namespace veltrix;

namespace {

constexpr quint8 FirstPush = 0x80;
constexpr int MaxPiece = FirstPush;

enum Config : quint8 {
    Faults = 1 << 0,
    RepairChecksums = 1 << 1,
    LongProductReply = 1 << 2,
    Inverted = 1 << 3,
    RefuseArea = 1 << 4,
    RefuseParameters = 1 << 5,
    RefuseCase = 1 << 6,
    Closing = 1 << 7,
};
constexpr int RefusedArea = 5;

ScannerConfig scannerConfig(quint8 config)
{
    ScannerConfig scanner;
    scanner.longProductReply = config & LongProductReply;
    scanner.inverted = config & Inverted;
    scanner.areaStatusArea = config & RefuseArea ? RefusedArea : -1;
    scanner.areaStatusValue = 2;
    scanner.parameterStatus = config & RefuseParameters ? 1 : 0;
    scanner.caseStatus = config & RefuseCase ? 2 : 0;
    return scanner;
}

DeliveryFaults deliveryFaults(quint8 config, quint8 seed)
{
    DeliveryFaults faults;
    if (config & Faults) {
        faults.dropFraction = 0.2;
        faults.corruptFraction = 0.3;
        faults.noiseFraction = 0.5;
        faults.splitMaxBytes = 1 + seed % 16;
    }
    if (config & Closing)
        faults.closeAfterFrames = 1 + seed % 4;
    return faults;
}

void repairChecksums(QByteArray &stream)
{
    for (int at = 0; at < stream.size(); ++at) {
        const FrameInfo *info = frameInfoFor(stream.constData() + at, stream.size() - at);
        if (info && info->requestLength > 0 && at + info->requestLength <= stream.size())
            putCrc(stream.data() + at, info->requestLength - CrcLength);
    }
}

// One reply and the bytes that went out for it.
struct Delivery
{
    QByteArray reply;
    bool hasCrc = false;
    QByteArray sent;
};

class SessionUnderFuzz
{
public:
    SessionUnderFuzz(quint8 config, quint8 seed)
        : m_faulty(config & Faults),
          m_scanner(scannerConfig(config)),
          m_session(&m_scanner, deliveryFaults(config, seed), seed)
    {
        m_session.setClosable(config & Closing);
        QObject::connect(&m_session, &ScannerSession::requestHandled,
                         [this](const QByteArray &request, const QByteArray &reply) { handled(request, reply); });
        QObject::connect(&m_session, &ScannerSession::closeRequested, [this] { ++m_closeRequests; });
        QObject::connect(&m_session, &ScannerSession::transmit, [this](const QByteArray &bytes) {
            if (m_pushing)
                m_sector += bytes;
            else if (!m_deliveries.isEmpty())
                m_deliveries.last().sent += bytes;
            else
                FUZZ_CHECK(!"bytes sent without a request");
        });
    }

    void feed(const QByteArray &bytes)
    {
        m_session.receive(bytes);
        for (const Delivery &delivery : m_deliveries)
            checkDelivery(delivery);
        m_deliveries.clear();
    }

    void pushSector()
    {
        m_pushing = true;
        m_sector.clear();
        m_session.pushCloudSector();
        m_pushing = false;
        FUZZ_CHECK(m_sector.size() >= CloudHeaderLength && m_sector.startsWith("Cloud"));
        const CloudHeader header = decodeCloudHeader(m_sector.constData());
        FUZZ_CHECK(m_sector.size() == CloudHeaderLength + CloudPointLength * header.count);
        FUZZ_CHECK(header.startBearing >= FirstCloudBearing && header.endBearing <= LastCloudSector
                   && header.endBearing - header.startBearing == EmulatedScanner::CloudSectorDegrees);
    }

private:
    void handled(const QByteArray &request, const QByteArray &reply)
    {
        // A connection that asked to be closed takes no more requests.
        FUZZ_CHECK(m_closeRequests == 0);
        const FrameInfo *info = frameInfoFor(request.constData(), request.size());
        FUZZ_CHECK(info && request.size() == info->requestLength);
        FUZZ_CHECK(checkCrc(request.constData(), request.size() - CrcLength));
        const int index = static_cast<quint8>(request.at(MnemonicLength));
        if (reply.isEmpty()) {
            FUZZ_CHECK(info->id == FrameId::RAuto || (info->id == FrameId::RArea && index > MaxAreaIndex));
        } else {
            const bool longForm = info->id == FrameId::RPrda && m_scanner.config().longProductReply;
            FUZZ_CHECK(reply.size() == (longForm ? ProductReplyLongLength : info->replyLength));
            FUZZ_CHECK(reply.left(MnemonicLength) == request.left(MnemonicLength));
            if (info->replyHasCrc)
                FUZZ_CHECK(checkCrc(reply.constData(), reply.size() - CrcLength));
        }
        const bool accepted = info->id != FrameId::RAuto && !reply.isEmpty() && reply.size() == AcknowledgeLength
            && reply.at(MnemonicLength) == 0;
        if (accepted && info->id == FrameId::WArea)
            checkReadBack(request, buildRArea, index);
        else if (accepted && info->id == FrameId::WCase)
            checkReadBack(request, [](FrameBuffer &buffer, int) { return buildRCase(buffer); }, 0);
        m_deliveries.append(Delivery{reply, info->replyHasCrc, QByteArray()});
    }

    // What an accepted write stored comes back unchanged under the read mnemonic.
    template<typename Build>
    void checkReadBack(const QByteArray &written, Build buildRead, int index)
    {
        FrameBuffer buffer;
        const QByteArray read(buffer.data(), buildRead(buffer, index));
        const QByteArray stored = m_scanner.handle(read).reply;
        const int payload = written.size() - MnemonicLength - CrcLength;
        FUZZ_CHECK(stored.size() == written.size());
        FUZZ_CHECK(stored.mid(MnemonicLength, payload) == written.mid(MnemonicLength, payload));
    }

    // Out went the reply, or with faults: nothing, or the reply after a little noise,
    // its checksum perhaps spoilt.
    void checkDelivery(const Delivery &delivery) const
    {
        if (delivery.sent.isEmpty()) {
            FUZZ_CHECK(delivery.reply.isEmpty() || m_faulty);
            return;
        }
        const int noise = static_cast<int>(delivery.sent.size() - delivery.reply.size());
        FUZZ_CHECK(noise >= 0 && noise <= (m_faulty ? FaultInjector::MaxNoiseBytes : 0));
        QByteArray body = delivery.sent.mid(noise);
        if (body != delivery.reply) {
            FUZZ_CHECK(m_faulty && delivery.hasCrc);
            body[body.size() - 1] = static_cast<char>(body.at(body.size() - 1) ^ 0x5A);
            FUZZ_CHECK(body == delivery.reply);
        }
    }

    bool m_faulty;
    EmulatedScanner m_scanner;
    ScannerSession m_session;
    QVector<Delivery> m_deliveries;
    bool m_pushing = false;
    QByteArray m_sector;
    int m_closeRequests = 0;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    ensureCoreApplication();
    FuzzInput input(data, size);
    const quint8 config = input.byte();
    const quint8 seed = input.byte();
    QVector<QByteArray> pieces;  // an empty piece pushes a sector
    QByteArray stream;
    while (!input.atEnd()) {
        const quint8 code = input.byte();
        pieces.append(code < FirstPush ? input.bytes(code + 1) : QByteArray());
        stream += pieces.last();
    }
    if (config & RepairChecksums)
        repairChecksums(stream);
    SessionUnderFuzz session(config, seed);
    int at = 0;
    for (const QByteArray &piece : pieces) {
        if (piece.isEmpty()) {
            session.pushSector();
            continue;
        }
        session.feed(stream.mid(at, piece.size()));
        at += static_cast<int>(piece.size());
    }
    return 0;
}

namespace {

QByteArray requestOf(int (*build)(FrameBuffer &))
{
    FrameBuffer buffer;
    return QByteArray(buffer.data(), build(buffer));
}

// A seed: configuration, fault seed, then the requests in pieces and sector pushes.
QByteArray seed(quint8 config, quint8 faultSeed, const QList<QByteArray> &requests, int piece)
{
    QByteArray bytes;
    bytes.append(static_cast<char>(config));
    bytes.append(static_cast<char>(faultSeed));
    for (const QByteArray &request : requests) {
        if (request.isEmpty()) {
            bytes.append(static_cast<char>(FirstPush));
            continue;
        }
        for (int at = 0; at < request.size(); at += piece) {
            const QByteArray chunk = request.mid(at, piece);
            bytes.append(static_cast<char>(chunk.size() - 1));
            bytes.append(chunk);
        }
    }
    return bytes;
}

}  // namespace

QList<FuzzSeed> fuzzSeeds()
{
    QRandomGenerator random(14);
    QVector<AreaRecord> areas(AreaCount);
    for (int i = 0; i < AreaCount; ++i)
        areas[i] = randomareas::area(random, 5400, i == 0);
    SimulationBlock simulation;
    simulation.inputSimulationOn = 1;
    simulation.simulatedInputs = 5;
    simulation.steeringAngle = -30;
    simulation.vehicleSpeed = 120;
    SimulationBlock caseSimulation;
    caseSimulation.caseSimulationOn = 1;
    caseSimulation.steeringAngle = areas.at(9).steerMinDgree;
    caseSimulation.vehicleSpeed = areas.at(9).vehicleMinSpeed;
    caseSimulation.operationMode = areas.at(9).vehicleOptionMode;
    caseSimulation.outputSimulationOn = 1;
    caseSimulation.simulatedOutputs = 5;
    caseSimulation.faultSimulationOn = 1;
    caseSimulation.simulatedFault = 3;

    FrameBuffer buffer;
    const auto built = [&buffer](int length) { return QByteArray(buffer.data(), length); };
    const QList<QByteArray> reads = {
        requestOf(buildRPrda), requestOf(buildRPara), built(buildRArea(buffer, 0)), built(buildRArea(buffer, 64)),
        requestOf(buildRCase), requestOf(buildRScan), requestOf(buildRStre), requestOf(buildRBoot),
    };
    const QList<QByteArray> writes = {
        built(buildWPara(buffer, randomareas::parameters(14))),
        built(buildWArea(buffer, areas.at(0), 0, false)),
        built(buildWArea(buffer, areas.at(1), RefusedArea, true)),
        built(buildWCase(buffer, areas)),
        built(buildWSimu(buffer, simulation)),
        built(buildWSimu(buffer, caseSimulation)),
        built(buildRArea(buffer, RefusedArea)),
        built(buildWArea(buffer, areas.at(2), 64, false)),
    };
    const QList<QByteArray> stream = {
        built(buildRAuto(buffer, true)), QByteArray(), QByteArray(), QByteArray("\x01zRAr"),
        built(buildRAuto(buffer, false)), requestOf(buildRPara),
    };
    return {
        {"reads", seed(0, 0, reads, MaxPiece)},
        {"reads_long_product_faults", seed(LongProductReply | Faults, 7, reads, 33)},
        {"writes", seed(RefuseArea, 0, writes, MaxPiece)},
        {"writes_refused_faults", seed(RefuseArea | RefuseParameters | RefuseCase | Faults, 3, writes, 100)},
        {"writes_inverted_repaired", seed(Inverted | RepairChecksums, 0, writes, 64)},
        {"cloud_stream", seed(Faults, 11, stream, 5)},
        {"closing_connection", seed(Closing | RepairChecksums, 2, reads, 17)},
    };
}
