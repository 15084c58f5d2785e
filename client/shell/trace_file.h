// The optional trace of re-login events: one character appended to a file the user creates.
#pragma once

#include <string_view>

namespace lmn::shell {

// Appends c to the file (a Windows-style name, e.g. "c://KX_log.txt") only when it exists;
// never creates it.
void AppendTraceCharacter(std::string_view traceFile, char c);

}  // namespace lmn::shell
