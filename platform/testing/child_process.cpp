#include "platform/testing/child_process.h"

#include <QElapsedTimer>
#include <QThread>
#include <csignal>
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

}  // namespace testing_support
