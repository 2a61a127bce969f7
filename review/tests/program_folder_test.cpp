// revoran in a program folder named with GBK bytes, started from another
// folder that holds option files of the same names.
#include "review/form1.h"
#include "review/option_state.h"
#include "platform/program_folder.h"
#include "platform/testing/gbk_folder_run.h"
#include "platform/testing/test_helpers.h"
#include "platform/text_file.h"

#include <QTest>
#include <gtest/gtest.h>

using namespace review;
using namespace testing_support;

namespace {

// The options of a cube, told apart by one list.
OptionValues cubeOptions(const QString& cube, int16_t list)
{
    OptionValues values = defaultOptions();
    values.texts[0] = cube;
    values.lists[5] = list;
    return values;
}

QByteArray optionFile(const QString& cube, int16_t list)
{
    return platform::ansiLineBytes(optionStateLines(cubeOptions(cube, list)));
}

}  // namespace

// Run by the test below in a copy of this binary inside the program folder:
// the window as main() starts it reads the options of 三阶, then saves them
// as 四阶.
TEST(GbkFolder, ProbeReadAndSaveOptions)
{
    if (!isFolderProbe())
        GTEST_SKIP() << "run only as a copy in a folder of its own";
    Form1 window(platform::programFolder());
    window.Form_Load();
    window.show();
    window.Text1[0]->setText(u8("三阶"));
    QTest::mouseClick(window.Command2[1], Qt::LeftButton);
    EXPECT_TRUE(window.optionValues() == cubeOptions(u8("三阶"), 2)) << window.windowTitle().toStdString();
    window.Text1[0]->setText(u8("四阶"));
    QTest::mouseClick(window.Command2[0], Qt::LeftButton);
}

TEST(GbkFolder, OptionFilesOnlyInTheProgramFolder)
{
    GbkFolderRun run;
    run.put(u8("三阶.txt").toUtf8(), optionFile(u8("三阶"), 2), optionFile(u8("三阶"), 1));
    const auto elsewhere = filesAt(run.elsewhere);
    EXPECT_TRUE(run.runProbe("GbkFolder.ProbeReadAndSaveOptions"));
    EXPECT_EQ(bytesAt(run.folder + '/' + u8("四阶.txt").toUtf8()), optionFile(u8("四阶"), 2));
    EXPECT_EQ(bytesAt(run.folder + '/' + u8("三阶.txt").toUtf8()), optionFile(u8("三阶"), 2));
    EXPECT_EQ(filesAt(run.elsewhere), elsewhere);
}
