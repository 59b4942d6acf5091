#pragma once

#include <csignal>
#include <sys/resource.h>

namespace tolvane {

// A full disk for as long as it lives: the process may not make any file longer than
// a few bytes, so writes past them fail with EFBIG instead of raising SIGXFSZ. The
// limit and the signal's handling are put back afterwards. Keep the scope to the
// saves under test: the log and other files of the test cannot grow meanwhile either.
class FullDisk
{
public:
    explicit FullDisk(rlim_t bytes = 4)
    {
        getrlimit(RLIMIT_FSIZE, &limit_);
        struct sigaction ignore = {};
        ignore.sa_handler = SIG_IGN;
        sigaction(SIGXFSZ, &ignore, &signal_);
        rlimit full = limit_;
        full.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &full);
    }
    ~FullDisk()
    {
        setrlimit(RLIMIT_FSIZE, &limit_);
        sigaction(SIGXFSZ, &signal_, nullptr);
    }
    FullDisk(const FullDisk&) = delete;
    FullDisk& operator=(const FullDisk&) = delete;

private:
    rlimit limit_{};
    struct sigaction signal_ = {};
};

} // namespace tolvane
