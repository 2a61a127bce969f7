// The image effects and the colour replace of the working picture, as plain
// functions over 32-bit RGB pictures (QImage::Format_RGB32, 0xffRRGGBB).
// They work on whole rows with integer arithmetic and give exactly the pixels
// of the per-pixel definitions; large pictures are split into row bands over
// several threads.
#pragma once

#include "mosaic/palette.h"

#include <QImage>
#include <cstdint>

namespace mosaic {

// Indices of the effect buttons.
enum EffectIndex : int16_t {
    kSmooth = 0,
    kEmboss,
    kWeather,
    kErode,
    kDarken,
    kDiffuse,
    kErase,
};
constexpr int kEffects = 7;

// Threads worth using for a picture of that many pixels: one for small
// pictures, otherwise all processors but one.
int effectThreads(qint64 pixels);

// Applies effect 0..5 to src and leaves the result in dst, which takes src's
// size. Only the interior (columns 1..W-2, rows 1..H-2) is computed; the
// outermost one-pixel frame keeps its source pixels. dst's pixel buffer is
// reused when it has the right size and is not shared with another image.
// seed drives the diffuse effect (the same seed gives the same result,
// whatever the thread count). threads 0 means effectThreads(). False (dst
// null) when no memory could be had for the result.
bool applyEffect(int effect, QImage src, QImage& dst, uint64_t seed = 0, int threads = 0);

// Paints every pixel of image whose colour distance to picked is at most
// tolerance in the replacement colour, in place. A negative tolerance (or a
// negative picked colour) paints nothing. Returns the number painted, -1
// (image null) when a shared image could not be copied for writing.
qint64 replaceColor(QImage& image, ColorValue picked, int32_t tolerance, ColorValue replacement,
                    int threads = 0);

// The same into a result buffer: dst takes src's pixels with the near ones
// painted (a plain copy for a negative tolerance). dst's pixel buffer is
// reused when it has the right size and is not shared. Returns the number
// painted, -1 (dst null) when no memory could be had for the result.
qint64 replaceColor(const QImage& src, QImage& dst, ColorValue picked, int32_t tolerance, ColorValue replacement,
                    int threads = 0);

}  // namespace mosaic
