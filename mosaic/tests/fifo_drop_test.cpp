// A FIFO or a link to an endless device dropped on the picture: the message
// of a file that is no picture at once, the picture as it was.
#include "mosaic/form1.h"
#include "mosaic/tests/loaded_form.h"
#include "platform/testing/window_helpers.h"

#include <QFile>
#include <QUrl>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

using testing_support::u8;

TEST(WorkingPicture, SpecialFilesDroppedAreNoPicture)
{
    LoadedForm f;
    mosaic::Form1& w = f.form;
    const QImage start = w.Picture1->image();
    const QByteArray fifo = QFile::encodeName(f.dir.filePath("fifo.jpg"));
    const QByteArray zero = QFile::encodeName(f.dir.filePath("zero.jpg"));
    ASSERT_EQ(::mkfifo(fifo.constData(), 0666), 0);
    ASSERT_EQ(::symlink("/dev/zero", zero.constData()), 0);
    testing_support::MessageRecorder messages;
    for (const QByteArray& path : {fifo, zero})
        testing_support::dropUrls(w.Picture1, {QUrl::fromLocalFile(QFile::decodeName(path))});
    EXPECT_EQ(messages.texts, (QStringList{u8("不支持的图片格式"), u8("不支持的图片格式")}));
    EXPECT_EQ(w.Picture1->image(), start);
}
