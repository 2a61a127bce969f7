// The tone curve: its points, the natural cubic spline through them, the
// curve table (one box row per input level) and the output table built from
// it. Box units: x is the input level, y the box row (0 at the top = bright).
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "mosaic/fast_drawing.h"

namespace mosaic {

// Box rows of the curve for the levels -1 to 256; -1 in a cell means not set.
class CurveTable {
public:
    static constexpr int kFirstLevel = -1;
    static constexpr int kLastLevel = 256;

    CurveTable() { cells_.fill(-1); }
    int16_t& operator()(int level) { return cells_[static_cast<std::size_t>(level - kFirstLevel)]; }
    int16_t operator()(int level) const { return cells_[static_cast<std::size_t>(level - kFirstLevel)]; }
    static bool holds(int level) { return level >= kFirstLevel && level <= kLastLevel; }
    void fill(int16_t value) { cells_.fill(value); }

private:
    std::array<int16_t, 258> cells_;
};

// [v]: a box coordinate or spline value to a whole number, halves to even.
int boxRound(float v);

using ToneTable = std::array<uint8_t, 256>;

class ToneCurve {
public:
    static constexpr int kMaxPoints = 32;
    // Hit radius of a point in box units (exclusive).
    static constexpr float kHitRadius = 6.0f;

    // The three diagonal points (0, 255), (128, 127), (256, -1).
    ToneCurve();

    uint8_t nPoints = 0;
    // Slots 0 to nPoints; points in slots 1 to nPoints, ascending x.
    std::vector<float> ptX;
    std::vector<float> ptY;
    std::vector<float> ptM;
    std::vector<float> ptH;
    CurveTable curveY;
    int16_t curveMinX = 256;
    int16_t curveMaxX = -1;

    void calcSpline();
    float splineAt(int32_t i, float x) const;
    static float splineCube(float t);
    // Slot of the first point whose rounded position lies less than 6 units
    // from (x, y); -1 if none.
    int32_t findPoint(int32_t x, int32_t y) const;
    static float GetDist(int32_t x1, int32_t y1, int32_t x2, int32_t y2);

    // Slot of the first point whose x equals x exactly; -1 if none.
    int32_t pointWithX(float x) const;
    // Adds a point at (x, y) in x order; returns its slot, or -1 when the
    // curve already holds 32 points.
    int32_t addPoint(float x, float y);
    // Drags point s towards (x, y): each coordinate follows only within its
    // range (between the neighbours, at most 255 for the last point; y 0..255).
    void movePoint(int32_t s, float x, float y);
    // Steps 4 to 7 of a curve update: clears the table, solves the spline and
    // writes each covered level, clamps, then extends the ends flat. Levels
    // outside -1..256 (a point placed in the last units of the box) are skipped.
    void rebuildTable();
};

// Output level for each input level 0..255 from the curve table.
ToneTable toneLut(const CurveTable& curveY);

// Looks up every pixel byte of the picture's rows 0..height-1 (bytes 0 to
// 3 × width - 1 of each row) in the table; padding and the spare row stay.
void applyToneLut(PixelBuffer2D& buffer, int32_t width, int32_t height, const ToneTable& lut);

}  // namespace mosaic
