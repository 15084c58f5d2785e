// What the companion launcher needs to know about another program's process by its id.
#pragma once

#include <string>

namespace lmn::companions {

// True when no process of this id runs any more: it does not exist, or it has ended and only
// waits to be reaped.
bool ProcessEnded(int pid);

// The file name (without folder) of the program the process runs; empty when it cannot be read.
std::string ProgramFileName(int pid);

}  // namespace lmn::companions
