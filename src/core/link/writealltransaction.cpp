#include "core/link/writealltransaction.h"

#include "core/link/areapayload.h"

namespace veltrix {

namespace {

int statusOf(const QByteArray &acknowledge)
{
    return static_cast<quint8>(acknowledge.at(MnemonicLength));
}

}  // namespace

WriteAllTransaction::WriteAllTransaction(const ScannerConfiguration &snapshot, QObject *parent)
    : LinkTransaction(TransactionKind::WriteAll, parent), m_snapshot(snapshot)
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
    switch (flag) {
    case SERIAL_COMM::WriteAreasFlag: return !m_areasWritten;
    case SERIAL_COMM::WriteCaseFlag: return !m_caseWritten;
    case SERIAL_COMM::WriteParametersFlag: return !m_parametersWritten;
    case SERIAL_COMM::RebootFlag: return m_rebootWanted;
    default: return false;
    }
}

int WriteAllTransaction::buildRequest(SERIAL_COMM::RequestFlag flag, FrameBuffer &buffer,
                                      const LinkConfiguration &configuration)
{
    switch (flag) {
    case SERIAL_COMM::WriteAreasFlag: {
        const int length = buildWArea(buffer, m_snapshot.areas.at(m_areaIndex), m_areaIndex,
                                      configuration.invertedMount);
        if (length > 0)
            setProgress(m_areaIndex, AreaCount);
        return length;
    }
    case SERIAL_COMM::WriteCaseFlag:
        return buildWCase(buffer, m_snapshot.areas);
    case SERIAL_COMM::WriteParametersFlag:
        return buildWPara(buffer, m_snapshot.parameters);
    case SERIAL_COMM::RebootFlag:
        return buildRBoot(buffer);
    default:
        return 0;
    }
}

bool WriteAllTransaction::accepts(FrameId id, const QByteArray &frame) const
{
    if (!LinkTransaction::accepts(id, frame))
        return false;
    switch (id) {
    case FrameId::WArea: return !m_areasWritten;
    case FrameId::WCase: return !m_caseWritten;
    case FrameId::WPara: return !m_parametersWritten;
    case FrameId::RBoot: return m_rebootWanted;
    default: return false;
    }
}

void WriteAllTransaction::takeReply(FrameId id, const QByteArray &frame, const LinkConfiguration &)
{
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
        // The write ends here unless everything was accepted; only then is a restart
        // offered (the scanner holds part of what was sent otherwise).
        if (!m_result.notWritten.isEmpty())
            finish(TransactionOutcome::Refused);
        else
            ask(TransactionQuestion{TransactionQuestion::Restart, RefusedStep()});
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

void WriteAllTransaction::areaAnswered(int status)
{
    if (status == 0) {
        ++m_areaIndex;
        setProgress(m_areaIndex, AreaCount);
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
    // Area writing starts again at area 0.
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
