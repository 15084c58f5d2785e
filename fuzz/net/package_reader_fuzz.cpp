// Reads a package with a read sequence chosen by the input: the first byte gives the number of
// reads, the next bytes their kinds (int32, int16, string), the rest is the package. Every read
// sequence a handler uses is one of these.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <span>

#include "package_reader.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 1) return 0;
    std::size_t reads = data[0] % 16;
    if (size < 1 + reads) return 0;
    std::span<const std::uint8_t> kinds(data + 1, reads);
    std::span<const std::uint8_t> package(data + 1 + reads, size - 1 - reads);
    lmn::net::PackageReader reader(package);
    try {
        for (std::uint8_t kind : kinds) {
            std::size_t before = reader.remaining();
            switch (kind % 3) {
                case 0:
                    reader.readInt32();
                    if (reader.remaining() != before - 4) std::abort();
                    break;
                case 1:
                    reader.readInt16();
                    if (reader.remaining() != before - 2) std::abort();
                    break;
                default:
                    if (reader.readString().size() + 2 != before - reader.remaining()) std::abort();
                    break;
            }
            if (reader.remaining() > package.size()) std::abort();
        }
    } catch (const lmn::net::PackageError&) {
    }
    return 0;
}
