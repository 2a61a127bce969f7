#include "platform/testing/child_process.h"

#include <QElapsedTimer>
#include <QThread>
#include <csignal>
#include <cstdio>
#include <unistd.h>
#include <sys/wait.h>

namespace testing_support {

bool waitForChild(pid_t child, int& status)
{
    status = 0;
    QElapsedTimer waited;
    waited.start();
    while (waitpid(child, &status, WNOHANG) == 0) {
        if (waited.elapsed() > 60000) {
            kill(child, SIGKILL);
            waitpid(child, &status, 0);
            return false;
        }
        QThread::msleep(5);
    }
    return true;
}

bool limitAddressSpace(rlim_t more)
{
    long pages = 0;
    if (FILE* statm = std::fopen("/proc/self/statm", "r")) {
        if (std::fscanf(statm, "%ld", &pages) != 1)
            pages = 0;
        std::fclose(statm);
    }
    const rlimit limit{rlim_t(pages) * rlim_t(sysconf(_SC_PAGESIZE)) + more, RLIM_INFINITY};
    return pages > 0 && setrlimit(RLIMIT_AS, &limit) == 0;
}

}  // namespace testing_support
