#include "cli/scannerjob.h"

#include "cli/clioutput.h"
#include "core/connect/serialsettings.h"
#include "core/link/configurationchecksum.h"
#include "core/link/linkconfiguration.h"
#include "core/link/linktransaction.h"
#include "core/link/readalltransaction.h"
#include "core/link/transfertexts.h"
#include "core/link/verifytransaction.h"

#include <QStringList>

namespace veltrix::cli {

namespace {

// The answer that restarts the scanner (the question's first button), and the one
// that does not.
constexpr int RestartNow = 0;
constexpr int NoRestart = 1;

QString connectionFaultText(ScannerConnection::Failure reason, const Target &target, const QString &detail)
{
    QString text;
    switch (reason) {
    case ScannerConnection::Failure::SerialNotOpened:
        text = Cli::tr("无法打开串口 %1").arg(target.address);
        break;
    case ScannerConnection::Failure::BadAddress:
        text = Cli::tr("“%1”不是 IPv4 地址").arg(target.address);
        break;
    case ScannerConnection::Failure::NotReached:
        text = Cli::tr("无法连接 %1").arg(target.address);
        break;
    case ScannerConnection::Failure::ConnectionLost:
        text = Cli::tr("与 %1 的连接已断开").arg(target.address);
        break;
    case ScannerConnection::Failure::SerialPortGone:
        text = Cli::tr("串口 %1 已不可用").arg(target.address);
        break;
    }
    return detail.isEmpty() ? text : Cli::tr("%1：%2").arg(text, detail);
}

}  // namespace

ScannerJob::ScannerJob(const Target &target, const JobRequest &request, QObject *parent)
    : QObject(parent),
      m_target(target),
      m_request(request),
      m_ethernetMode(target.kind == Target::Kind::Udp ? UdpMode : TcpMode),
      m_connection(&m_link)
{
    connect(&m_connection, &ScannerConnection::opened, this, &ScannerJob::opened);
    connect(&m_connection, &ScannerConnection::failed, this, &ScannerJob::connectionFailed);
    connect(&m_link, &SERIAL_COMM::TransactionStarted, this, &ScannerJob::transactionStarted);
    connect(&m_link, &SERIAL_COMM::TransactionFinished, this, &ScannerJob::transactionFinished);
}

ScannerJob::~ScannerJob()
{
    m_connection.disconnect(this);
    m_link.disconnect(this);
}

QString ScannerJob::interfaceName() const
{
    if (!m_target.isEthernet())
        return QStringLiteral("serial");
    return m_ethernetMode == UdpMode ? QStringLiteral("udp") : QStringLiteral("tcp");
}

void ScannerJob::start()
{
    m_clock.start();
    setPhase(Phase::Connecting);
    if (m_target.isEthernet()) {
        m_connection.openEthernet(m_target.address, m_ethernetMode);
        return;
    }
    SerialSettings settings;
    settings.baudRate = m_target.baudRate;
    m_connection.openSerial(m_target.address, settings);
}

void ScannerJob::opened()
{
    switch (m_request.kind) {
    case JobRequest::Kind::Read:
        m_link.startTransaction(std::make_unique<ReadAllTransaction>());
        break;
    case JobRequest::Kind::Write:
        m_link.startTransaction(std::make_unique<WriteAllTransaction>(m_request.configuration, m_request.check));
        break;
    case JobRequest::Kind::Verify:
        m_link.startTransaction(std::make_unique<VerifyTransaction>(m_request.configuration));
        break;
    }
}

void ScannerJob::transactionStarted(LinkTransaction *transaction)
{
    setPhase(transaction->kind() == TransactionKind::WriteAll ? Phase::Writing : Phase::Reading);
    auto *writing = qobject_cast<WriteAllTransaction *>(transaction);
    // Counted in areas: a write-all that reads back counts them twice, once each way.
    connect(transaction, &LinkTransaction::progressChanged, this, [this, writing](int step, int) {
        const bool readingBack = writing && writing->isReadingBack();
        if (readingBack)
            m_phase = Phase::ReadingBack;
        m_step = readingBack ? step - AreaCount : step;
        m_steps = AreaCount;
        emit changed();
    });
    connect(transaction, &LinkTransaction::asks, this, [this, transaction](const TransactionQuestion &question) {
        if (question.kind != TransactionQuestion::Restart) {
            transaction->answer(0);  // writing goes on from area 0, as many times as the link allows
            return;
        }
        if (m_request.reboot)
            setPhase(Phase::Restarting);
        transaction->answer(m_request.reboot ? RestartNow : NoRestart);
    });
}

void ScannerJob::transactionFinished(const TransactionResult &result)
{
    m_finished = result;
    // A connection that went away ends the transaction first and says why just after.
    QMetaObject::invokeMethod(this, &ScannerJob::conclude, Qt::QueuedConnection);
}

void ScannerJob::connectionFailed(ScannerConnection::Failure reason, const QString &detail)
{
    m_connectionFault = connectionFaultText(reason, m_target, detail);
    if (!m_finished)
        QMetaObject::invokeMethod(this, &ScannerJob::conclude, Qt::QueuedConnection);
}

void ScannerJob::conclude()
{
    if (m_concluding)
        return;
    m_concluding = true;
    if (!m_finished) {
        m_outcome = Outcome::LinkFailure;
        m_message = m_connectionFault;
    } else {
        m_result = *m_finished;
        switch (m_result.outcome) {
        case TransactionOutcome::Complete:
            if (m_result.kind == TransactionKind::ReadAll)
                m_outcome = Outcome::Read;
            else
                m_outcome = m_result.verified ? Outcome::Identical : Outcome::Written;
            break;
        case TransactionOutcome::Differs:
            m_outcome = Outcome::Differs;
            m_message = m_result.kind == TransactionKind::WriteAll
                ? transfertexts::writeDiffersText(m_result.differences.size())
                : Cli::tr("传感器中的设置与文档有 %1 处不同。").arg(m_result.differences.size());
            break;
        case TransactionOutcome::Refused:
        case TransactionOutcome::NotSendable: {
            m_outcome = Outcome::Refused;
            QStringList texts;
            for (const UserMessage &message : transfertexts::resultMessages(m_result))
                texts << message.text;
            m_message = texts.join(QLatin1Char(' ')).replace(QLatin1Char('\n'), QLatin1Char(' '));
            break;
        }
        case TransactionOutcome::TimedOut:
            m_outcome = Outcome::LinkFailure;
            m_message = Cli::tr("传感器没有应答（连续 %1 次超时）").arg(SERIAL_COMM::TimeoutsBeforeWarning + 1);
            break;
        default:
            m_outcome = Outcome::LinkFailure;
            m_message = m_connectionFault.isEmpty() ? Cli::tr("与传感器的连接已断开") : m_connectionFault;
            break;
        }
    }
    m_connection.close();
    m_elapsedMs = m_clock.elapsed();
    setPhase(Phase::Done);
    emit finished();
}

void ScannerJob::setPhase(Phase phase)
{
    if (phase != m_phase) {
        m_phase = phase;
        m_step = 0;
        m_steps = 0;
    }
    emit changed();
}

int ScannerJob::exitCode() const
{
    switch (m_outcome) {
    case Outcome::Identical:
    case Outcome::Written:
    case Outcome::Read:
        return ExitDone;
    case Outcome::Differs:
    case Outcome::Refused:
        return ExitDifferences;
    case Outcome::LinkFailure:
    case Outcome::Pending:
        return ExitLinkFailure;
    }
    return ExitLinkFailure;
}

std::optional<quint32> ScannerJob::scannerChecksum() const
{
    const bool read = m_outcome == Outcome::Read || m_outcome == Outcome::Identical
        || (m_outcome == Outcome::Differs && m_result.verified);
    if (!read)
        return std::nullopt;
    return configurationChecksum(m_result.configuration);
}

}  // namespace veltrix::cli
