// Preference files as the plist layer reads them: whatever bytes are on disk.
#include "backends/plist/PlistCodec.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const auto decoded = hushpane::plist::decodeDictionary(bytes);
    if (!decoded.root) {
        return 0;
    }
    // What was read is written and read back unchanged.
    const auto encoded = hushpane::plist::encodeDictionary(*decoded.root);
    if (!encoded.bytes) {
        std::abort();
    }
    const auto again = hushpane::plist::decodeDictionary(*encoded.bytes);
    if (!again.root || *again.root != *decoded.root) {
        std::abort();
    }
    return 0;
}
