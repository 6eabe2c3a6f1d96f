// Fuzz target: the scan recording reader. Any bytes may be opened as a recording. What
// must hold:
// - a file the reader refuses leaves it closed, without scans, with a reason that
//   names the file;
// - an accepted file's scans are in time order, each found again by its time; a file
//   whose index was rebuilt (cut short) reads every scan, and a file with an index
//   reads each scan or says why not;
// - the scans read, written again by the writer and read back, are the same, and
//   writing them once more gives the same bytes.
//
// Input: the file itself, read through a buffer.

#include "fuzzinput.h"

#include "core/record/recordingreader.h"
#include "core/record/recordingwriter.h"

#include <QBuffer>

using namespace veltrix;

namespace {

const QString Name = QStringLiteral("recording.rec");

QByteArray writeRecording(const RecordingHeader &header, const QVector<RecordedScan> &scans, bool closed = true)
{
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    RecordingWriter writer;
    QString error;
    FUZZ_CHECK(writer.open(&buffer, Name, header, &error));
    for (const RecordedScan &scan : scans)
        FUZZ_CHECK(writer.write(scan, &error));
    if (closed)
        FUZZ_CHECK(writer.close(&error));
    return buffer.data();
}

struct Read
{
    bool accepted = false;
    RecordingHeader header;
    QVector<RecordedScan> scans;
};

Read readRecording(const QByteArray &bytes)
{
    QByteArray data = bytes;
    QBuffer buffer(&data);
    buffer.open(QIODevice::ReadOnly);
    RecordingReader reader;
    QString error;
    Read read;
    read.accepted = reader.open(&buffer, Name, &error);
    if (!read.accepted) {
        FUZZ_CHECK(!reader.isOpen() && reader.scanCount() == 0);
        FUZZ_CHECK(error.contains(Name));
        return read;
    }
    read.header = reader.header();
    for (int i = 0; i < reader.scanCount(); ++i) {
        FUZZ_CHECK(i == 0 || reader.timeOf(i) >= reader.timeOf(i - 1));
        const int found = reader.scanAt(reader.timeOf(i));
        FUZZ_CHECK(found >= i && reader.timeOf(found) == reader.timeOf(i));
        RecordedScan scan;
        error.clear();
        if (!reader.readScan(i, scan, &error)) {
            FUZZ_CHECK(!reader.wasCutShort());
            FUZZ_CHECK(error.contains(Name));
            continue;
        }
        FUZZ_CHECK(scan.timeMs == reader.timeOf(i));
        read.scans.append(scan);
    }
    return read;
}

RecordedScan serial(quint32 time, bool inverted)
{
    RecordedScan scan;
    scan.timeMs = time;
    scan.invertedMount = inverted;
    scan.activeArea = 7;
    scan.inputs = 0x85;
    scan.outputs = 3;
    scan.status = 0x8001;
    for (int i = 0; i < 540; ++i) {
        scan.distances.append(static_cast<quint16>(i * 97));
        scan.intensities.append(static_cast<quint16>(65535 - i));
    }
    return scan;
}

RecordedScan cloud(quint32 time, int count)
{
    RecordedScan scan;
    scan.timeMs = time;
    scan.link = ScanLink::Ethernet;
    for (int k = 0; k < count; ++k) {
        scan.cloudDistances.append(QPoint(3000 - 20 * k, -k * k));
        scan.cloudIntensities.append(QPoint(k % 2 ? 2147483647 : -2147483647 - 1, k));
    }
    return scan;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    ensureCoreApplication();
    const Read read = readRecording(QByteArray(reinterpret_cast<const char *>(data), static_cast<int>(size)));
    if (!read.accepted)
        return 0;
    const QByteArray rewritten = writeRecording(read.header, read.scans);
    const Read again = readRecording(rewritten);
    FUZZ_CHECK(again.accepted);
    FUZZ_CHECK(again.header == read.header && again.scans == read.scans);
    FUZZ_CHECK(writeRecording(again.header, again.scans) == rewritten);
    return 0;
}

QList<FuzzSeed> fuzzSeeds()
{
    RecordingHeader header;
    header.model = 2;
    header.checksumKnown = true;
    header.configurationChecksum = 0xCBF43926u;
    header.startedMs = 1767225600000;
    const QVector<RecordedScan> mixed = {serial(0, false), cloud(66, 12), serial(133, true), cloud(133, 0)};
    const QByteArray whole = writeRecording(header, mixed);
    const QByteArray open = writeRecording(header, mixed, false);
    return {
        {"mixed_with_index", whole},
        {"no_scans", writeRecording(RecordingHeader(), {})},
        {"killed_before_the_index", open},
        {"cut_inside_a_scan", open.left(open.size() - 7)},
        {"zeros_after_the_cut", open.left(open.size() - 30) + QByteArray(64, '\0')},
    };
}
