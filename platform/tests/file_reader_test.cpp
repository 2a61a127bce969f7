// Reading what a shared folder can hold: FIFOs, devices and links to them are
// refused at once, and no file is read past its cap.
#include "platform/file_reader.h"
#include "platform/picture_box.h"
#include "platform/picture_loader.h"
#include "platform/testing/file_kinds.h"
#include "platform/testing/test_helpers.h"
#include "platform/text_file.h"

#include <QFile>
#include <cerrno>
#include <cstring>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace platform;
using testing_support::makeLink;

namespace {

std::string readFailure(const QString& path)
{
    try {
        readFileBytes(path);
    } catch (const TextFileError& e) {
        return e.what();
    }
    return "read";
}

}  // namespace

TEST(FileReader, FifosDevicesAndFoldersAreRefusedAtOnce)
{
    QTemporaryDir dir;
    ASSERT_EQ(::mkfifo(QFile::encodeName(dir.filePath("fifo")).constData(), 0666), 0);
    ASSERT_TRUE(makeLink("/dev/zero", dir.filePath("zero.jpg")));
    ASSERT_TRUE(makeLink("fifo", dir.filePath("fifo.jpg")));
    ASSERT_TRUE(QDir(dir.path()).mkdir("folder.jpg"));
    const std::string notRegular = std::strerror(EPERM);
    for (const char* name : {"fifo", "fifo.jpg", "zero.jpg"}) {
        EXPECT_EQ(readFailure(dir.filePath(name)), notRegular) << name;
        EXPECT_TRUE(LoadPicture(dir.filePath(name)).isNull()) << name;
        PictureBox box;
        EXPECT_EQ(box.loadPicture(dir.filePath(name)), PictureLoad::NotAPicture) << name;
    }
    EXPECT_EQ(readFailure(dir.filePath("folder.jpg")), std::strerror(EISDIR));
    EXPECT_EQ(readFailure(dir.filePath("none")), std::strerror(ENOENT));

    // A picture still loads through the same reader.
    testing_support::writeBytes(dir.filePath("p.png"),
                                testing_support::encodedImage(testing_support::patternImage(7, 5), "PNG"));
    EXPECT_EQ(LoadPicture(dir.filePath("p.png")).size(), QSize(7, 5));
    PictureBox box;
    EXPECT_EQ(box.loadPicture(dir.filePath("p.png")), PictureLoad::Loaded);
    EXPECT_EQ(box.imageWidth(), 7);
}

TEST(FileReader, TextPastItsCapIsRefused)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("cubing.txt");
    testing_support::writeBytes(path, "x");
    ASSERT_EQ(::truncate(QFile::encodeName(path).constData(), kTextReadCap + 1), 0);  // sparse: no disk used
    EXPECT_EQ(readFailure(path), std::strerror(EFBIG));
    ASSERT_EQ(::truncate(QFile::encodeName(path).constData(), kTextReadCap), 0);
    EXPECT_EQ(readFileBytes(path).size(), kTextReadCap);
}
