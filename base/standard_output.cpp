#include "base/standard_output.h"

#include "base/io_error.h"

#include <cerrno>
#include <cstdio>
#include <iostream>
#include <string>

#ifdef _WIN32
#include <io.h>
#endif

namespace quorvell {

int checkedStandardOutput(const char* program, int status) {
#ifdef _WIN32
    if (_fileno(stdout) < 0 || _get_osfhandle(_fileno(stdout)) < 0) {
        return status;
    }
#endif
    errno = 0;
    std::cout.flush();
    const bool flushed = std::fflush(stdout) == 0;
    const int code = errno;
    if (flushed && !std::ferror(stdout) && std::cout.good()) {
        return status;
    }
    const std::string reason = code != 0 ? systemReason(code) : "some of it was lost";
    std::fprintf(stderr, "%s: could not write to standard output: %s\n", program, reason.c_str());
    std::fflush(stderr);
    return 1;
}

} // namespace quorvell
