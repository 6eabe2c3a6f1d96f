#include "core/link/configurationchecksum.h"

#include "core/link/configurationtravel.h"
#include "core/link/crc32.h"

namespace veltrix {

namespace {

constexpr int ChecksumDigits = 8;
constexpr int Hexadecimal = 16;

quint32 update(quint32 state, const QByteArray &bytes)
{
    return crc32Update(state, bytes.constData(), bytes.size());
}

}  // namespace

std::optional<quint32> configurationChecksum(const ScannerConfiguration &configuration)
{
    const bool inverted = travelsInverted(configuration);
    quint32 state = update(Crc32Start, parameterPayload(configuration.parameters));
    state = update(state, casePayload(configuration.areas));
    for (int index = 0; index < AreaCount; ++index) {
        const std::optional<QByteArray> payload =
            areaPayload(configuration.areas.value(index), index, inverted);
        if (!payload)
            return std::nullopt;
        state = update(state, *payload);
    }
    return crc32Finish(state);
}

std::optional<quint32> areaChecksum(const ScannerConfiguration &configuration, int areaIndex)
{
    if (areaIndex < 0 || areaIndex >= AreaCount)
        return std::nullopt;
    const std::optional<QByteArray> payload =
        areaPayload(configuration.areas.value(areaIndex), areaIndex, travelsInverted(configuration));
    if (!payload)
        return std::nullopt;
    const QByteArray caseRecord = caseRecordOf(casePayload(configuration.areas), areaIndex);
    return crc32Finish(update(update(Crc32Start, *payload), caseRecord));
}

QString checksumText(quint32 checksum)
{
    return QStringLiteral("%1").arg(checksum, ChecksumDigits, Hexadecimal, QLatin1Char('0')).toUpper();
}

}  // namespace veltrix
