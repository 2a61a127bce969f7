#include "mosaic/form1.h"

namespace mosaic {

// Start-up block of the tone curve: its points and the first curve build.
void Form1::setupToneCurve() {}

}  // namespace mosaic
