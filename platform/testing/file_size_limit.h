// Writes that fail part-way, as on a full disk, without root: the process's
// file-size limit is lowered and SIGXFSZ ignored, so a write past the limit
// fails with EFBIG instead of ending the process.
#pragma once

#include <csignal>
#include <sys/resource.h>

namespace testing_support {

// Lowers the limit for the life of the object and restores limit and signal
// handling when it ends. Keep it around the one call under test: every file
// the process writes meanwhile is limited.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes);
    ~FileSizeLimit();
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;

private:
    rlimit saved_{};
    struct sigaction savedAction_{};
};

}  // namespace testing_support
