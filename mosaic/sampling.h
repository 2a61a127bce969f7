// Pattern generation without a window: the sampling grid over the working
// picture, the face matching of a row of samples, and the cell geometry of
// the preview with the cells filled straight into its image.
#pragma once

#include "mosaic/palette.h"

#include <QImage>
#include <QSize>
#include <QString>
#include <array>
#include <cstdint>
#include <vector>

namespace mosaic {

constexpr ColorValue kWhiteColor = 0xFFFFFF;

// round(pictureSize / cells), halves to even; 0 when that gives no step of
// at least 1 (cells not above 0, or more cells than the picture allows).
// A step beyond the picture is cut to pictureSize + 1: one sample either way.
int32_t gridStep(double pictureSize, double cells);

// One sample per cell on an even grid, both ends inclusive: rows y = 0,
// rowStep, ... up to round(PH); columns x = 0, step, ... up to round(PW),
// with the column step taken anew for every row from the width then in force.
class SamplingGrid {
public:
    // W and H must give steps (see gridStep).
    SamplingGrid(double pictureWidth, double pictureHeight, double W, double H);

    int32_t rowStep() const { return rowStep_; }
    int32_t rowCount() const { return lastY_ / rowStep_ + 1; }
    int32_t lastX() const { return lastX_; }
    int32_t lastY() const { return lastY_; }
    int32_t columnStep() const { return columnStep_; }

    // Sets the column step from the width W now; a width that gives no
    // step keeps the previous one. Returns the step in force.
    int32_t updateColumnStep(double W);

    // Samples of a row with the current column step. Points outside the
    // picture (also of a picture that changed size meanwhile) are white.
    void sampleRow(const QImage& picture, int32_t row, std::vector<ColorValue>& samples) const;

private:
    double pictureWidth_;
    int32_t lastX_, lastY_, rowStep_, columnStep_;
};

// GetFace over many samples: the same scores as faceOf, with the distances
// taken from a table of rounded square roots.
class FaceMatcher {
public:
    FaceMatcher(const std::array<double, kFaces>& targets, const std::array<ColorValue, 7>& faceColor);
    int16_t face(ColorValue c) const;
    void faces(const std::vector<ColorValue>& samples, std::vector<int16_t>& out) const;

private:
    std::array<double, kFaces> targets_;
    std::array<int, kFaces> r_{}, g_{}, b_{};
};

// Cell geometry of the preview (PreviewGrid).
struct PreviewGrid {
    int16_t size = 3;
    int16_t gap = 1;
    int16_t cubeOrder = 3;
    bool cubeSep = false;

    // Left (or top) pixel of cell col (or row): gap*(i+1) + size*i
    // (+ i / cubeOrder with separators) + 1.
    int64_t cellStart(int64_t index) const;
    // Window side in pixels for `cells` cells: cells*(gap+size) + S + size,
    // S = round(cells) / cubeOrder with separators, else 0.
    double sideLength(double cells) const;
};

// Pixel size of the preview image for W x H cells (sides rounded half to
// even), or an empty size when the grid cannot give one.
QSize previewSize(const PreviewGrid& grid, double W, double H);

// Why previewSize() gives none, as the message to show; empty when it gives one.
QString checkPreviewSize(const PreviewGrid& grid, double W, double H);

// Largest preview image we allocate, in pixels.
constexpr int64_t kMaxPreviewPixels = int64_t(1) << 27;

// Fills one cell, both corners included, clipped to the image.
void drawCell(QImage& preview, const PreviewGrid& grid, int32_t col, int32_t row, ColorValue color);
// Fills the cells of a whole row, scan line by scan line.
void drawCellRow(QImage& preview, const PreviewGrid& grid, int32_t row, const std::vector<int16_t>& faces,
                 const std::array<ColorValue, 7>& faceColor);

// The whole generation in one call (no events, fixed targets and width):
// a fresh preview of previewSize() in the background colour with every
// cell drawn. Null image when the size is refused.
QImage generatePattern(const QImage& picture, double W, double H, const PreviewGrid& grid, ColorValue gapColor,
                       const std::array<double, kFaces>& targets, const std::array<ColorValue, 7>& faceColor);
// The same into an image that is reused when it has the size already (a
// fresh large image costs more in first touches than the drawing); false
// when the size is refused.
bool generatePatternInto(QImage& preview, const QImage& picture, double W, double H, const PreviewGrid& grid,
                         ColorValue gapColor, const std::array<double, kFaces>& targets,
                         const std::array<ColorValue, 7>& faceColor);

// Texts the boxes hold, checked before anything is drawn or written.
struct PatternInput {
    double W = 0, H = 0;           // leading numbers of Text1, Text2
    double gap = 0, size = 0, order = 0;  // leading numbers of Text5, Text6, Text7
    bool grid = true, cubeSep = false;
};

// Checks the width and height against the picture: the message to show, or
// an empty text. The size test compares in single precision.
QString checkPatternSize(double W, double H, double pictureWidth, double pictureHeight);
// Reads gap, size and order into a grid: the message to show, or empty.
// needCells: the cell size and gap matter (generation, picture output).
QString readPreviewGrid(const PatternInput& input, PreviewGrid& grid, bool needCells);

}  // namespace mosaic
