#include "png_chunks.h"

#include <cstdint>

namespace lmn::maker {

namespace {

constexpr std::string_view kSignature("\x89PNG\r\n\x1a\n", 8);
constexpr size_t kLengthAndType = 8, kCrc = 4;

uint32_t BigEndian32(std::string_view bytes, size_t at) {
    uint32_t value = 0;
    for (size_t i = 0; i < 4; ++i) value = value << 8 | static_cast<unsigned char>(bytes[at + i]);
    return value;
}

}  // namespace

bool PngChunksFitFile(std::string_view bytes) {
    if (!bytes.starts_with(kSignature)) return true;
    uint64_t at = kSignature.size();
    while (at + kLengthAndType <= bytes.size()) {
        const uint64_t length = BigEndian32(bytes, static_cast<size_t>(at));
        if (length > bytes.size() - at - kLengthAndType) return false;
        if (bytes.substr(static_cast<size_t>(at) + 4, 4) == "IEND") return true;
        at += kLengthAndType + length + kCrc;
    }
    return true;
}

}  // namespace lmn::maker
