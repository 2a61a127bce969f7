// The pattern leaves the program: the preview's image as a BMP and the same
// sampling as a text of full-width face symbols, both named by the time.
#include "mosaic/form1_base.h"

#include "mosaic/form2.h"
#include "mosaic/pattern_text.h"
#include "platform/events.h"
#include "platform/message_box.h"
#include "platform/numbers.h"
#include "platform/program_folder.h"
#include "platform/text_file.h"
#include "platform/time_text.h"

#include <QScopedValueRollback>
#include "platform/u8.h"

namespace mosaic {

using namespace platform;

namespace {

using platform::u8;

// The failure message of a save: the file's name and the system's reason.
QString saveFailure(const QString& name, const QString& reason)
{
    return u8("无法保存文件") + name + u'\n' + reason;
}

}  // namespace

void Form1Base::Command1_Click()
{
    // The preview sized by the current boxes, with the cube order and
    // separators of the last generation or text output.
    PatternInput in = patternInput();
    in.order = cubeOrder;
    in.cubeSep = cubeSep;
    PreviewGrid grid;
    QString error = readPreviewGrid(in, grid, true);
    if (error.isEmpty())
        error = checkPreviewSize(grid, in.W, in.H);
    if (error.isEmpty() && !form2_->resizePattern(previewSize(grid, in.W, in.H)))
        error = u8("预览图片过大");
    if (!error.isEmpty()) {
        msgBox(this, error, u8("错误"));
        return;
    }
    const QString stamp = stampName();
    const QString path = fileInFolder(programFolder, stamp + QStringLiteral(".BMP"));
    QString reason = u8("文件名无效");
    if (path.isEmpty() || !form2_->picture()->saveBmp(path, &reason)) {
        msgBox(this, saveFailure(stamp + QStringLiteral(".bmp"), reason), u8("错误"));
        return;
    }
    msgBox(this, u8("已保存为") + stamp + QStringLiteral(".bmp"), u8("保存成功"));
    form2_->hide();
}

void Form1Base::m1_Click()
{
    Command1_Click();
}

void Form1Base::Command6_Click()
{
    if (writingText)
        return;
    QScopedValueRollback<bool> running(writingText, true);

    const std::optional<FaceSymbols> symbols = faceSymbols(Text9->text());
    if (!symbols) {
        msgBox(this, u8("文本符号少于6个"), u8("错误"));
        return;
    }
    PatternInput in;
    PreviewGrid grid;
    const QString error = readCheckedPattern(in, grid, false);
    const double pictureWidth = Picture1->imageWidth();
    const double pictureHeight = Picture1->imageHeight();
    if (!error.isEmpty()) {
        msgBox(this, error, u8("错误"));
        return;
    }
    const QString stamp = stampName();
    const QString path = fileInFolder(programFolder, stamp + QStringLiteral(".txt"));
    cubeOrder = grid.cubeOrder;
    cubeSep = grid.cubeSep;

    SamplingGrid sampling(pictureWidth, pictureHeight, in.W, in.H);
    QStringList lines;
    std::vector<ColorValue> samples;
    std::vector<int16_t> faces;
    for (int32_t row = 0; row < sampling.rowCount(); ++row) {
        doEvents();
        sampling.updateColumnStep(leadingNumber(Text1->text()));
        sampling.sampleRow(Picture1->image(), row, samples);
        FaceMatcher(targetDistances(), palette.faceColor).faces(samples, faces);
        lines << patternLine(faces, *symbols, grid.cubeSep, grid.cubeOrder);
        if (grid.cubeSep && endsCube(row, grid.cubeOrder))
            lines << QString();
    }
    // Written whole or not at all, before the confirmation.
    try {
        if (path.isEmpty())
            throw TextFileError("文件名无效");
        writeAnsiLines(path, lines);
    } catch (const TextFileError& e) {
        msgBox(this, saveFailure(stamp + QStringLiteral(".txt"), QString::fromUtf8(e.what())), u8("错误"));
        return;
    }
    msgBox(this, u8("已保存为") + stamp + QStringLiteral(".txt"), u8("保存成功"));
}

}  // namespace mosaic
