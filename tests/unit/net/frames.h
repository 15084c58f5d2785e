// Builds framed-stream bytes by hand for tests: records and blocks exactly as they travel.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace lmn::test {

inline void PutLe32(std::vector<std::uint8_t>& out, std::uint32_t v) {
    for (int i = 0; i < 4; ++i) out.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
}

inline std::uint32_t GetLe32(const std::uint8_t* p) {
    return p[0] | p[1] << 8 | p[2] << 16 | static_cast<std::uint32_t>(p[3]) << 24;
}

// n, tag, payload, tag copy. nOverride replaces the honest n when set.
inline std::vector<std::uint8_t> Record(const std::string& payload, std::uint32_t tag = 0x120,
                                        std::int64_t nOverride = -1) {
    std::vector<std::uint8_t> r;
    PutLe32(r, nOverride >= 0 ? static_cast<std::uint32_t>(nOverride)
                              : static_cast<std::uint32_t>(payload.size() + 4));
    PutLe32(r, tag);
    r.insert(r.end(), payload.begin(), payload.end());
    PutLe32(r, tag);
    return r;
}

inline std::vector<std::uint8_t> Block(const std::vector<std::vector<std::uint8_t>>& records) {
    std::vector<std::uint8_t> body;
    for (const auto& r : records) body.insert(body.end(), r.begin(), r.end());
    std::vector<std::uint8_t> block;
    PutLe32(block, static_cast<std::uint32_t>(body.size()));
    PutLe32(block, static_cast<std::uint32_t>(records.size()));
    block.insert(block.end(), body.begin(), body.end());
    return block;
}

inline std::vector<std::uint8_t> Header(std::uint32_t bodyLength, std::uint32_t count) {
    std::vector<std::uint8_t> h;
    PutLe32(h, bodyLength);
    PutLe32(h, count);
    return h;
}

inline void Append(std::vector<std::uint8_t>& out, const std::vector<std::uint8_t>& more) {
    out.insert(out.end(), more.begin(), more.end());
}

// A parsed block: its record count and each record's payload.
struct ParsedBlock {
    std::uint32_t count = 0;
    std::vector<std::string> payloads;
};

// Splits a stream into blocks, trusting it to be well formed.
inline std::vector<ParsedBlock> ParseBlocks(const std::vector<std::uint8_t>& stream) {
    std::vector<ParsedBlock> blocks;
    std::size_t at = 0;
    while (at + 8 <= stream.size()) {
        std::uint32_t body = GetLe32(&stream[at]);
        ParsedBlock block;
        block.count = GetLe32(&stream[at + 4]);
        std::size_t r = at + 8;
        for (std::uint32_t i = 0; i < block.count && r + 8 <= at + 8 + body; ++i) {
            std::uint32_t n = GetLe32(&stream[r]);
            block.payloads.emplace_back(stream.begin() + r + 8, stream.begin() + r + 8 + (n - 4));
            r += n + 8;
        }
        blocks.push_back(block);
        at += 8 + body;
    }
    return blocks;
}

}  // namespace lmn::test
