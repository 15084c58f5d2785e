// Reads a whole package by a field layout of the message catalogue, as texts: for logs, and for
// checking that what a side writes is what the catalogue says it writes.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "message_types.h"

namespace lmn::net {

struct PackageFields {
    // Every field read, in order; ints in decimal. A count is listed before its fields.
    std::vector<std::string> values;
    // The reader's error text when the package ended before its layout did; empty otherwise.
    std::string error;
    // Bytes of the package after the last field read.
    std::size_t unread = 0;
};

// Reads the fields of the layout in order. A long form ('|') is read only when bytes remain; a
// negative count reads no fields; a layout of "-" reads nothing.
PackageFields ReadFields(std::span<const std::uint8_t> package, std::string_view layout);

// Reads the package by the layout its catalogue entry gives the sender; a type outside the
// catalogue reads nothing.
PackageFields ReadFields(std::span<const std::uint8_t> package, Sender sender);

}  // namespace lmn::net
