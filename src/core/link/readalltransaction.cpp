#include "core/link/readalltransaction.h"

#include "core/link/areapayload.h"

namespace veltrix {

ReadAllTransaction::ReadAllTransaction(const ScannerConfiguration &base, QObject *parent)
    : LinkTransaction(TransactionKind::ReadAll, parent)
{
    m_result.configuration = base;
    m_result.configuration.areas.resize(AreaCount);
}

bool ReadAllTransaction::wants(SERIAL_COMM::RequestFlag flag) const
{
    if (isWaiting() || isFinished())
        return false;
    switch (flag) {
    case SERIAL_COMM::ReadParametersFlag: return !m_parametersRead;
    case SERIAL_COMM::ReadCaseFlag: return !m_caseRead;
    case SERIAL_COMM::ReadAreasFlag: return m_areaIndex < AreaCount;
    default: return false;
    }
}

int ReadAllTransaction::buildRequest(SERIAL_COMM::RequestFlag flag, FrameBuffer &buffer,
                                     const LinkConfiguration &)
{
    switch (flag) {
    case SERIAL_COMM::ReadParametersFlag:
        return buildRPara(buffer);
    case SERIAL_COMM::ReadCaseFlag:
        return buildRCase(buffer);
    case SERIAL_COMM::ReadAreasFlag:
        setProgress(m_areaIndex, AreaCount);
        return buildRArea(buffer, m_areaIndex);
    default:
        return 0;
    }
}

bool ReadAllTransaction::accepts(FrameId id, const QByteArray &frame) const
{
    if (!LinkTransaction::accepts(id, frame))
        return false;
    switch (id) {
    case FrameId::RPara: return !m_parametersRead;
    case FrameId::RCase: return !m_caseRead;
    // A late answer to an area asked for again after a time-out, or one left over
    // from an earlier read-all, is not the area asked for now; an index above 63 names
    // no area at all (the time-out asks for the area again).
    case FrameId::RArea: return m_areaIndex < AreaCount && areaIndexOf(frame.constData()) == m_areaIndex;
    default: return false;
    }
}

void ReadAllTransaction::takeReply(FrameId id, const QByteArray &frame,
                                   const LinkConfiguration &configuration)
{
    ScannerConfiguration &staged = m_result.configuration;
    switch (id) {
    case FrameId::RPara:
        decodeParameterReply(frame.constData(), staged.parameters);
        m_parametersRead = true;
        emit mountingRead(staged.parameters[InstallDirectionWord] != 0);
        break;
    case FrameId::RCase:
        decodeCase(frame.constData(), staged.areas);
        m_caseRead = true;
        break;
    case FrameId::RArea:
        decodeArea(frame.constData(), staged.areas[m_areaIndex], configuration.invertedMount);
        ++m_areaIndex;
        setProgress(m_areaIndex, AreaCount);
        if (m_areaIndex >= AreaCount)
            finish(TransactionOutcome::Complete);
        break;
    default:
        break;
    }
}

}  // namespace veltrix
