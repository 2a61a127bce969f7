// Edition 1.0's side of the tone curve: the curve box's handlers, and the
// application of the curve from the backing copy into the working picture
// whenever the box reports a change.
#include "mosaic/form1.h"

#include "mosaic/fast_drawing.h"

namespace mosaic {

// Start-up block of the tone curve: its points and the first curve build.
void Form1::setupToneCurve()
{
    picCurve->start();
}

void Form1::connectCurveHandlers()
{
    connect(picCurve, &CurveEditor::curveChanged, this, [this] { drawCurves(PicBACK, Picture1); });
}

void Form1::picCurve_MouseDown(int Button, int Shift, float X, float Y)
{
    picCurve->mouseDownAt(Button, Shift, X, Y);
}

void Form1::picCurve_MouseMove(int Button, int Shift, float X, float Y)
{
    picCurve->mouseMoveAt(Button, Shift, X, Y);
}

void Form1::picCurve_MouseUp(int Button, int Shift, float X, float Y)
{
    picCurve->mouseUpAt(Button, Shift, X, Y);
}

void Form1::drawCurves(platform::PictureBox* srcPic, platform::PictureBox* dstPic)
{
    FastDrawing drawing;
    const int32_t width = drawing.GetImageWidth(*srcPic);
    const int32_t height = drawing.GetImageHeight(*srcPic);
    // The buffer is kept between updates, so a drag allocates no new one.
    drawing.GetImageData2D(*srcPic, curveBuffer_);
    const ToneTable lut = toneLut(picCurve->curve().curveY);
    applyToneLut(curveBuffer_, width, height, lut);
    drawing.SetImageData2D(*dstPic, width, height, curveBuffer_);
}

}  // namespace mosaic
