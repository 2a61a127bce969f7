#include "platform/testing/gbk_folder_run.h"

#include "platform/file_reader.h"

#include <QCryptographicHash>
#include <QFile>
#include <QProcess>
#include <dirent.h>
#include <fcntl.h>
#include <ftw.h>
#include <sys/stat.h>
#include <unistd.h>

namespace testing_support {

namespace {

constexpr char kProbeVariable[] = "SUITE_FOLDER_PROBE";

}  // namespace

bool isFolderProbe()
{
    return !qEnvironmentVariableIsEmpty(kProbeVariable);
}

QByteArray bytesAt(const QByteArray& path)
{
    QFile file;
    const int fd = ::open(path.constData(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return {};
    if (!file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        return {};
    }
    return file.readAll();
}

void writeAt(const QByteArray& path, const QByteArray& bytes)
{
    const int fd = ::open(path.constData(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    const bool whole = fd >= 0 && ::write(fd, bytes.constData(), size_t(bytes.size())) == bytes.size();
    const bool closed = fd >= 0 && ::close(fd) == 0;
    EXPECT_TRUE(whole && closed) << "cannot write " << path.toStdString();
}

std::map<std::string, std::string> filesAt(const QByteArray& folder)
{
    std::map<std::string, std::string> files;
    DIR* dir = ::opendir(folder.constData());
    if (!dir)
        return files;
    while (const dirent* entry = ::readdir(dir)) {
        const QByteArray name = entry->d_name;
        if (name == "." || name == "..")
            continue;
        const QByteArray path = folder + '/' + name;
        struct stat st {};
        const bool regular = ::lstat(path.constData(), &st) == 0 && S_ISREG(st.st_mode);
        const QByteArray bytes = regular ? bytesAt(path) : QByteArray();
        // Large files by size and digest, for a readable failure message.
        files[name.toStdString()] =
            bytes.size() <= 256
                ? bytes.toStdString()
                : (QByteArray::number(bytes.size()) + " bytes, MD5 " +
                   QCryptographicHash::hash(bytes, QCryptographicHash::Md5).toHex())
                      .toStdString();
    }
    ::closedir(dir);
    return files;
}

GbkFolderRun::GbkFolderRun()
{
    const QByteArray base = QFile::encodeName(dir_.path());
    folder = base + '/' + kGbkName;
    elsewhere = base + "/elsewhere";
    EXPECT_EQ(::mkdir(folder.constData(), 0755), 0);
    EXPECT_EQ(::mkdir(elsewhere.constData(), 0755), 0);
    writeAt(folder + "/program", bytesAt("/proc/self/exe"));
    EXPECT_EQ(::chmod((folder + "/program").constData(), 0755), 0);
    // The files any of the programs would take from a wrong folder.
    writeAt(elsewhere + "/cubing.txt", "cubing.txt of another folder");
    writeAt(elsewhere + "/list.txt", "list.txt of another folder");
    handle_ = platform::UniqueFd(::open(folder.constData(), O_PATH | O_DIRECTORY | O_CLOEXEC));
}

GbkFolderRun::~GbkFolderRun()
{
    ::nftw(
        folder.constData(), [](const char* path, const struct stat*, int, FTW*) { return ::remove(path); }, 16,
        FTW_DEPTH | FTW_PHYS);
}

void GbkFolderRun::put(const QByteArray& name, const QByteArray& inFolder, const QByteArray& elsewhereBytes) const
{
    writeAt(folder + '/' + name, inFolder);
    writeAt(elsewhere + '/' + name, elsewhereBytes);
}

::testing::AssertionResult GbkFolderRun::runProbe(const char* test) const
{
    if (!handle_.valid())
        return ::testing::AssertionFailure() << "no program folder";
    QProcess run;
    run.setProcessChannelMode(QProcess::MergedChannels);
    run.setWorkingDirectory(QFile::decodeName(elsewhere));
    // The copy runs the one test whole: no sharding or output files of the
    // run that started it.
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const QString& key : environment.keys())
        if (key.startsWith(QStringLiteral("GTEST_")))
            environment.remove(key);
    environment.insert(kProbeVariable, "1");
    run.setProcessEnvironment(environment);
    // Started through the handle: the folder's name is no text.
    run.start(QString::fromLatin1(platform::descriptorPath(handle_.get())) + "/program",
              {QStringLiteral("--gtest_filter=") + test});
    if (!run.waitForFinished(60000)) {
        run.kill();
        run.waitForFinished();
        return ::testing::AssertionFailure() << test << " did not end";
    }
    const QByteArray output = run.readAll();
    if (run.exitStatus() != QProcess::NormalExit || run.exitCode() != 0 ||
        !output.contains("[       OK ] " + QByteArray(test)))
        return ::testing::AssertionFailure() << test << " did not pass:\n" << output.toStdString();
    return ::testing::AssertionSuccess();
}

}  // namespace testing_support
