#include "mosaic09/form1.h"

#include "platform/testing/fit_check.h"
#include "platform/testing/test_helpers.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

using testing_support::captionOverBoxesProblems;
using testing_support::showsWhole;
using testing_support::textFitProblems;
using testing_support::windowFitProblems;

TEST(Form1Edition09Fit, EveryTextShowsWhole)
{
    QTemporaryDir dir;
    mosaic09::Form1 form(dir.path());
    form.Form_Load();
    EXPECT_TRUE(showsWhole(windowFitProblems(&form)));
    // "宽" stands over the width box, "高" over the height box.
    EXPECT_TRUE(showsWhole(captionOverBoxesProblems(form.Label1, {form.Text1, form.Text2})));

    // Every shade name shows whole in the face lists and the replace list.
    for (int face = 0; face < 6; ++face)
        for (int i = 0; i < form.Combo1[size_t(face)]->count(); ++i)
            EXPECT_TRUE(showsWhole(textFitProblems(form.Combo1[size_t(face)], form.Combo1[size_t(face)]->itemText(i))));

    // The cost of a 12 MP photo, and the longest cost the label is made for.
    form.Text1->setText(QStringLiteral("4000"));
    form.Text2->setText(QStringLiteral("3000"));
    EXPECT_EQ(form.Label13->caption().count(QStringLiteral("\r\n")), 2);
    EXPECT_TRUE(showsWhole(windowFitProblems(&form)));
    testing_support::saveScreenshot(&form, QStringLiteral("tilvane09"));
    const QString longestCost = QStringLiteral("造价\r\nCNY 99999999.99\r\nCNY 99999999.99");
    EXPECT_TRUE(showsWhole(textFitProblems(form.Label13, longestCost)));
    // The size estimate for the largest pictures that load.
    EXPECT_TRUE(showsWhole(textFitProblems(form.Label12, QStringLiteral("估算大小\r\n99999*99999"))));
}
