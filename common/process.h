// Starting other programs, detached (not waited for).
#pragma once

#include <string>
#include <vector>

namespace lmn {

// Starts program with args (argv[1..]) in the program's own folder; true when it started.
bool StartDetached(const std::string& program, const std::vector<std::string>& args);

}  // namespace lmn
