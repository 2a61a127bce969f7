#include "platform/testing/as_nobody.h"

#include "platform/testing/child_process.h"

#include <QFile>
#include <grp.h>
#include <pwd.h>
#include <sys/wait.h>
#include <unistd.h>

namespace testing_support {

namespace {

// The ids the child takes; no value when the tests run as root and there
// is no user "nobody".
bool childIds(uid_t& uid, gid_t& gid)
{
    if (geteuid() != 0) {
        uid = geteuid();
        gid = getegid();
        return true;
    }
    const passwd* nobody = getpwnam("nobody");
    if (nobody == nullptr || nobody->pw_uid == 0)
        return false;
    uid = nobody->pw_uid;
    gid = nobody->pw_gid;
    return true;
}

}  // namespace

bool giveToChild(const QString& path)
{
    uid_t uid = 0;
    gid_t gid = 0;
    if (!childIds(uid, gid))
        return false;
    return geteuid() == uid || ::lchown(QFile::encodeName(path).constData(), uid, gid) == 0;
}

int exitCodeAsNobody(const std::function<int()>& body)
{
    uid_t uid = 0;
    gid_t gid = 0;
    if (!childIds(uid, gid))
        return -1;
    const pid_t child = fork();
    if (child == -1)
        return -1;
    if (child == 0) {
        if (geteuid() != uid && (::setgroups(0, nullptr) != 0 || ::setgid(gid) != 0 || ::setuid(uid) != 0))
            _exit(126);
        _exit(body());
    }
    int status = 0;
    if (!waitForChild(child, status) || !WIFEXITED(status))
        return -2;
    return WEXITSTATUS(status) == 126 ? -1 : WEXITSTATUS(status);
}

}  // namespace testing_support
