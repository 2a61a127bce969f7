// brimlet and Kestrow2 in a program folder named with GBK bytes, started from
// another folder that holds files of the same names.
#include "compdraw/converter_program.h"
#include "compdraw/draw_form.h"
#include "platform/program_folder.h"
#include "platform/testing/gbk_folder_run.h"
#include "platform/testing/program_run.h"
#include "platform/testing/test_helpers.h"
#include "platform/text_file.h"

#include <QTest>
#include <gtest/gtest.h>

using namespace testing_support;

namespace {

// A saved competitor page: one row a name, each of the given gender.
QByteArray cubingPage(const QStringList& names, const QString& gender)
{
    QString page = u8("<html>\r\n<table>\r\n");
    for (const QString& name : names)
        page += u8("<tr class=\"r\"><td>1</td><td>") + name + u8("</td><td>") + gender + u8("</td></tr>\r\n");
    return platform::encodeAnsi(page + u8("</table>\r\n"));
}

const QByteArray kTitleBanner = u8("标题_927_70.jpg").toUtf8();

}  // namespace

// Run by the test below in a copy of this binary inside the program folder:
// brimlet as its main() runs it, converting on a click of its button; then
// Kestrow2 as its main() starts, on the list brimlet wrote.
TEST(GbkFolder, ProbeConvertThenDraw)
{
    if (!isFolderProbe())
        GTEST_SKIP() << "run only as a copy in a folder of its own";
    const qint64 ms = msFromCloseToEnd([] { return compdraw::convert::runProgram(platform::programFolder()); },
                                       [](QWidget* window) {
                                           auto* w = qobject_cast<compdraw::convert::Form1*>(window);
                                           QTest::mouseClick(w->Command1, Qt::LeftButton);
                                       },
                                       200);
    EXPECT_GE(ms, 0);

    compdraw::draw::Form1 window(platform::programFolder());
    window.Form_Load();
    window.show();
    EXPECT_EQ(window.entrants.nameList, (QStringList{u8("郑伟+M"), u8("谢强+M")}));
    EXPECT_EQ(window.Image1[1]->pixmap().width(), 927);  // the banner of this folder
}

TEST(GbkFolder, ConverterAndDrawUseOnlyTheirFolder)
{
    GbkFolderRun run;
    run.put("cubing.txt", cubingPage({u8("郑伟"), u8("谢强")}, u8("男")), cubingPage({u8("肖英")}, u8("女")));
    run.put("list.txt", platform::encodeAnsi(u8("旧名单+M\r\n")), platform::encodeAnsi(u8("袁平+F\r\n")));
    run.put(kTitleBanner, encodedImage(patternImage(927, 70), "JPG"), encodedImage(patternImage(40, 30), "JPG"));
    const auto elsewhere = filesAt(run.elsewhere);
    EXPECT_TRUE(run.runProbe("GbkFolder.ProbeConvertThenDraw"));
    EXPECT_EQ(filesAt(run.folder).size(), 4u);  // the program, the page, the list, the banner
    EXPECT_EQ(bytesAt(run.folder + "/list.txt"), platform::encodeAnsi(u8("郑伟+M\r\n谢强+M\r\n")));
    EXPECT_EQ(filesAt(run.elsewhere), elsewhere);
}
