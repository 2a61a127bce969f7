#include "mosaic/memory_budget.h"

#include <QFile>
#include <QString>
#include <algorithm>
#include <limits>
#include <sys/resource.h>
#include <unistd.h>

namespace mosaic {

namespace {

// A limit from a control-group file: its number, or none for "max" or a
// file that cannot be read.
qint64 limitIn(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return std::numeric_limits<qint64>::max();
    bool ok = false;
    const qint64 bytes = file.readLine(64).trimmed().toLongLong(&ok);
    return ok && bytes > 0 ? bytes : std::numeric_limits<qint64>::max();
}

// The memory limit of the program's control group (version 2, or the memory
// controller of version 1).
qint64 groupLimit()
{
    qint64 limit = std::numeric_limits<qint64>::max();
    QFile groups(QStringLiteral("/proc/self/cgroup"));
    if (groups.open(QIODevice::ReadOnly)) {
        for (const QByteArray& line : groups.readAll().split('\n')) {
            const QList<QByteArray> parts = line.split(':');
            if (parts.size() < 3)
                continue;
            const QString path = QString::fromUtf8(parts[2]);
            if (parts[0] == "0" && parts[1].isEmpty())
                limit = std::min(limit, limitIn(QStringLiteral("/sys/fs/cgroup") + path + QStringLiteral("/memory.max")));
            else if (parts[1].split(',').contains("memory"))
                limit = std::min(limit, limitIn(QStringLiteral("/sys/fs/cgroup/memory") + path +
                                               QStringLiteral("/memory.limit_in_bytes")));
        }
    }
    // Inside a container the group's own folder is the root of the tree.
    limit = std::min(limit, limitIn(QStringLiteral("/sys/fs/cgroup/memory.max")));
    return std::min(limit, limitIn(QStringLiteral("/sys/fs/cgroup/memory/memory.limit_in_bytes")));
}

}  // namespace

qint64 usableMemory()
{
    qint64 usable = qint64(sysconf(_SC_PHYS_PAGES)) * qint64(sysconf(_SC_PAGESIZE));
    if (usable <= 0)
        usable = std::numeric_limits<qint64>::max();
    usable = std::min(usable, groupLimit());
    rlimit space{};
    if (getrlimit(RLIMIT_AS, &space) == 0 && space.rlim_cur != RLIM_INFINITY)
        usable = std::min(usable, qint64(std::min<rlim_t>(space.rlim_cur, rlim_t(std::numeric_limits<qint64>::max()))));
    return usable;
}

qint64 historyMemoryBudget()
{
    return usableMemory() / 4;
}

}  // namespace mosaic
