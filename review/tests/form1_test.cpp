#include "review/form1.h"

#include "review/article.h"
#include "review/option_state.h"
#include "platform/testing/file_kinds.h"
#include "platform/testing/file_size_limit.h"
#include "platform/testing/test_helpers.h"
#include "platform/text_file.h"

#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <cerrno>
#include <cstring>
#include <gtest/gtest.h>
#include <sys/stat.h>

using namespace review;

using testing_support::u8;

namespace {


struct LoadedForm {
    QTemporaryDir dir;
    Form1 form{dir.path()};
    LoadedForm()
    {
        form.Form_Load();
        form.show();
    }
    void click(QWidget* w) { QTest::mouseClick(w, Qt::LeftButton, {}, QPoint(6, w->height() / 2)); }
};

bool matchesCaption(const QString& title, const char* message)
{
    return QRegularExpression(QStringLiteral("^\\d\\d:\\d\\d:\\d\\d") + QRegularExpression::escape(u8(message)) + "$")
        .match(title)
        .hasMatch();
}

}  // namespace

TEST(ReviewForm, StartUp)
{
    LoadedForm f;
    Form1& w = f.form;
    EXPECT_EQ(w.windowTitle(), "Revoran v1.0");
    EXPECT_EQ(w.size(), QSize(718, 453));
    EXPECT_EQ(w.tabs[4]->title(), u8("性能"));
    EXPECT_EQ(w.tabs[4]->geometry(), QRect(276, 4, 311, 445));
    EXPECT_EQ(w.Frame2->geometry(), QRect(26, 326, 263, 109));
    EXPECT_EQ(w.Frame1->parentWidget(), w.tabs[4]);
    EXPECT_EQ(w.Check1[44]->parentWidget(), w.Frame2);
    EXPECT_EQ(w.Check1[44]->text(), u8("加长卡角"));
    EXPECT_EQ(w.Combo1[14]->count(), 3);
    EXPECT_EQ(w.Combo1[14]->itemText(1), u8("略微匹配其它贴纸"));
    for (int i = 0; i < kListCount; ++i)
        EXPECT_EQ(w.Combo1[i]->listIndex(), 0) << i;
    EXPECT_TRUE(w.optionValues() == defaultOptions());
    EXPECT_EQ(w.t(5), "200");
    EXPECT_EQ(w.c(2), u8("优越"));
    EXPECT_THROW(w.c(36), std::out_of_range);
    EXPECT_THROW(w.t(-1), std::out_of_range);
    EXPECT_TRUE(w.Text2->isHidden());
    EXPECT_TRUE(w.Command3->isHidden());
    EXPECT_EQ(w.Command1->text(), u8("生成评测"));
    EXPECT_TRUE(w.Check1[12]->font().bold());
    EXPECT_FALSE(w.Check1[13]->font().bold());
    for (int i = 0; i < kLabelCount; ++i)
        EXPECT_NE(w.Label1[i], nullptr) << i;
}

TEST(ReviewForm, MouseReleaseSetsEnabledStates)
{
    LoadedForm f;
    Form1& w = f.form;
    f.click(w.Check1[1]);  // untick 拼接
    EXPECT_EQ(w.Check1[1]->value(), 0);
    for (int i : {7, 8, 9})
        EXPECT_FALSE(w.Combo1[i]->isEnabled()) << i;
    EXPECT_TRUE(w.Combo1[10]->isEnabled());
    f.click(w.Check1[1]);
    for (int i : {7, 8, 9})
        EXPECT_TRUE(w.Combo1[i]->isEnabled()) << i;

    // The space bar toggles the value only.
    QTest::keyClick(w.Check1[1], Qt::Key_Space);
    EXPECT_EQ(w.Check1[1]->value(), 0);
    EXPECT_TRUE(w.Combo1[7]->isEnabled());

    f.click(w.Check1[36]);  // untick 角块
    for (int i : {25, 30, 35, 37, 42, 44})
        EXPECT_FALSE(w.Check1[i]->isEnabled()) << i;
    EXPECT_FALSE(w.Combo1[28]->isEnabled());
    EXPECT_FALSE(w.Combo1[35]->isEnabled());
    EXPECT_TRUE(w.Check1[24]->isEnabled());
    EXPECT_EQ(w.Check1[30]->value(), 0);  // values stay
}

TEST(ReviewForm, ReadingAFileLeavesEnabledStates)
{
    LoadedForm f;
    Form1& w = f.form;
    OptionValues v = defaultOptions();
    v.texts[0] = "k";
    v.checks[12] = 0;
    v.checks[36] = 2;
    saveOptionState(w.programFolder, "k", v);
    w.Text1[0]->setText("k");
    f.click(w.Command2[1]);
    EXPECT_EQ(w.windowTitle(), "Revoran v1.0");
    EXPECT_EQ(w.Check1[12]->value(), 0);
    for (int i : {13, 24, 41, 43})
        EXPECT_TRUE(w.Check1[i]->isEnabled()) << i;
    EXPECT_TRUE(w.Combo1[27]->isEnabled());
    EXPECT_TRUE(w.Combo1[34]->isEnabled());

    // A click on the greyed 角块 ticks it, the next clears it.
    f.click(w.Check1[36]);
    EXPECT_EQ(w.Check1[36]->value(), 1);
    EXPECT_TRUE(w.Check1[25]->isEnabled());
    f.click(w.Check1[36]);
    EXPECT_EQ(w.Check1[36]->value(), 0);
    EXPECT_FALSE(w.Check1[25]->isEnabled());
}

TEST(ReviewForm, SaveAndReadCaptions)
{
    LoadedForm f;
    Form1& w = f.form;
    w.Text1[0]->setText(u8("魔方"));
    w.Combo1[5]->setListIndex(2);
    w.Check1[40]->setValue(1);
    f.click(w.Command2[0]);
    EXPECT_TRUE(matchesCaption(w.windowTitle(), " 保存成功")) << w.windowTitle().toStdString();
    const QByteArray saved = testing_support::fileBytes(w.programFolder + u8("/魔方.txt"));
    EXPECT_EQ(saved.count("\r\n"), 87);

    w.Combo1[5]->setListIndex(0);
    w.Check1[40]->setValue(0);
    w.Text1[2]->setText("x");
    f.click(w.Command2[1]);
    EXPECT_EQ(w.Combo1[5]->listIndex(), 2);
    EXPECT_EQ(w.Check1[40]->value(), 1);
    EXPECT_EQ(w.t(2), "");

    // A character GBK cannot hold fails the save and keeps the file.
    w.Text1[1]->setText(u8("\xF0\x9F\x98\x80"));
    f.click(w.Command2[0]);
    EXPECT_TRUE(w.windowTitle().contains(QRegularExpression(u8("^\\d\\d:\\d\\d:\\d\\d 保存失败：.+"))))
        << w.windowTitle().toStdString();
    EXPECT_EQ(testing_support::fileBytes(w.programFolder + u8("/魔方.txt")), saved);

    // A name leading outside the folder is refused.
    w.Text1[0]->setText("../x");
    f.click(w.Command2[1]);
    EXPECT_TRUE(w.windowTitle().contains(QRegularExpression(u8("^\\d\\d:\\d\\d:\\d\\d 读取失败：.+"))));

    // Line 7 beyond the list: the texts are read, then the read fails.
    QStringList lines = optionStateLines(defaultOptions());
    lines[0] = "bad";
    lines[3] = "9cm";
    lines[6] = "3";
    platform::writeAnsiLines(w.programFolder + "/bad.txt", lines);
    w.Text1[0]->setText("bad");
    w.Combo1[0]->setListIndex(1);
    f.click(w.Command2[1]);
    EXPECT_TRUE(w.windowTitle().contains(QRegularExpression(u8("^\\d\\d:\\d\\d:\\d\\d 读取失败：.+"))));
    EXPECT_EQ(w.t(3), "9cm");
    EXPECT_EQ(w.Combo1[0]->listIndex(), 1);
}

TEST(ReviewForm, PastedLineBreaksAndLongTextsSaveAndReadBack)
{
    LoadedForm f;
    Form1& w = f.form;
    w.Text1[0]->setText(u8("魔方"));
    QApplication::clipboard()->setText(u8("三阶\r\n第二行"));
    w.Text1[1]->setFocus();
    QTest::keySequence(w.Text1[1], QKeySequence::Paste);
    EXPECT_EQ(w.t(1), u8("三阶"));
    const QString longText(40000, u'评');
    w.Text1[2]->setText(longText);
    w.Combo1[35]->setListIndex(3);
    w.Check1[44]->setValue(2);
    const OptionValues saved = w.optionValues();
    f.click(w.Command2[0]);
    EXPECT_TRUE(matchesCaption(w.windowTitle(), " 保存成功")) << w.windowTitle().toStdString();

    w.Text1[1]->clear();
    w.Text1[2]->clear();
    w.Combo1[35]->setListIndex(0);
    w.Check1[44]->setValue(0);
    w.Text1[0]->setText(u8("魔方"));
    w.setWindowTitle("Revoran v1.0");
    f.click(w.Command2[1]);
    EXPECT_EQ(w.windowTitle(), "Revoran v1.0");
    EXPECT_TRUE(w.optionValues() == saved);
    EXPECT_EQ(w.t(2), longText);
}

TEST(ReviewForm, SaveOnAFullDiskKeepsTheFileAndSaysWhy)
{
    LoadedForm f;
    Form1& w = f.form;
    w.Text1[0]->setText("X");
    w.Text1[1]->setText(QString(5000, u'旧'));
    f.click(w.Command2[0]);
    const QByteArray before = testing_support::fileBytes(w.programFolder + "/X.txt");
    w.Text1[1]->setText(QString(6000, u'新'));
    {
        testing_support::FileSizeLimit limit(4096);
        f.click(w.Command2[0]);
    }
    EXPECT_TRUE(matchesCaption(w.windowTitle(), (" 保存失败：" + std::string(std::strerror(EFBIG))).c_str()))
        << w.windowTitle().toStdString();
    EXPECT_EQ(testing_support::fileBytes(w.programFolder + "/X.txt"), before);
    platform::failNextCommitForTesting(ENOSPC);
    f.click(w.Command2[0]);
    EXPECT_TRUE(matchesCaption(w.windowTitle(), (" 保存失败：" + std::string(std::strerror(ENOSPC))).c_str()))
        << w.windowTitle().toStdString();
    EXPECT_EQ(testing_support::fileBytes(w.programFolder + "/X.txt"), before);
}

TEST(ReviewForm, ArticleShowsReplacesAndHides)
{
    LoadedForm f;
    Form1& w = f.form;
    w.Text1[0]->setText("A");
    f.click(w.Command1);
    EXPECT_TRUE(w.Text2->isVisible());
    EXPECT_TRUE(w.Command3->isVisible());
    OptionValues v = defaultOptions();
    v.texts[0] = "A";
    EXPECT_EQ(w.Text2->text(), writeArticle(articleInputOf(v)));
    EXPECT_TRUE(w.Text2->text().startsWith(u8("A评测\r\n")));

    w.Text1[0]->setText("B");
    w.Combo1[29]->setListIndex(1);
    f.click(w.Command1);
    EXPECT_TRUE(w.Text2->text().startsWith(u8("B评测\r\n")));
    EXPECT_FALSE(w.Text2->text().contains(u8("A评测")));
    EXPECT_TRUE(w.Text2->text().contains(u8("中块使用了直线倒角。")));

    const QString article = w.Text2->text();
    f.click(w.Command3);
    EXPECT_TRUE(w.Text2->isHidden());
    EXPECT_TRUE(w.Command3->isHidden());
    EXPECT_EQ(w.Text2->text(), article);
}

TEST(ReviewForm, SavesThroughLinksSayWhyTheyAreRefused)
{
    LoadedForm f;
    Form1& w = f.form;
    QTemporaryDir outside;
    ASSERT_TRUE(QFile::link(outside.path(), w.programFolder + "/linked"));
    w.Text1[0]->setText(u8("linked\\魔方"));
    f.click(w.Command2[0]);
    EXPECT_TRUE(matchesCaption(w.windowTitle(), " 保存失败：路径/文件访问错误")) << w.windowTitle().toStdString();
    EXPECT_TRUE(QDir(outside.path()).isEmpty());

    ASSERT_NE(testing_support::makeDeviceOrFifo(w.programFolder + "/dev"), 0u);
    ASSERT_TRUE(testing_support::makeLink("dev", w.programFolder + "/z.txt"));
    w.Text1[0]->setText("z");
    f.click(w.Command2[0]);
    EXPECT_TRUE(matchesCaption(w.windowTitle(), (" 保存失败：" + std::string(std::strerror(EPERM))).c_str()))
        << w.windowTitle().toStdString();
    EXPECT_EQ(testing_support::kindOf(w.programFolder + "/z.txt"), mode_t(S_IFLNK));

    // A long Chinese name saves.
    w.Text1[0]->setText(u8("中").repeated(83));
    f.click(w.Command2[0]);
    EXPECT_TRUE(matchesCaption(w.windowTitle(), " 保存成功")) << w.windowTitle().toStdString();
}
