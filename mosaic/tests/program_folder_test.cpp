// tilvane in a program folder named with GBK bytes, started from another
// folder that holds files of the same names.
#include "mosaic/form1.h"
#include "platform/program_folder.h"
#include "platform/testing/gbk_folder_run.h"
#include "platform/testing/window_helpers.h"

#include <QRegularExpression>
#include <QTest>
#include <QUrl>
#include <gtest/gtest.h>

using namespace testing_support;

// Run by the test below in a copy of this binary inside the program folder:
// the window as main() starts it takes the folder's picture dropped on it,
// then saves the pattern as text (存为文本) and as a picture (生成图片, 存为图片).
TEST(GbkFolder, ProbeSavePatterns)
{
    if (!isFolderProbe())
        GTEST_SKIP() << "run only as a copy in a folder of its own";
    MessageRecorder messages;
    mosaic::Form1 window(platform::programFolder());
    window.Form_Load();
    dropUrls(window.Picture1, {QUrl::fromLocalFile(platform::fileInFolder(platform::programFolder(), "picture.png"))});
    EXPECT_EQ(window.Picture1->imageWidth(), 12);  // the picture of this folder
    EXPECT_EQ(window.Picture1->imageHeight(), 8);
    for (QWidget* button : {window.Command6, window.Command2, window.Command1})
        QTest::mouseClick(button, Qt::LeftButton);
    EXPECT_EQ(messages.titles, QStringList(2, u8("保存成功"))) << messages.texts.join('|').toStdString();
}

TEST(GbkFolder, PatternsSavedOnlyInTheProgramFolder)
{
    GbkFolderRun run;
    run.put("picture.png", encodedImage(patternImage(12, 8), "PNG"), encodedImage(patternImage(20, 20), "PNG"));
    const auto elsewhere = filesAt(run.elsewhere);
    EXPECT_TRUE(run.runProbe("GbkFolder.ProbeSavePatterns"));
    // The two patterns, named by the time, beside the program and its picture.
    const auto files = filesAt(run.folder);
    QStringList saved;
    for (const auto& [name, bytes] : files)
        if (QRegularExpression("^\\d{14}\\.(txt|BMP)$").match(QString::fromStdString(name)).hasMatch() && !bytes.empty())
            saved << QString::fromStdString(name).right(3);
    saved.sort();
    EXPECT_EQ(saved.join(' ').toStdString(), "BMP txt");
    EXPECT_EQ(files.size(), 4u);
    EXPECT_EQ(filesAt(run.elsewhere), elsewhere);
}
