#include "core/link/writealltransaction.h"

#include "core/link/areapayload.h"
#include "core/link/configurationchecksum.h"
#include "core/link/configurationdiff.h"
#include "core/link/configurationtravel.h"

namespace veltrix {

namespace {

int statusOf(const QByteArray &acknowledge)
{
    return static_cast<quint8>(acknowledge.at(MnemonicLength));
}

}  // namespace

WriteAllTransaction::WriteAllTransaction(const ScannerConfiguration &snapshot, WriteCheck check,
                                         QObject *parent)
    : LinkTransaction(TransactionKind::WriteAll, parent), m_snapshot(snapshot), m_check(check)
{
    m_snapshot.areas.resize(AreaCount);
}

bool WriteAllTransaction::findUnsendable(const ScannerConfiguration &configuration,
                                         UnsendableArea *found)
{
    for (int i = 0; i < configuration.areas.size(); ++i) {
        const AreaRecord &area = configuration.areas.at(i);
        const int oversized = oversizedField(area);
        const int outOfRange = oversized < 0 ? outOfRangeField(area) : -1;
        if (oversized < 0 && outOfRange < 0)
            continue;
        UnsendableArea unsendable;
        unsendable.area = i;
        unsendable.field = oversized >= 0 ? oversized : outOfRange;
        unsendable.reason = oversized >= 0 ? UnsendableArea::TooManyVertices
                                           : UnsendableArea::PointOutOfRange;
        unsendable.vertexCount = area.points(unsendable.field).size();
        if (found)
            *found = unsendable;
        return true;
    }
    return false;
}

bool WriteAllTransaction::begin()
{
    if (!findUnsendable(m_snapshot, &m_result.unsendable))
        return true;
    finish(TransactionOutcome::NotSendable);
    return false;
}

bool WriteAllTransaction::wants(SERIAL_COMM::RequestFlag flag) const
{
    if (isWaiting() || isFinished())
        return false;
    if (flag == SERIAL_COMM::RebootFlag)
        return m_rebootWanted;
    if (m_readBack)
        return m_readBack->wants(flag);
    switch (flag) {
    case SERIAL_COMM::WriteAreasFlag: return !m_areasWritten;
    case SERIAL_COMM::WriteCaseFlag: return !m_caseWritten;
    case SERIAL_COMM::WriteParametersFlag: return !m_parametersWritten;
    default: return false;
    }
}

int WriteAllTransaction::progressSteps() const
{
    return m_check == WriteCheck::ReadBack ? 2 * AreaCount : AreaCount;
}

int WriteAllTransaction::buildRequest(SERIAL_COMM::RequestFlag flag, FrameBuffer &buffer,
                                      const LinkConfiguration &)
{
    if (flag == SERIAL_COMM::RebootFlag)
        return buildRBoot(buffer);
    if (m_readBack) {
        if (flag == SERIAL_COMM::ReadAreasFlag)
            setProgress(AreaCount + m_readBack->areaIndex(), progressSteps());
        return m_readBack->buildRequest(flag, buffer);
    }
    switch (flag) {
    case SERIAL_COMM::WriteAreasFlag: {
        // The mounting the scanner has once the parameters are written, not the one
        // it has now: a write that turns the scanner round mirrors its areas too.
        const int length = buildWArea(buffer, m_snapshot.areas.at(m_areaIndex), m_areaIndex,
                                      travelsInverted(m_snapshot));
        if (length > 0)
            setProgress(m_areaIndex, progressSteps());
        return length;
    }
    case SERIAL_COMM::WriteCaseFlag:
        return buildWCase(buffer, m_snapshot.areas);
    case SERIAL_COMM::WriteParametersFlag:
        return buildWPara(buffer, m_snapshot.parameters);
    default:
        return 0;
    }
}

bool WriteAllTransaction::accepts(FrameId id, const QByteArray &frame) const
{
    if (!LinkTransaction::accepts(id, frame))
        return false;
    if (id == FrameId::RBoot)
        return m_rebootWanted;
    if (m_readBack)
        return m_readBack->accepts(id, frame);
    switch (id) {
    case FrameId::WArea: return !m_areasWritten;
    case FrameId::WCase: return !m_caseWritten;
    case FrameId::WPara: return !m_parametersWritten;
    default: return false;
    }
}

void WriteAllTransaction::takeReply(FrameId id, const QByteArray &frame,
                                    const LinkConfiguration &configuration)
{
    if (m_readBack && id != FrameId::RBoot) {
        readBackTaken(id, frame, configuration.invertedMount);
        return;
    }
    switch (id) {
    case FrameId::WArea:
        areaAnswered(statusOf(frame));
        break;
    case FrameId::WCase:
        m_caseWritten = true;
        stepAnswered(id, statusOf(frame));
        break;
    case FrameId::WPara:
        m_parametersWritten = true;
        stepAnswered(id, statusOf(frame));
        // The write ends here unless everything was accepted; only then is it read
        // back and a restart offered (the scanner holds part of what was sent otherwise).
        if (!m_result.notWritten.isEmpty())
            finish(TransactionOutcome::Refused);
        else
            everythingWritten();
        break;
    case FrameId::RBoot:
        m_rebootWanted = false;
        m_result.rebooted = true;
        finish(TransactionOutcome::Complete);
        break;
    default:
        break;
    }
}

void WriteAllTransaction::everythingWritten()
{
    if (m_check == WriteCheck::None)
        askRestart();
    else
        m_readBack.emplace();  // the next send tick asks for the parameters
}

void WriteAllTransaction::readBackTaken(FrameId id, const QByteArray &frame, bool inverted)
{
    switch (m_readBack->take(id, frame, inverted)) {
    case ConfigurationReading::Step::Parameters:
        emit mountingRead(m_readBack->readInverted());
        return;
    case ConfigurationReading::Step::Case:
        return;
    case ConfigurationReading::Step::Area:
        break;
    }
    setProgress(AreaCount + m_readBack->areaIndex(), progressSteps());
    if (!m_readBack->isDone())
        return;
    m_result.configuration = m_readBack->configuration();
    m_result.differences = compareConfigurations(m_snapshot, m_result.configuration);
    m_result.verified = true;
    // What the scanner holds is not what was written: a failed write, and no restart
    // into it is offered.
    if (!m_result.differences.isEmpty())
        finish(TransactionOutcome::Differs);
    else
        askRestart();
}

void WriteAllTransaction::askRestart()
{
    TransactionQuestion question{TransactionQuestion::Restart, RefusedStep()};
    question.verified = m_result.verified;
    if (m_result.verified)
        question.checksum = configurationChecksum(m_result.configuration).value_or(0);
    ask(question);
}

void WriteAllTransaction::areaAnswered(int status)
{
    if (status == 0) {
        ++m_areaIndex;
        setProgress(m_areaIndex, progressSteps());
        if (m_areaIndex >= AreaCount) {
            m_areaIndex = 0;
            m_areasWritten = true;
        }
        return;
    }
    const RefusedStep refused{FrameId::WArea, m_areaIndex, status};
    // A scanner that refuses an area every time would otherwise keep the write going
    // forever.
    if (m_repeats >= AreaWriteRepeats) {
        m_result.stopped = true;
        m_result.stoppedAt = refused;
        finish(TransactionOutcome::Refused);
        return;
    }
    ++m_repeats;
    if (status == 1) {
        m_areaIndex = 0;
        ask(TransactionQuestion{TransactionQuestion::AreaWriteRefused, refused});
    } else {
        emit stepRefused(refused);  // the same area is sent again
    }
}

void WriteAllTransaction::stepAnswered(FrameId request, int status)
{
    if (status == 0)
        return;
    const RefusedStep refused{request, -1, status};
    m_result.notWritten.append(refused);
    emit stepRefused(refused);
}

void WriteAllTransaction::replyTimedOut()
{
    // Area writing starts again at area 0; a read-back asks for the same step again.
    if (!m_readBack)
        m_areaIndex = 0;
}

void WriteAllTransaction::answered(int choice)
{
    if (!m_parametersWritten)
        return;  // after a refused area: writing goes on from area 0
    if (choice == 0)
        m_rebootWanted = true;
    else
        finish(TransactionOutcome::Complete);
}

}  // namespace veltrix
