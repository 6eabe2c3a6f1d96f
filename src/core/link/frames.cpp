#include "core/link/frames.h"

#include "core/link/crc16.h"

#include <cstring>

namespace veltrix {

namespace {

constexpr std::array<FrameInfo, FrameIdCount> FrameTable = {{
    {FrameId::RPrda, "RPrda", PlainRequestLength, ProductReplyLength, true},
    {FrameId::RPara, "RPara", PlainRequestLength, ParameterFrameLength, true},
    {FrameId::WPara, "WPara", ParameterFrameLength, AcknowledgeLength, true},
    {FrameId::RArea, "RArea", AreaRequestLength, AreaFrameLength, true},
    {FrameId::WArea, "WArea", AreaFrameLength, AcknowledgeLength, true},
    {FrameId::RCase, "RCase", PlainRequestLength, CaseFrameLength, true},
    {FrameId::WCase, "WCase", CaseFrameLength, AcknowledgeLength, true},
    {FrameId::RBoot, "RBoot", PlainRequestLength, AcknowledgeLength, true},
    {FrameId::WSimu, "WSimu", SimulationRequestLength, SimulationReplyLength, true},
    {FrameId::RScan, "RScan", PlainRequestLength, ScanReplyLength, false},
    {FrameId::RStre, "RStre", PlainRequestLength, ScanReplyLength, false},
    {FrameId::RAuto, "RAuto", AutoRequestLength, 0, false},
    {FrameId::Cloud, "Cloud", 0, CloudHeaderLength, false},
}};

// Largest point count whose packet still fits a receive buffer that is emptied past
// ReceiveBufferLimit bytes.
constexpr int MaxCloudPoints = (ReceiveBufferLimit - CloudHeaderLength) / CloudPointLength;

// The first position of the five-letter mnemonic in buffer, or -1. The receive buffer
// can hold tens of kilobytes of noise that every decoder searches on every read, so the
// search skips to candidates for the first letter with memchr.
int findMnemonic(const QByteArray &buffer, const char *mnemonic)
{
    const char *const begin = buffer.constData();
    const char *const last = begin + buffer.size() - MnemonicLength;  // last possible start
    const char *at = begin;
    while (at <= last) {
        at = static_cast<const char *>(
            std::memchr(at, mnemonic[0], static_cast<size_t>(last - at + 1)));
        if (!at)
            return -1;
        if (std::memcmp(at + 1, mnemonic + 1, MnemonicLength - 1) == 0)
            return static_cast<int>(at - begin);
        ++at;
    }
    return -1;
}

}  // namespace

const FrameInfo &frameInfo(FrameId id)
{
    return FrameTable[static_cast<size_t>(id)];
}

const FrameInfo *frameInfoFor(const char *data, int length)
{
    if (length < MnemonicLength)
        return nullptr;
    for (const FrameInfo &info : FrameTable) {
        if (std::memcmp(info.mnemonic, data, MnemonicLength) == 0)
            return &info;
    }
    return nullptr;
}

TakeResult takeFrame(QByteArray &buffer, const char *mnemonic, int length, bool withCrc,
                     QByteArray &frame)
{
    const int at = findMnemonic(buffer, mnemonic);
    if (at < 0)
        return TakeResult::NotFound;
    if (buffer.size() - at < length)
        return TakeResult::Incomplete;
    frame = buffer.mid(at, length);
    buffer.remove(at, length);
    if (withCrc && !checkCrc(frame.constData(), length - CrcLength))
        return TakeResult::BadCrc;
    return TakeResult::Valid;
}

TakeResult takeProductFrame(QByteArray &buffer, QByteArray &frame)
{
    const int at = findMnemonic(buffer, "RPrda");
    if (at < 0)
        return TakeResult::NotFound;
    const int available = buffer.size() - at;
    if (available < ProductReplyLength)
        return TakeResult::Incomplete;
    const char *start = buffer.constData() + at;
    int length = ProductReplyLength;
    if (!checkCrc(start, ProductReplyLength - CrcLength)) {
        if (available < ProductReplyLongLength)
            return TakeResult::Incomplete;
        length = ProductReplyLongLength;
    }
    frame = buffer.mid(at, length);
    buffer.remove(at, length);
    if (length == ProductReplyLongLength
        && !checkCrc(frame.constData(), ProductReplyLongLength - CrcLength))
        return TakeResult::BadCrc;
    return TakeResult::Valid;
}

TakeResult takeCloudPacket(QByteArray &buffer, QByteArray &frame)
{
    const int at = findMnemonic(buffer, "Cloud");
    if (at < 0)
        return TakeResult::NotFound;
    const int available = buffer.size() - at;
    if (available < CloudHeaderLength)
        return TakeResult::Incomplete;
    const int points = readU16(buffer.constData() + at + 10);
    if (points > MaxCloudPoints) {
        buffer.remove(at, MnemonicLength);
        return TakeResult::Dropped;
    }
    const int length = CloudHeaderLength + CloudPointLength * points;
    if (available < length)
        return TakeResult::Incomplete;
    frame = buffer.mid(at, length);
    buffer.remove(at, length);
    return TakeResult::Valid;
}

TakeResult takeReply(QByteArray &buffer, FrameId id, QByteArray &frame)
{
    switch (id) {
    case FrameId::RPrda:
        return takeProductFrame(buffer, frame);
    case FrameId::Cloud:
        return takeCloudPacket(buffer, frame);
    default: {
        const FrameInfo &info = frameInfo(id);
        return takeFrame(buffer, info.mnemonic, info.replyLength, info.replyHasCrc, frame);
    }
    }
}

}  // namespace veltrix
