#include "compdraw/converter_form.h"
#include "compdraw/draw_form.h"

#include "platform/testing/fit_check.h"
#include "platform/testing/test_helpers.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

using testing_support::showsWhole;
using testing_support::textFitProblems;
using testing_support::windowFitProblems;

TEST(BrimletFit, EveryTextShowsWhole)
{
    QTemporaryDir dir;
    compdraw::convert::Form1 form(dir.path());
    form.show();
    EXPECT_TRUE(showsWhole(windowFitProblems(&form)));
    testing_support::saveScreenshot(&form, QStringLiteral("brimlet"));

    // The status texts the conversion and the avatar run write, at their
    // longest, and a WCA ID in the list.
    for (const char* status : {"正在获取粗饼网页信息...", "名单转换完成 00:00:00", "正在获取WCA头像...",
                               "正在获取...100.00%", "读取cubing.txt失败 00:00:00", "写入list.txt失败 00:00:00"})
        EXPECT_TRUE(showsWhole(textFitProblems(form.Label1, QString::fromUtf8(status))));
    EXPECT_TRUE(showsWhole(textFitProblems(form.List1, QStringLiteral("2009ABCD01"))));
}

TEST(Kestrow2Fit, EveryTextShowsWhole)
{
    QTemporaryDir dir;
    compdraw::draw::Form1 form(dir.path());
    form.Form_Load();
    form.show();
    testing_support::saveScreenshot(&form, QStringLiteral("Kestrow2"));
    // The reels' second cells wait under the bottom strip, out of sight by
    // design; the cells in the band show their characters whole.
    for (int k : {0, 3, 5})
        form.ln[size_t(k)]->hide();
    EXPECT_TRUE(showsWhole(windowFitProblems(&form)));
    for (int k : {0, 3, 5})
        form.ln[size_t(k)]->show();
    for (const char* c : {"魔", "W", "g", "？"})
        EXPECT_TRUE(showsWhole(textFitProblems(form.ln[1], QString::fromUtf8(c))));
}
