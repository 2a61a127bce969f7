// The picture size a file's header declares, read without the image reader:
// its JPEG and BMP readers refuse dimensions beyond what they decode (65500
// pixels a side, 16384 x 16384 pixels) before they tell any size, so that a
// picture too large to load would look like no picture at all.
#pragma once

#include <QSize>

class QIODevice;

namespace platform {

// The width and height in the header of a JPEG (its first frame header) or a
// BMP file read from the device's current position; invalid for any other
// format or a header that declares no usable size. The position is restored.
QSize declaredPictureSize(QIODevice& device);

}  // namespace platform
