#include "loaded_form.h"

#include "platform/testing/fit_check.h"

#include <gtest/gtest.h>

using testing_support::captionOverBoxesProblems;
using testing_support::showsWhole;
using testing_support::textFitProblems;
using testing_support::windowFitProblems;

TEST(Form1Fit, EveryTextShowsWhole)
{
    LoadedForm f;
    mosaic::Form1& form = f.form;
    EXPECT_TRUE(showsWhole(windowFitProblems(&form)));
    // "宽" stands over the width box, "高" over the height box.
    EXPECT_TRUE(showsWhole(captionOverBoxesProblems(form.Label1, {form.Text1, form.Text2})));

    // The cost of a 12 MP photo, and the longest cost the label is made for.
    form.Text1->setText(QStringLiteral("4000"));
    form.Text2->setText(QStringLiteral("3000"));
    EXPECT_EQ(form.Label13->caption().count(QStringLiteral("\r\n")), 2);
    EXPECT_TRUE(showsWhole(windowFitProblems(&form)));
    testing_support::saveScreenshot(&form, QStringLiteral("tilvane"));
    EXPECT_TRUE(showsWhole(textFitProblems(form.Label13, QStringLiteral("造价\r\nCNY 99999999.99\r\nCNY 99999999.99"))));

    // The frame below the client area fits its texts all the same.
    EXPECT_TRUE(showsWhole(windowFitProblems(form.Frame4)));
    EXPECT_TRUE(showsWhole(textFitProblems(form.Label12, QStringLiteral("估算大小\r\n99999*99999"))));
}
