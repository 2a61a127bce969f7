#include "mosaic/form1.h"
#include "mosaic/form2.h"
#include "mosaic/pattern_text.h"
#include "mosaic/tests/picture_checks.h"
#include "platform/color_value.h"
#include "platform/testing/file_size_limit.h"
#include "platform/testing/window_helpers.h"
#include "platform/text_file.h"
#include "platform/time_text.h"

#include <QDir>
#include <QImageReader>
#include <QMenu>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <cerrno>
#include <cstring>
#include <gtest/gtest.h>

using namespace mosaic;
using testing_support::MessageRecorder;

using testing_support::u8;

namespace {


struct LoadedForm {
    QTemporaryDir dir;
    Form1 form{dir.path()};
    LoadedForm() { form.Form_Load(); }

    // A 6 x 2 picture in the six face colours, every target 0: each sample
    // matches its own face exactly.
    void facePicture()
    {
        QImage img(6, 2, QImage::Format_RGB32);
        for (int y = 0; y < 2; ++y)
            for (int x = 0; x < 6; ++x)
                img.setPixel(x, y, platform::toQRgb(form.palette.faceColor[size_t(x)]));
        form.Picture1->setImage(img);
        for (auto* box : form.Text3)
            box->setText("0");
        form.Text1->setText("6");
        form.Text2->setText("2");
    }
    QStringList saved(const QString& ext) const
    {
        return QDir(dir.path()).entryList({"*." + ext}, QDir::Files);
    }
};

}  // namespace

TEST(PatternText, SymbolsAndLines)
{
    EXPECT_FALSE(faceSymbols("RGBWO"));
    const auto lower = faceSymbols("rgbwoyk");
    ASSERT_TRUE(lower);
    EXPECT_EQ((*lower)[0] + (*lower)[5], u8("ｒｙ"));
    const FaceSymbols symbols = *faceSymbols("RGBWOY");
    const std::vector<int16_t> faces{0, 0, 0, 1, 1, 1, 2};
    EXPECT_EQ(patternLine(faces, symbols, true, 3), u8("ＲＲＲ ＧＧＧ Ｂ"));
    EXPECT_EQ(patternLine(faces, symbols, false, 3), u8("ＲＲＲＧＧＧＢ"));
    EXPECT_EQ(patternLine(faces, symbols, false, 0), u8("ＲＲＲＧＧＧＢ"));
    EXPECT_EQ(patternLine({0, 1, 2}, symbols, true, 3), u8("ＲＧＢ "));

    // Characters beyond the basic plane count once each, and stay whole.
    EXPECT_FALSE(faceSymbols(u8("😀😀😀")));
    EXPECT_FALSE(faceSymbols(u8("😀😀😀ab")));
    const auto faces6 = faceSymbols(u8("😀a😀😀😀😀😀"));
    ASSERT_TRUE(faces6);
    EXPECT_EQ((*faces6)[0], u8("😀"));
    EXPECT_EQ((*faces6)[1], u8("ａ"));
    EXPECT_EQ((*faces6)[5], u8("😀"));
    EXPECT_EQ(patternLine({0, 1}, *faces6, false, 3), u8("😀ａ"));
}

TEST(PatternText, FileBytesInGbk)
{
    LoadedForm f;
    Form1& w = f.form;
    f.facePicture();
    w.Check3->setValue(1);
    MessageRecorder messages;
    w.Command6->click();
    const QStringList files = f.saved("txt");
    ASSERT_EQ(files.size(), 1);
    EXPECT_TRUE(QRegularExpression("^\\d{14}\\.txt$").match(files[0]).hasMatch()) << files[0].toStdString();
    EXPECT_EQ(messages.texts, QStringList{u8("已保存为") + files[0]});
    EXPECT_EQ(messages.titles, QStringList{u8("保存成功")});
    // Seven columns (the last beyond the picture, white), three rows (the
    // last white), a space after every third symbol, an empty line after row 3.
    const QByteArray face = QByteArray::fromHex("a3d2a3c7a3c220a3d7a3cfa3d920a3d70d0a");
    const QByteArray white = QByteArray::fromHex("a3d7a3d7a3d720a3d7a3d7a3d720a3d70d0a");
    EXPECT_EQ(testing_support::fileBytes(f.dir.filePath(files[0])), face + face + white + "\r\n");
    EXPECT_EQ(w.cubeOrder, 3);
    EXPECT_TRUE(w.cubeSep);
    EXPECT_FALSE(w.form2()->isVisible());
}

TEST(PatternText, RefusalsWriteNothing)
{
    LoadedForm f;
    Form1& w = f.form;
    f.facePicture();
    MessageRecorder messages;
    w.Text9->setText("RGBWO");
    w.Command6->click();
    w.Text9->setText("RGBWOY");
    w.Text1->setText("7");
    w.Command6->click();
    w.Text1->setText("0");
    w.Command6->click();
    w.Text1->setText("6");
    w.Check3->setValue(1);
    w.Text7->setText("0");
    w.Command6->click();
    EXPECT_EQ(messages.texts, (QStringList{u8("文本符号少于6个"), u8("宽高像素值超过图片最大像素值"),
                                           u8("宽度必须大于0"), u8("魔方阶数必须大于0")}));
    EXPECT_EQ(messages.titles, QStringList(4, u8("错误")));
    EXPECT_TRUE(f.saved("txt").isEmpty());
    // Order 0 with the separators off is fine.
    w.Check3->setValue(0);
    w.Command6->click();
    EXPECT_EQ(f.saved("txt").size(), 1);

    // Three characters of two units each are still three; six of them are
    // taken, and a save names the whole character GBK cannot hold.
    messages.texts.clear();
    messages.titles.clear();
    w.Text9->setText(u8("😀😀😀"));
    w.Command6->click();
    w.Text9->setText(u8("😀😀😀😀😀😀"));
    w.Command6->click();
    ASSERT_EQ(messages.texts.size(), 2);
    EXPECT_EQ(messages.texts[0], u8("文本符号少于6个"));
    EXPECT_TRUE(messages.texts[1].startsWith(u8("无法保存文件"))) << messages.texts[1].toStdString();
    EXPECT_TRUE(messages.texts[1].endsWith(u8("字符“😀”无法以GBK编码保存"))) << messages.texts[1].toStdString();
    EXPECT_EQ(messages.titles, QStringList(2, u8("错误")));
    EXPECT_EQ(f.saved("txt").size(), 1);
    w.Text9->setText("RGBWOY");

    // A folder that cannot be written: an error, never 保存成功.
    Form1 lost(f.dir.filePath("missing"));
    lost.Form_Load();
    messages.texts.clear();
    messages.titles.clear();
    lost.Command6->click();
    lost.Command1->click();
    ASSERT_EQ(messages.titles, QStringList(2, u8("错误")));
    EXPECT_TRUE(messages.texts[0].startsWith(u8("无法保存文件")));
    EXPECT_TRUE(messages.texts[0].endsWith(".txt\n" + QString::fromLocal8Bit(std::strerror(ENOENT))));
    EXPECT_TRUE(messages.texts[1].endsWith(".bmp\n" + QString::fromLocal8Bit(std::strerror(ENOENT))));
}

TEST(PatternOutput, SavesOnAFullDiskKeepTheEarlierFilesAndSayWhy)
{
    LoadedForm f;
    Form1& w = f.form;
    w.Picture1->setImage(testing_support::patternImage(60, 60));
    w.Text1->setText("60");
    w.Text2->setText("60");
    // Earlier files under every name the next seconds give.
    const QDateTime now = QDateTime::currentDateTime();
    QStringList names;
    for (int second = 0; second < 5; ++second)
        for (const char* ext : {".BMP", ".txt"})
            names << platform::stampName(now.addSecs(second)) + ext;
    for (const QString& name : names)
        testing_support::writeBytes(f.dir.filePath(name), "earlier " + name.toUtf8());

    MessageRecorder messages;
    for (const int error : {EFBIG, ENOSPC}) {
        messages.texts.clear();
        messages.titles.clear();
        if (error == EFBIG) {
            // The disk fills after 4 KB of each file.
            testing_support::FileSizeLimit limit(4096);
            w.Command1->click();
            w.Command6->click();
        } else {
            // The last step of each save fails.
            platform::failNextCommitForTesting(error);
            w.Command1->click();
            platform::failNextCommitForTesting(error);
            w.Command6->click();
        }
        const QString reason = QString::fromLocal8Bit(std::strerror(error));
        EXPECT_EQ(messages.titles, QStringList(2, u8("错误")));
        ASSERT_EQ(messages.texts.size(), 2);
        EXPECT_TRUE(messages.texts[0].startsWith(u8("无法保存文件")));
        EXPECT_TRUE(messages.texts[0].endsWith(".bmp\n" + reason)) << messages.texts[0].toStdString();
        EXPECT_TRUE(messages.texts[1].endsWith(".txt\n" + reason)) << messages.texts[1].toStdString();
    }
    for (const QString& name : names)
        EXPECT_EQ(testing_support::fileBytes(f.dir.filePath(name)), "earlier " + name.toUtf8());
    EXPECT_EQ(QDir(f.dir.path()).entryList(QDir::Files).size(), names.size());  // no temporary file left
}

TEST(Generation, DrawsThePreviewAndSavesA24BitBmp)
{
    LoadedForm f;
    Form1& w = f.form;
    f.facePicture();
    w.Check2->setValue(1);
    MessageRecorder messages;
    w.Command2->click();
    EXPECT_TRUE(messages.texts.isEmpty());
    Form2* preview = w.form2();
    ASSERT_TRUE(preview->isVisible());
    const QImage& img = preview->picture()->image();
    ASSERT_EQ(img.size(), QSize(6 * 4 + 3, 2 * 4 + 3));
    EXPECT_EQ(w.gapColor, 0xFFFFFF);
    EXPECT_EQ(preview->picture()->point(0, 0), 0xFFFFFF);
    EXPECT_EQ(preview->picture()->point(2, 2), w.palette.faceColor[0]);
    EXPECT_EQ(preview->picture()->point(6, 4), w.palette.faceColor[1]);
    EXPECT_EQ(preview->picture()->point(22, 6), w.palette.faceColor[5]);

    w.Command1->click();
    const QStringList files = f.saved("BMP");
    ASSERT_EQ(files.size(), 1);
    EXPECT_EQ(messages.texts, QStringList{u8("已保存为") + files[0].chopped(4) + ".bmp"});
    EXPECT_EQ(messages.titles, QStringList{u8("保存成功")});
    EXPECT_FALSE(preview->isVisible());
    const QByteArray bytes = testing_support::fileBytes(f.dir.filePath(files[0]));
    ASSERT_GT(bytes.size(), 30);
    EXPECT_EQ(bytes.left(2), "BM");
    EXPECT_EQ(int(bytes[28]), 24);
    QImageReader reader(f.dir.filePath(files[0]));
    const QImage back = reader.read().convertToFormat(QImage::Format_RGB32);
    EXPECT_EQ(back, img);
}

TEST(Generation, RefusedSettingsDrawNothing)
{
    LoadedForm f;
    Form1& w = f.form;
    MessageRecorder messages;
    w.Text1->setText("261");
    w.Command2->click();
    w.Text1->setText("0");
    w.Command2->click();
    w.Text1->setText("131");
    w.Text6->setText("40000");
    w.Command2->click();
    w.Text6->setText("3");
    w.Check3->setValue(1);
    w.Text7->setText("-2");
    w.Command2->click();
    w.Text7->setText("3");
    w.Text6->setText("30000");
    w.Text5->setText("30000");
    w.Command2->click();
    EXPECT_EQ(messages.texts, (QStringList{u8("宽高像素值超过图片最大像素值"), u8("宽度必须大于0"),
                                           u8("矩形大小超出范围"), u8("魔方阶数必须大于0"), u8("预览图片过大")}));
    EXPECT_FALSE(w.form2()->isVisible());
    EXPECT_EQ(w.cubeOrder, 0);
    EXPECT_EQ(w.gapColor, 0);
}

TEST(Generation, PreviewMenuAndClosing)
{
    LoadedForm f;
    Form1& w = f.form;
    w.Text1->setText("20");
    w.Text2->setText("20");
    w.Command2->click();
    Form2* preview = w.form2();
    ASSERT_TRUE(preview->isVisible());
    QTest::mouseClick(preview->picture(), Qt::LeftButton, {}, QPoint(3, 3));
    EXPECT_FALSE(w.menu1->isVisible());
    QTest::mouseClick(preview->picture(), Qt::RightButton, {}, QPoint(3, 3));
    EXPECT_TRUE(w.menu1->isVisible());
    const QList<QAction*> items = w.menu1->actions();
    ASSERT_EQ(items.size(), 3);
    EXPECT_EQ(items[0]->text(), u8("保存图片"));
    EXPECT_TRUE(items[1]->isSeparator());
    EXPECT_EQ(items[2]->text(), u8("关闭"));
    w.menu1->hide();
    // 关闭 hides and keeps the drawing; the close box discards it.
    const QImage drawn = preview->picture()->image();
    w.m3->trigger();
    EXPECT_FALSE(preview->isVisible());
    EXPECT_EQ(preview->picture()->image(), drawn);
    preview->show();
    preview->close();
    EXPECT_FALSE(preview->isVisible());
    EXPECT_EQ(preview->picture()->image().size(), QSize(1, 1));
    EXPECT_EQ(preview->picture()->point(0, 0), 0);
    // A second generation works as the first.
    w.Command2->click();
    EXPECT_TRUE(preview->isVisible());
    EXPECT_EQ(preview->picture()->image(), drawn);
}

TEST(Generation, SmallPatternFillsThePreview)
{
    LoadedForm f;
    picture_checks::smallPatternFillsThePreview(f.form);
}

TEST(Generation, SecondClickWhileRunningIsIgnored)
{
    LoadedForm f;
    Form1& w = f.form;
    f.facePicture();
    MessageRecorder messages;
    // Events run between rows: a queued second click and a width edit that
    // gives no column step arrive in the middle of the run.
    QTimer::singleShot(0, &w, [&] {
        w.Check2->setValue(1);
        w.Command2->click();
        w.Text1->setText("abc");
    });
    w.Command2->click();
    EXPECT_EQ(w.gapColor, 0);
    EXPECT_EQ(w.form2()->picture()->point(22, 6), w.palette.faceColor[5]);
    EXPECT_EQ(w.form2()->picture()->point(22, 10), 0xFFFFFF);  // third row, all columns kept

    w.Text1->setText("6");
    QTimer::singleShot(0, &w, [&] {
        w.Command6->click();
        w.Text1->setText("abc");
    });
    w.Command6->click();
    EXPECT_EQ(messages.titles, QStringList{u8("保存成功")});
    const QStringList files = f.saved("txt");
    ASSERT_EQ(files.size(), 1);
    const QByteArray bytes = testing_support::fileBytes(f.dir.filePath(files[0]));
    EXPECT_EQ(bytes.count("\r\n"), 3);
    EXPECT_EQ(bytes.size(), 3 * (7 * 2 + 2));
}
