// "生成图片": the pattern sampled from the working picture and drawn into the
// preview window, row by row, letting events run between rows.
#include "mosaic/form1_base.h"

#include "mosaic/form2.h"
#include "platform/events.h"
#include "platform/message_box.h"
#include "platform/numbers.h"

#include <QScopedValueRollback>

namespace mosaic {

using namespace platform;

PatternInput Form1Base::patternInput() const
{
    PatternInput in;
    in.W = leadingNumber(Text1->text());
    in.H = leadingNumber(Text2->text());
    in.gap = leadingNumber(Text5->text());
    in.size = leadingNumber(Text6->text());
    in.order = leadingNumber(Text7->text());
    in.grid = Check1->value() == 1;
    in.cubeSep = Check3->value() == 1;
    return in;
}

QString Form1Base::readCheckedPattern(PatternInput& in, PreviewGrid& grid, bool forDrawing) const
{
    in = patternInput();
    QString error = checkPatternSize(in.W, in.H, Picture1->imageWidth(), Picture1->imageHeight());
    if (error.isEmpty())
        error = readPreviewGrid(in, grid, forDrawing);
    return error;
}

void Form1Base::Command2_Click()
{
    if (generating)
        return;
    QScopedValueRollback<bool> running(generating, true);

    PatternInput in;
    PreviewGrid grid;
    QString error = readCheckedPattern(in, grid, true);
    const double pictureWidth = Picture1->imageWidth();
    const double pictureHeight = Picture1->imageHeight();
    if (error.isEmpty())
        error = checkPreviewSize(grid, in.W, in.H);
    if (error.isEmpty() && !form2_->startPattern(previewSize(grid, in.W, in.H), Check2->value() == 1 ? kWhiteColor : 0))
        error = QString::fromUtf8("预览图片过大");
    if (!error.isEmpty()) {
        msgBox(this, error, QString::fromUtf8("错误"));
        return;
    }
    gapColor = Check2->value() == 1 ? kWhiteColor : 0;
    cubeOrder = grid.cubeOrder;
    cubeSep = grid.cubeSep;
    form2_->show();

    SamplingGrid sampling(pictureWidth, pictureHeight, in.W, in.H);
    const int discards = form2_->discardCount();
    std::vector<ColorValue> samples;
    std::vector<int16_t> faces;
    for (int32_t row = 0; row < sampling.rowCount(); ++row) {
        doEvents();
        // Closing the preview discards the pattern: stop drawing it.
        if (form2_->discardCount() != discards)
            break;
        sampling.updateColumnStep(leadingNumber(Text1->text()));
        sampling.sampleRow(Picture1->image(), row, samples);
        FaceMatcher(targetDistances(), palette.faceColor).faces(samples, faces);
        drawCellRow(form2_->picture()->imageForWriting(), grid, row, faces, palette.faceColor);
        form2_->picture()->refresh();
    }
}

void Form1Base::m3_Click()
{
    form2_->hide();
}

}  // namespace mosaic
