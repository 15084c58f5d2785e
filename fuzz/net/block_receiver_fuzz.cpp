// Feeds an arbitrary byte stream to the receive state machine twice: whole, and in pieces whose
// sizes the input chooses. Both must hand out the same records and agree on whether the stream
// was malformed; every record must have a payload and its tag copy.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <span>
#include <vector>

#include "block_receiver.h"

namespace {

struct Result {
    std::vector<std::vector<std::uint8_t>> records;
    bool ok = true;
};

// A record hands out a payload of at least one byte plus the 4-byte tag copy.
void Check(std::span<const std::uint8_t> bytes) {
    if (bytes.size() < 5 || bytes.size() > 1048576) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 2) return 0;
    std::size_t pieceCount = data[0] % 32 + 1;
    if (size < 1 + pieceCount) return 0;
    std::span<const std::uint8_t> pieces(data + 1, pieceCount);
    std::span<const std::uint8_t> stream(data + 1 + pieceCount, size - 1 - pieceCount);

    auto collect = [](Result& r) {
        return [&r](std::uint32_t, std::span<const std::uint8_t> bytes) {
            Check(bytes);
            r.records.emplace_back(bytes.begin(), bytes.end());
        };
    };

    Result whole;
    lmn::net::BlockReceiver a;
    whole.ok = a.feed(stream, collect(whole));

    Result chunked;
    lmn::net::BlockReceiver b;
    std::size_t at = 0;
    for (std::size_t i = 0; at < stream.size() && chunked.ok; ++i) {
        std::size_t n = std::min<std::size_t>(pieces[i % pieces.size()] + 1, stream.size() - at);
        chunked.ok = b.feed(stream.subspan(at, n), collect(chunked));
        at += n;
    }
    if (whole.ok != chunked.ok || whole.records != chunked.records) std::abort();
    return 0;
}
