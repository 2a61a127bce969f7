#include "review/form1.h"

#include "platform/testing/fit_check.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

using testing_support::showsWhole;
using testing_support::windowFitProblems;

TEST(ReviewFit, EveryTextShowsWhole)
{
    QTemporaryDir dir;
    review::Form1 form(dir.path());
    form.Form_Load();
    form.show();
    testing_support::saveScreenshot(&form, QStringLiteral("revoran"));
    // Every list item, not only the chosen one, is checked in its box.
    EXPECT_TRUE(showsWhole(windowFitProblems(&form)));

    // "隐藏评测" shows with the article.
    form.Command1->click();
    ASSERT_TRUE(form.Command3->isVisible());
    EXPECT_TRUE(showsWhole(windowFitProblems(form.tabs[6])));
}
