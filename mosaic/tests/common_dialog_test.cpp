#include "mosaic/common_dialog.h"

#include "platform/color_value.h"
#include "platform/dialogs.h"
#include "platform/text_file.h"

#include <gtest/gtest.h>

#include "platform/testing/test_helpers.h"

using namespace mosaic;
using platform::FileDialogRecord;

using testing_support::u8;

namespace {


// Installs dialog hooks for one test.
struct Hooks {
    explicit Hooks(platform::DialogHooks h) : old(platform::setDialogHooks(std::move(h))) {}
    ~Hooks() { platform::setDialogHooks(std::move(old)); }
    platform::DialogHooks old;
};

QByteArray bytes(const char* s, int n) { return QByteArray(s, n); }

// Answers a file dialog with a chosen name, its title and a filter pair.
int32_t choose(FileDialogRecord& r, const QString& path, const QString& title, int32_t index)
{
    QByteArray name = platform::encodeAnsi(path);
    r.file = name + QByteArray(r.maxFile - name.size(), '\0');
    QByteArray t = platform::encodeAnsi(title);
    r.fileTitle = t + QByteArray(r.maxFileTitle - t.size(), '\0');
    r.filterIndex = index;
    return 1;
}

}  // namespace

TEST(CommonDialog, OpenDialogFilterNamesAndFlags)
{
    FileDialogRecord seen;
    // 刓 has the trail byte "\" in GBK.
    const QString chosen = u8("C:\\图片\\刓.bmp");
    Hooks hooks({[&](FileDialogRecord& r) {
                     seen = r;
                     r.flags |= platform::kOfnReadOnly;
                     return choose(r, chosen, u8("刓.bmp"), 1);
                 },
                 nullptr, nullptr});
    cCommonDialog dlg;
    QString name = u8("old.bmp");
    QString title;
    bool readOnly = false;
    QString filter = QStringLiteral("a|*.x");
    int32_t index = 1;
    int32_t flags = 0x60 | 0x80000;
    ASSERT_TRUE(dlg.VBGetOpenFileName(name, title, true, false, readOnly, true, filter, index, u8("C:\\"),
                                      u8("打开"), u8("bmp"), nullptr, flags));
    EXPECT_EQ(seen.filter, bytes("a\0*.x\0\0", 7));
    EXPECT_EQ(seen.structSize, 76);
    EXPECT_EQ(seen.maxFile, 260);
    EXPECT_EQ(seen.file.size(), 260);
    EXPECT_TRUE(seen.file.startsWith("old.bmp\0"));
    EXPECT_EQ(seen.title, platform::encodeAnsi(u8("打开")));
    EXPECT_EQ(seen.flags, 0x80000 | 0x1000 | 0x4);  // hook and template bits cleared
    EXPECT_EQ(dlg.APIReturn(), 1);
    EXPECT_EQ(name, chosen);  // whole, no trailing NULs
    EXPECT_EQ(title, u8("刓.bmp"));
    EXPECT_EQ(filter, QString(QStringLiteral("a") + QChar(0) + QStringLiteral("*.x")));
    EXPECT_EQ(index, 1);
    EXPECT_TRUE(readOnly);
    EXPECT_EQ(flags, 0x80000 | 0x1000 | 0x4 | 0x1);
}

TEST(CommonDialog, ColonSplitsLikeBarAndTheChosenPairComesBack)
{
    FileDialogRecord seen;
    Hooks hooks({[&](FileDialogRecord& r) {
                     seen = r;
                     return choose(r, u8("x.txt"), u8("x.txt"), 2);
                 },
                 nullptr, nullptr});
    cCommonDialog dlg;
    QString name, title;
    bool readOnly = false;
    QString filter = u8("图片:*.bmp|文本:*.txt;*.log");
    int32_t index = 1;
    int32_t flags = 0;
    ASSERT_TRUE(dlg.VBGetOpenFileName(name, title, false, true, readOnly, false, filter, index, QString(),
                                      QString(), QString(), nullptr, flags));
    EXPECT_EQ(seen.filter, platform::encodeAnsi(u8("图片")) + bytes("\0*.bmp\0", 7) + platform::encodeAnsi(u8("文本")) +
                               bytes("\0*.txt;*.log\0\0", 14));
    EXPECT_EQ(seen.flags, 0x200);
    EXPECT_EQ(filter, u8("文本") + QChar(0) + u8("*.txt;*.log"));
    EXPECT_EQ(index, 2);
    EXPECT_FALSE(readOnly);
}

TEST(CommonDialog, CancelAndFailureClearTheOutputs)
{
    int32_t answer = 0;
    int32_t failure = 0;
    FileDialogRecord seen;
    const auto respond = [&](FileDialogRecord& r) {
        seen = r;
        platform::setCommDlgExtendedError(failure);
        return answer;
    };
    Hooks hooks({respond, respond, nullptr});
    cCommonDialog dlg;
    for (int32_t result : {0, 7}) {
        for (int32_t code : {0, platform::kFnErrBufferTooSmall}) {
            answer = result;
            failure = code;
            QString name = u8("a.txt"), title = u8("a"), filter = u8("a|*.x");
            bool readOnly = false;
            int32_t index = 1, flags = 5;
            EXPECT_FALSE(dlg.VBGetOpenFileName(name, title, false, false, readOnly, false, filter, index, QString(),
                                               QString(), QString(), nullptr, flags));
            EXPECT_TRUE(name.isEmpty() && title.isEmpty() && filter.isEmpty());
            EXPECT_EQ(index, -1);
            EXPECT_EQ(flags, 0);
            EXPECT_EQ(dlg.APIReturn(), result);
            EXPECT_EQ(dlg.ExtendedError(), code);

            name = u8("b.txt");
            filter = u8("a|*.x");
            index = 1;
            flags = 0x40;
            EXPECT_FALSE(dlg.VBGetSaveFileName(name, title, true, filter, index, QString(), QString(), QString(),
                                               nullptr, flags));
            EXPECT_EQ(seen.flags, 0x2 | 0x4);
            EXPECT_TRUE(name.isEmpty() && filter.isEmpty());
            EXPECT_EQ(index, 0);
            EXPECT_EQ(dlg.ExtendedError(), code);
        }
    }
}

TEST(CommonDialog, CustomColoursAndTheColourDialog)
{
    cCommonDialog dlg;
    EXPECT_EQ(dlg.CustomColor(0), platform::rgbValue(200, 200, 200));
    EXPECT_EQ(dlg.CustomColor(15), platform::getSysColor(15));
    EXPECT_EQ(dlg.CustomColor(16), -1);
    EXPECT_EQ(dlg.CustomColor(-1), -1);
    std::array<int32_t, 16> before{};
    for (int16_t i = 0; i < 16; ++i)
        before[size_t(i)] = dlg.CustomColor(i);
    dlg.CustomColor(16, 123);
    dlg.CustomColor(-1, 123);
    for (int16_t i = 0; i < 16; ++i)
        EXPECT_EQ(dlg.CustomColor(i), before[size_t(i)]);
    dlg.CustomColor(3, 0x123456);

    platform::ColorDialogRecord seen;
    int32_t answer = 1;
    Hooks hooks({nullptr, nullptr, [&](platform::ColorDialogRecord& r) {
                     seen = r;
                     EXPECT_EQ(r.custColors[3], 0x123456);
                     r.custColors[0] = 0x0000FF;
                     r.rgbResult = 0x00FF00;
                     return answer;
                 }});
    int32_t colour = 0xABCDEF;
    EXPECT_TRUE(dlg.VBChooseColor(colour, false, true, false, nullptr, 0x30 | 0x8));
    EXPECT_EQ(seen.structSize, 36);
    EXPECT_EQ(seen.rgbResult, 0xABCDEF);
    EXPECT_EQ(seen.flags, 0x8 | 0x80 | 0x1 | 0x2);
    EXPECT_EQ(colour, 0x00FF00);
    EXPECT_EQ(dlg.CustomColor(0), 0x0000FF);  // the dialog's changes stay
    answer = 0;
    EXPECT_FALSE(dlg.VBChooseColor(colour, true, false, true, nullptr, 0));
    EXPECT_EQ(seen.flags, 0x100 | 0x1 | 0x4);
    EXPECT_EQ(colour, -1);
    EXPECT_EQ(dlg.ExtendedError(), 0);
}

TEST(CommonDialog, FileTitle)
{
    cCommonDialog dlg;
    EXPECT_EQ(dlg.VBGetFileTitle(u8("C:\\dir\\b.txt")), u8("b.txt"));
    EXPECT_EQ(dlg.VBGetFileTitle(u8("C:\\dir\\刓.txt")), u8("刓.txt"));
    EXPECT_EQ(dlg.VBGetFileTitle(u8("C:\\dir\\")), QString());
    EXPECT_EQ(dlg.VBGetFileTitle(u8("C:\\dir\\*.txt")), QString());
    EXPECT_EQ(dlg.VBGetFileTitle(QString(300, QLatin1Char('a'))), QString());  // longer than the buffer
}
