#include "mosaic/sampling.h"

#include "platform/color_value.h"
#include "platform/numbers.h"

#include <algorithm>
#include <cmath>
#include "platform/u8.h"

namespace mosaic {

using platform::roundHalfEven;

namespace {

using platform::u8;

// Rounded square roots of every squared distance two colours can have.
const std::vector<uint16_t>& distanceTable()
{
    static const std::vector<uint16_t> table = [] {
        std::vector<uint16_t> t(3 * 255 * 255 + 1);
        for (size_t i = 0; i < t.size(); ++i)
            t[i] = uint16_t(roundHalfEven(std::sqrt(double(i))));
        return t;
    }();
    return table;
}

}  // namespace

int32_t gridStep(double pictureSize, double cells)
{
    if (!(cells > 0))
        return 0;
    const double limit = roundHalfEven(pictureSize) + 1;
    const double step = roundHalfEven(pictureSize / cells);
    if (!(step >= 1))
        return 0;
    return int32_t(std::min(step, limit));
}

SamplingGrid::SamplingGrid(double pictureWidth, double pictureHeight, double W, double H)
    : pictureWidth_(pictureWidth),
      lastX_(int32_t(roundHalfEven(pictureWidth))),
      lastY_(int32_t(roundHalfEven(pictureHeight))),
      rowStep_(std::max(gridStep(pictureHeight, H), 1)),
      columnStep_(std::max(gridStep(pictureWidth, W), 1))
{
}

int32_t SamplingGrid::updateColumnStep(double W)
{
    if (const int32_t step = gridStep(pictureWidth_, W))
        columnStep_ = step;
    return columnStep_;
}

void SamplingGrid::sampleRow(const QImage& picture, int32_t row, std::vector<ColorValue>& samples) const
{
    samples.clear();
    const int64_t y = int64_t(row) * rowStep_;
    const int32_t count = lastX_ / columnStep_ + 1;
    samples.reserve(size_t(count));
    if (y < 0 || y >= picture.height() || picture.format() != QImage::Format_RGB32) {
        if (y >= 0 && y < picture.height()) {
            for (int32_t col = 0; col < count; ++col) {
                const int64_t x = int64_t(col) * columnStep_;
                samples.push_back(x < picture.width() ? platform::fromQRgb(picture.pixel(int(x), int(y))) : kWhiteColor);
            }
        } else {
            samples.assign(size_t(count), kWhiteColor);
        }
        return;
    }
    const QRgb* line = reinterpret_cast<const QRgb*>(picture.constScanLine(int(y)));
    const int64_t width = picture.width();
    for (int32_t col = 0; col < count; ++col) {
        const int64_t x = int64_t(col) * columnStep_;
        samples.push_back(x < width ? platform::fromQRgb(line[x]) : kWhiteColor);
    }
}

FaceMatcher::FaceMatcher(const std::array<double, kFaces>& targets, const std::array<ColorValue, 7>& faceColor)
    : targets_(targets)
{
    for (int i = 0; i < kFaces; ++i) {
        const RGBTriple t = colorToRGB(faceColor[i]);
        r_[i] = t.R;
        g_[i] = t.G;
        b_[i] = t.B;
    }
    distanceTable();
}

int16_t FaceMatcher::face(ColorValue c) const
{
    const std::vector<uint16_t>& table = distanceTable();
    const int r = c & 0xFF, g = (c >> 8) & 0xFF, b = (c >> 16) & 0xFF;
    double best = 65535;
    int16_t chosen = 0;
    for (int16_t i = 0; i < kFaces; ++i) {
        const int dr = r - r_[i], dg = g - g_[i], db = b - b_[i];
        const double d = table[size_t(dr * dr + dg * dg + db * db)];
        const double score = roundHalfEven(std::fabs(d - targets_[i]));
        if (score < best) {
            best = score;
            chosen = i;
        }
    }
    return chosen;
}

void FaceMatcher::faces(const std::vector<ColorValue>& samples, std::vector<int16_t>& out) const
{
    out.resize(samples.size());
    ColorValue last = -1;
    int16_t lastFace = 0;
    for (size_t i = 0; i < samples.size(); ++i) {
        // Neighbouring samples often share a colour (flat areas, the white edge).
        if (samples[i] != last) {
            last = samples[i];
            lastFace = face(last);
        }
        out[i] = lastFace;
    }
}

int64_t PreviewGrid::cellStart(int64_t index) const
{
    int64_t start = int64_t(gap) * (index + 1) + int64_t(size) * index + 1;
    if (cubeSep && cubeOrder != 0)
        start += index / cubeOrder;
    return start;
}

double PreviewGrid::sideLength(double cells) const
{
    double separators = 0;
    if (cubeSep && cubeOrder != 0) {
        const double whole = roundHalfEven(cells);
        separators = std::trunc(whole / cubeOrder);
    }
    return cells * (double(gap) + size) + separators + size;
}

QSize previewSize(const PreviewGrid& grid, double W, double H)
{
    if (grid.cubeSep && grid.cubeOrder <= 0)
        return {};
    const double w = roundHalfEven(grid.sideLength(W));
    const double h = roundHalfEven(grid.sideLength(H));
    constexpr double kMaxSide = 1 << 20;
    if (!(w >= 1 && h >= 1 && w <= kMaxSide && h <= kMaxSide) || w * h > double(kMaxPreviewPixels))
        return {};
    return QSize(int(w), int(h));
}

QString checkPreviewSize(const PreviewGrid& grid, double W, double H)
{
    if (!previewSize(grid, W, H).isEmpty())
        return {};
    if (grid.cubeSep && grid.cubeOrder <= 0)
        return u8("魔方阶数必须大于0");
    if (!(roundHalfEven(grid.sideLength(W)) >= 1 && roundHalfEven(grid.sideLength(H)) >= 1))
        return u8("预览图片尺寸无效");
    return u8("预览图片过大");
}

namespace {

// Inclusive pixel span of a cell along one side, clipped to [0, limit).
bool cellSpan(const PreviewGrid& grid, int64_t index, int64_t limit, int64_t& lo, int64_t& hi)
{
    const int64_t a = grid.cellStart(index);
    const int64_t b = a + grid.size - 1;
    lo = std::max<int64_t>(std::min(a, b), 0);
    hi = std::min<int64_t>(std::max(a, b), limit - 1);
    return lo <= hi;
}

}  // namespace

void drawCell(QImage& preview, const PreviewGrid& grid, int32_t col, int32_t row, ColorValue color)
{
    int64_t x0, x1, y0, y1;
    if (!cellSpan(grid, col, preview.width(), x0, x1) || !cellSpan(grid, row, preview.height(), y0, y1))
        return;
    const QRgb c = platform::toQRgb(color);
    for (int64_t y = y0; y <= y1; ++y) {
        QRgb* line = reinterpret_cast<QRgb*>(preview.scanLine(int(y)));
        std::fill(line + x0, line + x1 + 1, c);
    }
}

void drawCellRow(QImage& preview, const PreviewGrid& grid, int32_t row, const std::vector<int16_t>& faces,
                 const std::array<ColorValue, 7>& faceColor)
{
    int64_t y0, y1;
    if (faces.empty() || !cellSpan(grid, row, preview.height(), y0, y1))
        return;
    std::array<QRgb, 7> colors{};
    for (size_t i = 0; i < colors.size(); ++i)
        colors[i] = platform::toQRgb(faceColor[i]);
    // Spans of the row's cells that lie in the image.
    struct Span {
        int64_t lo, hi;
        QRgb color;
    };
    std::vector<Span> spans;
    spans.reserve(faces.size());
    for (size_t col = 0; col < faces.size(); ++col) {
        int64_t lo, hi;
        if (cellSpan(grid, int64_t(col), preview.width(), lo, hi))
            spans.push_back({lo, hi, colors[size_t(faces[col])]});
        else if (grid.cellStart(int64_t(col)) >= preview.width())
            break;
    }
    for (int64_t y = y0; y <= y1; ++y) {
        QRgb* line = reinterpret_cast<QRgb*>(preview.scanLine(int(y)));
        for (const Span& s : spans)
            std::fill(line + s.lo, line + s.hi + 1, s.color);
    }
}

QImage generatePattern(const QImage& picture, double W, double H, const PreviewGrid& grid, ColorValue gapColor,
                       const std::array<double, kFaces>& targets, const std::array<ColorValue, 7>& faceColor)
{
    QImage preview;
    if (!generatePatternInto(preview, picture, W, H, grid, gapColor, targets, faceColor))
        return {};
    return preview;
}

bool generatePatternInto(QImage& preview, const QImage& picture, double W, double H, const PreviewGrid& grid,
                         ColorValue gapColor, const std::array<double, kFaces>& targets,
                         const std::array<ColorValue, 7>& faceColor)
{
    const QSize size = previewSize(grid, W, H);
    if (size.isEmpty())
        return false;
    if (preview.size() != size || preview.format() != QImage::Format_RGB32) {
        preview = QImage(size, QImage::Format_RGB32);
        if (preview.isNull())
            return false;
    }
    preview.fill(platform::toQRgb(gapColor));
    SamplingGrid sampling(picture.width(), picture.height(), W, H);
    const FaceMatcher matcher(targets, faceColor);
    std::vector<ColorValue> samples;
    std::vector<int16_t> faces;
    for (int32_t row = 0; row < sampling.rowCount(); ++row) {
        sampling.updateColumnStep(W);
        sampling.sampleRow(picture, row, samples);
        matcher.faces(samples, faces);
        drawCellRow(preview, grid, row, faces, faceColor);
    }
    return true;
}

QString checkPatternSize(double W, double H, double pictureWidth, double pictureHeight)
{
    if (float(W) > float(pictureWidth) || float(H) > float(pictureHeight))
        return u8("宽高像素值超过图片最大像素值");
    if (!(W > 0))
        return u8("宽度必须大于0");
    if (!(H > 0))
        return u8("高度必须大于0");
    if (gridStep(pictureWidth, W) < 1 || gridStep(pictureHeight, H) < 1)
        return u8("宽高像素值超过图片最大像素值");
    return {};
}

QString readPreviewGrid(const PatternInput& input, PreviewGrid& grid, bool needCells)
{
    PreviewGrid read;
    if (!platform::fitsInt16(input.order))
        return u8("魔方阶数超出范围");
    read.cubeOrder = platform::toInt16(input.order);
    read.cubeSep = input.cubeSep;
    if (read.cubeSep && read.cubeOrder <= 0)
        return u8("魔方阶数必须大于0");
    if (needCells) {
        if (!platform::fitsInt16(input.size))
            return u8("矩形大小超出范围");
        read.size = platform::toInt16(input.size);
        if (input.grid) {
            if (!platform::fitsInt16(input.gap))
                return u8("网格间距超出范围");
            read.gap = platform::toInt16(input.gap);
        } else {
            read.gap = 0;
        }
    }
    grid = read;
    return {};
}

}  // namespace mosaic
