// Reads a package by a catalogue layout: the first byte picks the catalogue entry and the
// sender whose layout is used, the rest is the package.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <iterator>
#include <span>

#include "message_types.h"
#include "package_fields.h"
#include "package_reader.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 1) return 0;
    const auto& message = lmn::net::kMessages[(data[0] >> 1) % std::size(lmn::net::kMessages)];
    const auto sender = data[0] & 1 ? lmn::net::Sender::kServer : lmn::net::Sender::kClient;
    std::span<const std::uint8_t> package(data + 1, size - 1);
    lmn::net::PackageFields fields = lmn::net::ReadFields(package, message.layout(sender));
    // Every field takes at least two bytes of the package, and nothing is read past its end.
    if (fields.values.size() * 2 > package.size()) std::abort();
    if (fields.unread > package.size()) std::abort();
    // An int over-read means fewer than four bytes were left.
    if (fields.error == lmn::net::kOverReadField && fields.unread >= 4) std::abort();
    return 0;
}
