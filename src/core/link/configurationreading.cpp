#include "core/link/configurationreading.h"

#include "core/link/areapayload.h"
#include "core/link/payloads.h"

namespace veltrix {

ConfigurationReading::ConfigurationReading(const ScannerConfiguration &base)
    : m_staged(base)
{
    m_staged.areas.resize(AreaCount);
}

bool ConfigurationReading::wants(SERIAL_COMM::RequestFlag flag) const
{
    switch (flag) {
    case SERIAL_COMM::ReadParametersFlag: return !m_parametersRead;
    case SERIAL_COMM::ReadCaseFlag: return !m_caseRead;
    case SERIAL_COMM::ReadAreasFlag: return m_areaIndex < AreaCount;
    default: return false;
    }
}

int ConfigurationReading::buildRequest(SERIAL_COMM::RequestFlag flag, FrameBuffer &buffer) const
{
    switch (flag) {
    case SERIAL_COMM::ReadParametersFlag: return buildRPara(buffer);
    case SERIAL_COMM::ReadCaseFlag: return buildRCase(buffer);
    case SERIAL_COMM::ReadAreasFlag: return isDone() ? 0 : buildRArea(buffer, m_areaIndex);
    default: return 0;
    }
}

bool ConfigurationReading::accepts(FrameId id, const QByteArray &frame) const
{
    switch (id) {
    case FrameId::RPara: return !m_parametersRead;
    case FrameId::RCase: return !m_caseRead;
    case FrameId::RArea: return !isDone() && areaIndexOf(frame.constData()) == m_areaIndex;
    default: return false;
    }
}

ConfigurationReading::Step ConfigurationReading::take(FrameId id, const QByteArray &frame, bool inverted)
{
    switch (id) {
    case FrameId::RPara:
        decodeParameterReply(frame.constData(), m_staged.parameters);
        m_parametersRead = true;
        return Step::Parameters;
    case FrameId::RCase:
        decodeCase(frame.constData(), m_staged.areas);
        m_caseRead = true;
        return Step::Case;
    default:
        decodeArea(frame.constData(), m_staged.areas[m_areaIndex], inverted);
        ++m_areaIndex;
        return Step::Area;
    }
}

bool ConfigurationReading::readInverted() const
{
    return m_staged.parameters[InstallDirectionWord] != 0;
}

}  // namespace veltrix
