// The working picture cut into square tiles: the unit in which an undo step
// keeps the old pixels of what it changes, and in which the backing copy
// follows the working picture.
#pragma once

#include "platform/picture_buffer.h"

#include <QImage>
#include <QRect>
#include <cstdint>
#include <vector>

namespace mosaic {

class TileGrid {
public:
    // Pixels a side: small enough that a brush stroke keeps little more than
    // the pixels it paints.
    static constexpr int kTile = 8;
    static constexpr int kTilePixels = kTile * kTile;

    TileGrid() = default;
    explicit TileGrid(const QSize& size);

    QSize size() const { return size_; }
    int count() const { return columns_ * rows_; }
    // Pixels of tile i (the last column and row may be cut short).
    QRect rect(int i) const;
    // Runs fn(i) for each tile that meets area.
    template <typename Fn>
    void forEachTile(const QRect& area, Fn fn) const
    {
        const QRect inside = area.intersected(QRect(QPoint(0, 0), size_));
        if (inside.isEmpty())
            return;
        for (int r = inside.top() / kTile; r <= inside.bottom() / kTile; ++r)
            for (int c = inside.left() / kTile; c <= inside.right() / kTile; ++c)
                fn(r * columns_ + c);
    }

private:
    QSize size_;
    int columns_ = 0;
    int rows_ = 0;
};

// Old pixels of some tiles of a picture, kept apart from it: kTilePixels
// per tile, row after row (a cut-short tile uses the first of them).
struct SavedTiles {
    std::vector<int32_t> index;
    std::vector<QRgb> pixels;

    bool empty() const { return index.empty(); }
    qint64 bytes() const { return qint64(pixels.size() * sizeof(QRgb)); }
    // Keeps tile i of the picture.
    void save(const QImage& from, const TileGrid& grid, int i);
    // Puts every kept tile back into a picture of the grid's size (a shared
    // picture is detached first).
    void putBack(QImage& to, const TileGrid& grid) const;
    // Takes the tiles of other that this does not hold.
    void addMissing(const SavedTiles& other);
};

// Copies the pixels of area from one picture into another of the same size.
void copyArea(const QImage& from, QImage& to, const QRect& area);
// Copies every pixel of from into to (same size and format) on several threads.
void copyPixels(const QImage& from, QImage& to);

// Keeps one picture a copy of another (the backing copy of the working
// picture): a write copies only the tiles painted since the last one, and the
// whole picture after it was replaced or the copy was changed elsewhere. The
// copy never shares its pixels with the picture, so painting the picture
// never has to copy it whole first.
class PictureCopy : public platform::PictureWatcher {
public:
    PictureCopy(platform::WatchedPicture& source, platform::WatchedPicture& copy);
    ~PictureCopy() override;
    PictureCopy(const PictureCopy&) = delete;
    PictureCopy& operator=(const PictureCopy&) = delete;

    // The copy takes the source's picture as it is now.
    void write();

    void aboutToPaint(const QRect& area) override;
    void replaced(QImage& old) override;

private:
    platform::WatchedPicture& source_;
    platform::WatchedPicture& copy_;
    TileGrid grid_;
    std::vector<uint8_t> dirty_;
    bool allDirty_ = true;
    qint64 copyKey_ = 0;  // the copy's image as this object last wrote it
};

}  // namespace mosaic
