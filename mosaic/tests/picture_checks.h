// Checks of the working picture that both editions share. Each runs on a main
// window after start-up, with a temporary folder for the pictures it makes;
// the edition's own test checks its restore point around them.
#pragma once

#include "mosaic/form1_base.h"

#include <QTemporaryDir>

namespace picture_checks {

// Drops an 8000 x 6000 photo made here, then generates an 80 x 60 pattern.
void largePhotoLoadsAndGenerates(mosaic::Form1Base& w, const QTemporaryDir& dir);

// Drops three pictures beyond 200 megapixels (only their headers are
// written: BMP and JPEG among them): the message for each, and the picture,
// the boxes and the estimates stay as they were.
void tooLargePictureIsRefused(mosaic::Form1Base& w, const QTemporaryDir& dir);

// A pattern smaller than the preview window's smallest size (width and
// height 2, size 3, gap 1: 11 x 11 pixels): the whole client area shows the
// gap colour around the drawing, and a right click anywhere in it opens the
// menu; with white and with black gaps.
void smallPatternFillsThePreview(mosaic::Form1Base& w);

// Left, right and middle clicks pick the screen colour; a press released
// outside the working picture picks nothing.
void everyButtonClickPicks(mosaic::Form1Base& w);

// A dark picture larger than the window: the frames' captions stay on the
// frames' own background; more: further captions of the edition.
void captionsStayOverAGrownPicture(mosaic::Form1Base& w, const QTemporaryDir& dir, const QList<QWidget*>& more = {});

// A 131 x 124 picture dropped right after start-up, when the size boxes
// already hold 131 and 124, shows the whole cost.
void dropOfTheStartSizeShowsTheCost(mosaic::Form1Base& w, const QTemporaryDir& dir);

}  // namespace picture_checks
