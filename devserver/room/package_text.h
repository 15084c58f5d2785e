// One-line descriptions of received packages for the room server's log: the constant's name
// and the fields as the sender wrote them, e.g. "MSG_SRV_CHAT hello".
#pragma once

#include <cstdint>
#include <span>
#include <string>

namespace lmn::dev {

// Fields of the packages a client sends, read in order by the message catalogue; an over-read
// ends the text with the reader's error in angle brackets, bytes after the last field with
// their count ("<4 more bytes>"). Line breaks in texts are shown as "\n".
std::string DescribePackage(std::span<const std::uint8_t> package);

}  // namespace lmn::dev
