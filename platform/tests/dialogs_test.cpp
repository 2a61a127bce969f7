#include "platform/dialogs.h"

#include <gtest/gtest.h>

using namespace platform;

TEST(Dialogs, HooksAnswerAndEachCallResetsTheExtendedError)
{
    DialogHooks old = setDialogHooks({[](FileDialogRecord&) {
                                          setCommDlgExtendedError(kFnErrInvalidFilename);
                                          return 0;
                                      },
                                      [](FileDialogRecord&) { return 1; }, nullptr});
    FileDialogRecord r;
    EXPECT_EQ(getOpenFileName(r), 0);
    EXPECT_EQ(commDlgExtendedError(), kFnErrInvalidFilename);
    EXPECT_EQ(getSaveFileName(r), 1);
    EXPECT_EQ(commDlgExtendedError(), 0);
    setDialogHooks(std::move(old));
}

TEST(Dialogs, FileTitleAndSystemColours)
{
    QByteArray buffer(8, '\0');
    EXPECT_EQ(getFileTitle("C:\\x\\ab.c", buffer, 8), 0);
    EXPECT_EQ(buffer, QByteArray("ab.c\0\0\0\0", 8));
    EXPECT_EQ(getFileTitle("C:\\x\\abcdefgh.c", buffer, 8), 11);  // the size needed
    EXPECT_LT(getFileTitle("C:\\x\\", buffer, 8), 0);
    EXPECT_EQ(getSysColor(5), 0xFFFFFF);
    EXPECT_EQ(getSysColor(16), 0);
    EXPECT_EQ(getSysColor(-1), 0);
}
