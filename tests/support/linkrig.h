#pragma once

// The program's link engine with a scanner at its other end, for the link tests, the
// end-to-end tests, the link fuzz target and the benchmarks: either the in-process
// emulator scanner behind a fake device (requests reach it as they are written, its
// replies reach the link when delivered), or a real serial port, TCP or UDP connection
// to an emulator opened through ScannerConnection. Every transaction's refusals,
// questions and result are recorded; questions are answered by a policy the test sets.

#include "fakedevice.h"
#include "waituntil.h"

#include "emulatedscanner.h"
#include "scannersession.h"

#include "core/connect/scannerconnection.h"
#include "core/connect/serialsettings.h"
#include "core/link/linktransaction.h"
#include "core/link/readalltransaction.h"
#include "core/link/serialcomm.h"
#include "core/link/writealltransaction.h"

#include <QPointer>
#include <QSerialPort>

#include <functional>
#include <memory>

namespace veltrix::testing {

class LinkRig
{
public:
    static constexpr quint16 ScannerPort = ScannerConnection::ScannerPort;

    // The in-process scanner behind the fake device, on the interface given, its
    // replies shaped by faults (seeded, so a run repeats).
    explicit LinkRig(const ScannerConfig &config = ScannerConfig(), int connectType = SerialInterface,
                     int ethernetMode = TcpMode, const DeliveryFaults &faults = DeliveryFaults())
        : connection(&link), scanner(config), session(&scanner, faults, 1)
    {
        link.SetConnectType(connectType);
        link.SetEthernetMode(ethernetMode);
        link.setDevice(&device);
        device.onWrite = [this](const QByteArray &request) { session.receive(request); };
        QObject::connect(&session, &ScannerSession::transmit, &session, [this](const QByteArray &bytes) {
            undelivered.append(bytes);
            if (deliverAtOnce)
                QMetaObject::invokeMethod(&session, [this] { deliver(); }, Qt::QueuedConnection);
        });
        QObject::connect(&link, &SERIAL_COMM::TransactionStarted, &link, [this](LinkTransaction *t) {
            watch(t);
        });
        QObject::connect(&link, &SERIAL_COMM::TransactionFinished, &link,
                         [this](const TransactionResult &result) { results.append(result); });
        QObject::connect(&link, &SERIAL_COMM::TimedOutSignal, &link, [this] { ++timeouts; });
    }

    SERIAL_COMM link;
    ScannerConnection connection;
    FakeDevice device;
    EmulatedScanner scanner;
    ScannerSession session;

    // What the in-process scanner sent and the link has not been given yet.
    QList<QByteArray> undelivered;
    // False: replies reach the link only through deliver() (the tests tick by hand);
    // true: by the event loop, as over a real line.
    bool deliverAtOnce = false;

    QList<TransactionResult> results;
    QList<TransactionQuestion> questions;
    QList<RefusedStep> refusals;
    int timeouts = 0;
    // The answer to each question, given at once; by default writing goes on after a
    // refused area and the scanner is not restarted.
    std::function<int(const TransactionQuestion &)> answer = [](const TransactionQuestion &q) {
        return q.kind == TransactionQuestion::Restart ? 1 : 0;
    };
    // While set, questions wait for answerNow().
    bool holdAnswers = false;
    QPointer<LinkTransaction> asking;

    // ---- the in-process scanner, by hand ----

    // One send tick; the request it wrote, or an empty array.
    QByteArray tick()
    {
        const int before = device.written.size();
        link.SerialPortSendData();
        return device.written.size() > before ? device.written.last() : QByteArray();
    }

    // Everything the scanner sent so far, into the link.
    void deliver()
    {
        while (!undelivered.isEmpty())
            device.feed(undelivered.takeFirst());
    }

    // One tick and the scanner's answer to it.
    QByteArray exchange()
    {
        const QByteArray request = tick();
        deliver();
        return request;
    }

    // Ticks and delivers until a tick sends nothing; the requests sent.
    QList<QByteArray> runToQuiet(int limit = 400)
    {
        QList<QByteArray> requests;
        for (int i = 0; i < limit; ++i) {
            const QByteArray request = exchange();
            if (request.isEmpty())
                break;
            requests.append(request);
        }
        return requests;
    }

    void answerNow(int choice)
    {
        if (asking)
            asking->answer(choice);
    }

    // ---- real lines ----

    bool connectTcp(const QString &address) { return connectEthernet(address, TcpMode); }
    bool connectUdp(const QString &address) { return connectEthernet(address, UdpMode); }

    bool openSerial(const QString &devicePath)
    {
        SerialSettings settings;
        settings.baudRate = QSerialPort::Baud115200;
        connection.openSerial(devicePath, settings);
        return connection.isOpen();
    }

    // ---- whole transfers, in real time ----

    // Runs a read-all or write-all until it ends; true when it ended complete.
    bool readAll(int timeoutMs = 15000)
    {
        return finishes(link.startTransaction(std::make_unique<ReadAllTransaction>()), timeoutMs);
    }
    bool writeAll(const ScannerConfiguration &configuration, int timeoutMs = 15000)
    {
        return finishes(link.startTransaction(std::make_unique<WriteAllTransaction>(configuration)),
                        timeoutMs);
    }
    // The configuration the last complete read-all brought.
    ScannerConfiguration lastRead() const
    {
        for (int i = results.size() - 1; i >= 0; --i) {
            if (results.at(i).kind == TransactionKind::ReadAll && results.at(i).isComplete())
                return results.at(i).configuration;
        }
        return ScannerConfiguration();
    }
    const TransactionResult &lastResult() const { return results.last(); }

    int countResults(TransactionKind kind, TransactionOutcome outcome) const
    {
        int count = 0;
        for (const TransactionResult &result : results)
            count += result.kind == kind && result.outcome == outcome ? 1 : 0;
        return count;
    }

    static bool waitUntil(const std::function<bool()> &done, int timeoutMs)
    {
        return veltrix::testing::waitUntil(done, timeoutMs);
    }

private:
    void watch(LinkTransaction *transaction)
    {
        QObject::connect(transaction, &LinkTransaction::stepRefused, &link,
                         [this](const RefusedStep &step) { refusals.append(step); });
        QPointer<LinkTransaction> guarded(transaction);
        QObject::connect(transaction, &LinkTransaction::asks, &link, [this, guarded](const TransactionQuestion &q) {
            questions.append(q);
            asking = guarded;
            if (!holdAnswers && guarded)
                guarded->answer(answer(q));
        });
    }

    bool connectEthernet(const QString &address, int mode)
    {
        connection.openEthernet(address, mode);
        return waitUntil([this] { return connection.state() != ScannerConnection::State::Opening; }, 3000)
            && connection.isOpen();
    }

    bool finishes(LinkTransaction *transaction, int timeoutMs)
    {
        Q_UNUSED(transaction)
        const int before = results.size();
        if (!waitUntil([&] { return results.size() > before; }, timeoutMs))
            return false;
        return results.last().isComplete();
    }
};

}  // namespace veltrix::testing
