#include "mosaic/picture_tiles.h"

#include "platform/bitmap_access.h"

#include <algorithm>
#include <cstring>

namespace mosaic {

TileGrid::TileGrid(const QSize& size)
    : size_(size.isValid() ? size : QSize(0, 0)),
      columns_((size_.width() + kTile - 1) / kTile),
      rows_((size_.height() + kTile - 1) / kTile)
{
}

QRect TileGrid::rect(int i) const
{
    if (columns_ == 0)
        return QRect();
    const QRect r((i % columns_) * kTile, (i / columns_) * kTile, kTile, kTile);
    return r.intersected(QRect(QPoint(0, 0), size_));
}

void SavedTiles::save(const QImage& from, const TileGrid& grid, int i)
{
    const QRect area = grid.rect(i);
    index.push_back(i);
    pixels.resize(pixels.size() + TileGrid::kTilePixels);
    QRgb* out = pixels.data() + pixels.size() - TileGrid::kTilePixels;
    for (int y = area.top(); y <= area.bottom(); ++y, out += area.width())
        std::memcpy(out, reinterpret_cast<const QRgb*>(from.constScanLine(y)) + area.left(),
                    size_t(area.width()) * sizeof(QRgb));
}

void SavedTiles::putBack(QImage& to, const TileGrid& grid) const
{
    if (index.empty())
        return;
    uchar* bits = to.bits();  // detaches a shared picture once
    const qsizetype bytesPerLine = to.bytesPerLine();
    for (size_t k = 0; k < index.size(); ++k) {
        const QRect area = grid.rect(index[k]);
        const QRgb* in = pixels.data() + k * TileGrid::kTilePixels;
        for (int y = area.top(); y <= area.bottom(); ++y, in += area.width())
            std::memcpy(reinterpret_cast<QRgb*>(bits + y * bytesPerLine) + area.left(), in,
                        size_t(area.width()) * sizeof(QRgb));
    }
}

void SavedTiles::addMissing(const SavedTiles& other)
{
    std::vector<bool> held;
    for (int32_t i : index) {
        if (size_t(i) >= held.size())
            held.resize(size_t(i) + 1);
        held[size_t(i)] = true;
    }
    for (size_t k = 0; k < other.index.size(); ++k) {
        const int32_t i = other.index[k];
        if (size_t(i) < held.size() && held[size_t(i)])
            continue;
        index.push_back(i);
        const auto block = other.pixels.begin() + ptrdiff_t(k * TileGrid::kTilePixels);
        pixels.insert(pixels.end(), block, block + TileGrid::kTilePixels);
    }
}

void copyArea(const QImage& from, QImage& to, const QRect& area)
{
    for (int y = area.top(); y <= area.bottom(); ++y)
        std::memcpy(reinterpret_cast<QRgb*>(to.scanLine(y)) + area.left(),
                    reinterpret_cast<const QRgb*>(from.constScanLine(y)) + area.left(),
                    size_t(area.width()) * sizeof(QRgb));
}

void copyPixels(const QImage& from, QImage& to)
{
    const uchar* src = from.constBits();
    uchar* dst = to.bits();  // detaches before any band starts
    const qsizetype srcLine = from.bytesPerLine();
    const qsizetype dstLine = to.bytesPerLine();
    const size_t rowBytes = size_t(std::min(from.width(), to.width())) * sizeof(QRgb);
    platform::forEachRowBand(std::min(from.height(), to.height()), 256, [&](int first, int last) {
        for (int y = first; y < last; ++y)
            std::memcpy(dst + y * dstLine, src + y * srcLine, rowBytes);
    });
}

PictureCopy::PictureCopy(platform::WatchedPicture& source, platform::WatchedPicture& copy) : source_(source), copy_(copy)
{
    source_.addWatcher(this);
}

PictureCopy::~PictureCopy()
{
    source_.removeWatcher(this);
}

void PictureCopy::write()
{
    const QImage& from = source_.image();
    const QImage& to = copy_.image();
    const bool sameBuffer = to.size() == from.size() && to.format() == QImage::Format_RGB32 && to.isDetached();
    if (allDirty_ || !sameBuffer || to.cacheKey() != copyKey_ || grid_.size() != from.size()) {
        if (sameBuffer) {
            copyPixels(from, copy_.imageForWriting());
            copy_.refresh();
        } else {
            QImage fresh = platform::newPictureImage(from.size());
            if (fresh.isNull()) {  // no memory for a copy of its own: share the picture
                copy_.setImage(from);
            } else {
                copyPixels(from, fresh);
                copy_.setImage(fresh);
            }
        }
    } else {
        for (int i = 0; i < grid_.count(); ++i) {
            if (!dirty_[size_t(i)])
                continue;
            const QRect area = grid_.rect(i);
            copyArea(from, copy_.imageForWriting(area), area);
        }
        copy_.refresh();
    }
    grid_ = TileGrid(from.size());
    dirty_.assign(size_t(grid_.count()), 0);
    allDirty_ = false;
    copyKey_ = copy_.image().cacheKey();
}

void PictureCopy::aboutToPaint(const QRect& area)
{
    if (allDirty_)
        return;
    grid_.forEachTile(area, [this](int i) { dirty_[size_t(i)] = 1; });
}

void PictureCopy::replaced(QImage&)
{
    allDirty_ = true;
}

}  // namespace mosaic
