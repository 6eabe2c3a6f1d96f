// Fuzz target: the Ethernet mode read from a discovery reply. Any datagram may arrive
// on a discovery socket. The parser gets it in a buffer of exactly its size (libFuzzer's
// own, or the replay's), so that a read past its end is a read outside that
// AddressSanitizer reports. Its answer must be empty or exactly "MODE: TCP" or
// "MODE: UDP", and the one that a plain byte-by-byte reading of the rule gives: the
// first "MODE:" in the datagram and the 9 bytes from there (fewer where the datagram
// ends), cut at the first NUL, counting only when it is one of the two.
//
// Input: the datagram itself.

#include "fuzzinput.h"

#include "core/connect/discoveryreply.h"
#include "discoveryresponder.h"
#include "emulatedscanner.h"

#include <cstring>
#include <string>

using namespace veltrix;

namespace {

// The rule, read without the toolkit.
std::string referenceMode(const char *datagram, size_t size)
{
    const char marker[] = "MODE:";
    const size_t markerLength = sizeof marker - 1;
    const size_t modeLength = 9;
    for (size_t at = 0; at + markerLength <= size; ++at) {
        if (std::memcmp(datagram + at, marker, markerLength) != 0)
            continue;
        std::string mode;
        for (size_t i = at; i < size && i < at + modeLength && datagram[i] != '\0'; ++i)
            mode += datagram[i];
        return mode == "MODE: TCP" || mode == "MODE: UDP" ? mode : std::string();
    }
    return std::string();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const char *bytes = reinterpret_cast<const char *>(data);
    // Not copied: the parser reads the caller's buffer and nothing beyond it.
    const QByteArray datagram = QByteArray::fromRawData(bytes, static_cast<int>(size));
    const QByteArray mode = EthernetModeOfReply(datagram);
    FUZZ_CHECK(mode.isEmpty() || mode == ReplyModeTcp || mode == ReplyModeUdp);
    const std::string expected = referenceMode(bytes, size);
    FUZZ_CHECK(mode == QByteArray(expected.data(), static_cast<int>(expected.size())));
    return 0;
}

QList<FuzzSeed> fuzzSeeds()
{
    ensureCoreApplication();
    // The replies of the emulator to the program's own search, in each mode.
    const QByteArray target = DiscoveryResponder::searchTarget(BuildSearchRequest());
    QByteArray replies[2];
    for (int mode = 0; mode < 2; ++mode) {
        ScannerConfig config;
        config.ethernetMode = mode;
        EmulatedScanner scanner(config);
        replies[mode] = DiscoveryResponder(&scanner, QHostAddress(QHostAddress::LocalHost)).reply(target);
    }
    const QByteArray &tcp = replies[0];
    const QByteArray &udp = replies[1];
    const int modeAt = static_cast<int>(udp.indexOf("MODE:"));
    QByteArray nulInside = tcp;
    nulInside[static_cast<int>(tcp.indexOf("MODE:")) + 7] = '\0';
    QByteArray noBlank = udp;
    noBlank.remove(modeAt + 5, 1);
    return {
        {"reply_tcp", tcp},
        {"reply_udp", udp},
        {"mode_without_blank", noBlank},
        {"mode_lower_case", QByteArray(udp).replace("MODE: UDP", "mode: udp")},
        {"cut_inside_mode", udp.left(modeAt + 8)},
        {"nul_inside_mode", nulInside},
        {"first_marker_not_a_mode", QByteArray(tcp).replace("EXT:", "MODE:")},
        {"search_request", BuildSearchRequest()},
    };
}
