// The undo history that keeps snapshots as the tiles and pictures each step
// replaced, and the backing copy that follows the picture tile by tile,
// checked against whole copies taken at the same moments.
#include "mosaic/picture_tiles.h"
#include "mosaic/undo_history.h"
#include "platform/picture_box.h"
#include "platform/testing/test_helpers.h"

#include <QPainter>
#include <QRandomGenerator>
#include <algorithm>
#include <cstring>
#include <gtest/gtest.h>

using namespace mosaic;
using platform::PictureBox;

namespace {

// The same change on two picture boxes: the watched one and a plain one.
void change(int kind, QRandomGenerator& rng, PictureBox& box)
{
    const QSize s = box.image().size();
    auto x = [&] { return rng.bounded(-10, s.width() + 10); };
    auto y = [&] { return rng.bounded(-10, s.height() + 10); };
    const int32_t color = int32_t(rng.generate() & 0xFFFFFF);
    switch (kind) {
    case 0:
        box.pset(x(), y(), color);
        break;
    case 1:
    case 2: {
        const int x1 = x(), y1 = y(), x2 = x(), y2 = y();
        box.line(x1, y1, x2, y2, color);
        break;
    }
    case 3: {
        const int x1 = x(), y1 = y(), x2 = x(), y2 = y();
        box.fillBox(x1, y1, x2, y2, color);
        break;
    }
    case 4:
        box.cls();
        break;
    case 5:  // a whole new picture, sometimes of another size
        box.setImage(testing_support::randomImage(rng.bounded(2) ? s.width() : 37, rng.bounded(2) ? s.height() : 23, rng.generate()));
        break;
    case 6: {  // a writer of every pixel (the tone curve's write)
        QImage& img = box.imageForOverwrite();
        img.fill(QColor::fromRgb(QRgb(color)));
        img.setPixel(0, 0, 0xFF123456u);
        break;
    }
    case 7: {  // an effect: a result buffer that becomes the picture
        QImage result = box.resultBuffer();
        ASSERT_EQ(result.size(), s);
        const QImage src = box.image();
        for (int r = 0; r < s.height(); ++r)
            for (int c = 0; c < s.width(); ++c)
                result.setPixel(c, r, src.pixel(s.width() - 1 - c, r));
        box.setImage(result);
        break;
    }
    default: {  // whole-row work on a part of the picture
        const QRect area = QRect(QPoint(x(), y()), QPoint(x(), y())).normalized().intersected(box.image().rect());
        QImage& img = box.imageForWriting(area);
        for (int r = area.top(); r <= area.bottom(); ++r)
            for (int c = area.left(); c <= area.right(); ++c)
                img.setPixel(c, r, QRgb(color) | 0xFF000000u);
        break;
    }
    }
}

// Runs a seeded sequence of changes, pushes, undos, backing-copy writes,
// changes to the backing copy itself and outside holders of the picture,
// comparing every snapshot with a whole copy taken when it was pushed.
void runAgainstWholeCopies(int slotCount, quint32 seed, int steps, qint64 budget = -1)
{
    PictureBox box, mirror, back;
    box.setImage(testing_support::randomImage(45, 33, seed));
    mirror.setImage(box.image().copy());
    UndoHistory history(slotCount);
    history.watch(&box);
    history.reset();
    if (budget >= 0)
        history.setMemoryBudget(budget);
    PictureCopy backing(box, back);
    backing.write();

    std::vector<QImage> model(static_cast<size_t>(slotCount));
    int index = 0;
    model[0] = box.image().copy();
    QImage backModel = box.image().copy();
    QImage held, heldCopy;
    QRandomGenerator rng(seed);
    for (int step = 0; step < steps; ++step) {
        const int action = int(rng.bounded(20));
        if (action < 9) {
            box.setDrawWidth(int(rng.bounded(1, 8)));
            mirror.setDrawWidth(box.drawWidth());
            const int kind = int(rng.bounded(9));
            QRandomGenerator twin = rng;
            change(kind, rng, box);
            change(kind, twin, mirror);
        } else if (action < 13) {
            history.push();
            if (++index > slotCount - 1) {
                index = slotCount - 1;
                model.erase(model.begin());
                model.emplace_back();
            }
            model[size_t(index)] = box.image().copy();
        } else if (action < 16) {
            history.restoreNewest();
            history.stepBack();
            mirror.setImage(model[size_t(index)].copy());
            index = std::max(index - 1, 0);
        } else if (action < 18) {
            backing.write();
            backModel = box.image().copy();
        } else if (action < 19) {
            back.pset(int(rng.bounded(40)), int(rng.bounded(30)), 0x00FF00);  // the copy changed elsewhere
            backModel = back.image().copy();
        } else {
            held = box.image();
            heldCopy = held.copy();
            history.settle();
        }
        ASSERT_EQ(history.undoIndex, index) << step;
        ASSERT_EQ(box.image(), mirror.image()) << step;
        ASSERT_EQ(back.image(), backModel) << step;
        ASSERT_EQ(held, heldCopy) << step;
        for (int k = 0; k <= index; ++k)
            ASSERT_EQ(history.slot(k), model[size_t(k)]) << "step " << step << " slot " << k;
    }
}

}  // namespace

TEST(UndoTiles, SnapshotsMatchWholeCopiesThroughEveryKindOfChange)
{
    // Six slots run through the shift often; one slot is edition 0.9's restore buffer.
    for (quint32 seed : {1u, 2u, 3u})
        runAgainstWholeCopies(6, seed, 700);
    runAgainstWholeCopies(UndoHistory::kSlots, 4, 400);
    runAgainstWholeCopies(1, 5, 400);
    // Room for two pictures in memory: the rest are written out, some read
    // back while still being written.
    const qint64 picture = 45 * 33 * 4;
    runAgainstWholeCopies(UndoHistory::kSlots, 6, 400, 2 * picture);
    runAgainstWholeCopies(6, 7, 700, 2 * picture);
    runAgainstWholeCopies(6, 8, 300, 0);
}

TEST(UndoTiles, UndoAtBothEndsAndThePictureNeverSharesWithTheHistory)
{
    PictureBox box;
    const QImage start = testing_support::randomImage(64, 48, 9);
    box.setImage(start);
    box.setDrawWidth(5);
    UndoHistory history;
    history.watch(&box);
    history.reset();

    // Index 0: each undo gives back the start picture, whatever was drawn.
    for (int i = 0; i < 3; ++i) {
        box.line(0, i * 10, 63, 47 - i, 0xFFFFFF);
        history.restoreNewest();
        history.stepBack();
        EXPECT_EQ(box.image(), start);
        EXPECT_EQ(history.undoIndex, 0);
    }
    // The full end: the 100th push drops the start picture; slot k then
    // holds the picture of push k + 1.
    std::vector<QImage> kept;
    for (int n = 0; n < UndoHistory::kSlots; ++n) {
        history.push();
        kept.push_back(box.image().copy());
        box.line(n % 64, 0, 63 - n % 64, 47, int32_t(n * 2000));
    }
    EXPECT_EQ(history.undoIndex, 99);
    EXPECT_EQ(history.slot(0), kept[0]);
    EXPECT_EQ(history.newest(), kept[99]);
    for (int n = 99; n >= 0; --n) {
        history.restoreNewest();
        EXPECT_EQ(box.image(), kept[size_t(n)]) << n;
        // The picture taken back is the picture's own: painting it leaves the
        // older snapshots as they were.
        box.pset(1, 1, 0x00FF00);
        if (n > 0) {
            EXPECT_EQ(history.slot(n - 1), kept[size_t(n) - 1]) << n;
        }
        history.stepBack();
    }
    EXPECT_EQ(history.undoIndex, 0);
    EXPECT_EQ(history.newest(), kept[0]);
    // A snapshot handed out and changed outside never changes the history.
    QImage outside = history.newest();
    outside.fill(Qt::red);
    EXPECT_EQ(history.newest(), kept[0]);
    history.restoreNewest();
    EXPECT_EQ(box.image(), kept[0]);
}

TEST(UndoTiles, HistoryHoldsOnlyTheTilesStrokesTouch)
{
    PictureBox box;
    box.setImage(testing_support::randomImage(1200, 900, 11));
    box.setDrawWidth(5);
    UndoHistory history;
    history.watch(&box);
    history.reset();
    const TileGrid grid(box.image().size());
    const qint64 tileBytes = TileGrid::kTilePixels * qint64(sizeof(QRgb));
    QRandomGenerator rng(3);
    qint64 bound = 0;
    constexpr int kStrokes = 120;
    for (int stroke = 0; stroke < kStrokes; ++stroke) {
        history.push();
        const qint64 before = history.heldBytes();
        const QImage old = box.image().copy();
        // The tiles within the reach of the pen of each segment.
        std::vector<bool> reach(size_t(grid.count()));
        int x = int(rng.bounded(1200)), y = int(rng.bounded(900));
        for (int k = 0; k < 12; ++k) {
            const int nx = std::clamp(x + int(rng.bounded(-60, 61)), 0, 1199);
            const int ny = std::clamp(y + int(rng.bounded(-60, 61)), 0, 899);
            box.line(x, y, nx, ny, 0xFFFFFF);
            grid.forEachTile(QRect(QPoint(std::min(x, nx), std::min(y, ny)), QPoint(std::max(x, nx), std::max(y, ny)))
                                 .adjusted(-5, -5, 5, 5),
                             [&](int i) { reach[size_t(i)] = true; });
            x = nx;
            y = ny;
        }
        const qint64 added = history.heldBytes() - before;
        qint64 changed = 0;
        qint64 reached = 0;
        const QImage& now = box.image();
        for (int i = 0; i < grid.count(); ++i) {
            reached += reach[size_t(i)];
            const QRect r = grid.rect(i);
            for (int row = r.top(); row <= r.bottom(); ++row)
                if (std::memcmp(old.constScanLine(row) + 4 * r.left(), now.constScanLine(row) + 4 * r.left(),
                                size_t(4 * r.width())) != 0) {
                    ++changed;
                    break;
                }
        }
        // Every changed tile is kept, nothing beyond the pen's reach.
        ASSERT_GE(added, changed * tileBytes) << stroke;
        ASSERT_LE(added, reached * tileBytes) << stroke;
        if (stroke >= kStrokes - UndoHistory::kSlots + 1)
            bound += added;
    }
    // After the shift the history holds the last 99 strokes' tiles (plus the
    // start picture it was given), far below one picture.
    const qint64 picture = box.image().sizeInBytes();
    EXPECT_LE(history.heldBytes(), bound + picture);
    EXPECT_LT(history.heldBytes() - history.spareBytes(), picture / 4 + bound);
    EXPECT_EQ(history.spareBytes(), 0);
}
