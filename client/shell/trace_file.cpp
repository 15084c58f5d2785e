#include "trace_file.h"

#include <fcntl.h>
#include <unistd.h>

#include <string>

#include "paths.h"

namespace lmn::shell {

void AppendTraceCharacter(std::string_view traceFile, char c) {
    const std::string path = NativePath(traceFile);
    const int fd = ::open(path.c_str(), O_WRONLY | O_APPEND | O_CLOEXEC);
    if (fd < 0) return;
    ssize_t written = ::write(fd, &c, 1);
    (void)written;  // a failed trace write is not worth reporting
    ::close(fd);
}

}  // namespace lmn::shell
