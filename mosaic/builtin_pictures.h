// Pictures the program carries: the start picture of the working picture and
// the window icon.
#pragma once

#include <QIcon>
#include <QImage>

namespace mosaic {

// 260 x 247 pixels: a 3 x 3 cube face of the six shades on black.
QImage startPicture();

QIcon windowIconPicture();

}  // namespace mosaic
