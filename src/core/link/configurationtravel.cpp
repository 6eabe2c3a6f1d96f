#include "core/link/configurationtravel.h"

#include "core/link/areapayload.h"
#include "core/link/crc16.h"
#include "core/link/framebuilders.h"
#include "core/link/frames.h"
#include "core/link/payloads.h"

namespace veltrix {

namespace {

QByteArray payloadOf(const FrameBuffer &buffer, int frameLength)
{
    return QByteArray(buffer.data() + MnemonicLength, frameLength - MnemonicLength - CrcLength);
}

// Exactly 64 records, as the case frame needs them; a shorter list is filled with
// empty areas.
QVector<AreaRecord> allAreas(const QVector<AreaRecord> &areas)
{
    QVector<AreaRecord> all = areas.mid(0, AreaCount);
    all.resize(AreaCount);
    return all;
}

}  // namespace

bool travelsInverted(const ScannerConfiguration &configuration)
{
    return configuration.parameters[InstallDirectionWord] != 0;
}

QByteArray parameterPayload(const SensorParameters &parameters)
{
    FrameBuffer buffer;
    return payloadOf(buffer, buildWPara(buffer, parameters));
}

QByteArray casePayload(const QVector<AreaRecord> &areas)
{
    FrameBuffer buffer;
    return payloadOf(buffer, buildWCase(buffer, allAreas(areas)));
}

std::optional<QByteArray> areaPayload(const AreaRecord &area, int index, bool inverted)
{
    FrameBuffer buffer;
    const int length = buildWArea(buffer, area, index, inverted);
    if (length == 0)
        return std::nullopt;
    return payloadOf(buffer, length);
}

QByteArray caseRecordOf(const QByteArray &casePayload, int index)
{
    return casePayload.mid((CaseOffset - MnemonicLength) + CaseRecordLength * index, CaseRecordLength);
}

std::optional<FieldLocation> fieldThatCannotTravel(const ScannerConfiguration &configuration)
{
    for (int area = 0; area < AreaCount; ++area) {
        const AreaRecord record = configuration.areas.value(area);
        const int oversized = oversizedField(record);
        const int outOfRange = outOfRangeField(record);
        if (oversized >= 0 || outOfRange >= 0) {
            const int field = oversized < 0 ? outOfRange : outOfRange < 0 ? oversized
                                                                          : qMin(oversized, outOfRange);
            return FieldLocation{area, field};
        }
    }
    return std::nullopt;
}

TravelledConfiguration afterTravel(const ScannerConfiguration &configuration)
{
    TravelledConfiguration result;
    ScannerConfiguration &held = result.configuration;
    held.areas = allAreas(configuration.areas);

    FrameBuffer buffer;
    buildWPara(buffer, configuration.parameters);
    held.parameters.words.fill(0);
    decodeParameterWrite(buffer.data(), held.parameters);

    const bool inverted = travelsInverted(configuration);
    for (int index = 0; index < AreaCount; ++index) {
        AreaRecord &area = held.areas[index];
        if (buildWArea(buffer, area, index, inverted) == 0)
            continue;
        AreaRecord back;
        decodeArea(buffer.data(), back, inverted);
        area = back;
        result.travelled[static_cast<size_t>(index)] = true;
    }
    buildWCase(buffer, allAreas(configuration.areas));
    decodeCase(buffer.data(), held.areas);
    return result;
}

}  // namespace veltrix
