#include "mosaic/undo_history.h"

#include <gtest/gtest.h>

using namespace mosaic;

namespace {

QImage picture(int n)
{
    QImage img(4, 3, QImage::Format_RGB32);
    img.fill(qRgb(n, 0, 0));
    return img;
}

}  // namespace

TEST(UndoHistory, HundredSlotsWithShift)
{
    UndoHistory h;
    h.reset(picture(0));
    for (int n = 1; n <= 99; ++n)
        h.push(picture(n));
    EXPECT_EQ(h.undoIndex, 99);
    EXPECT_EQ(h.slot(0), picture(0));
    EXPECT_EQ(h.slot(99), picture(99));
    // The 100th push drops the start picture.
    h.push(picture(100));
    EXPECT_EQ(h.undoIndex, 99);
    EXPECT_EQ(h.slot(0), picture(1));
    EXPECT_EQ(h.slot(98), picture(99));
    EXPECT_EQ(h.newest(), picture(100));
    for (int i = 0; i < 120; ++i)
        h.stepBack();
    EXPECT_EQ(h.undoIndex, 0);
    EXPECT_EQ(h.newest(), picture(1));
}

TEST(UndoHistory, PushAfterUndoOverwritesAndSharesPixels)
{
    UndoHistory h;
    h.reset(picture(0));
    h.push(picture(1));
    h.push(picture(2));
    h.stepBack();  // restored 2, index 1
    h.push(picture(3));
    EXPECT_EQ(h.undoIndex, 2);
    EXPECT_EQ(h.newest(), picture(3));
    h.stepBack();
    EXPECT_EQ(h.newest(), picture(1));

    // Snapshots share the picture's pixels; the shift moves them, it does not copy.
    const QImage same = picture(9);
    h.reset(same);
    for (int n = 0; n < 99; ++n)
        h.push(n == 50 ? picture(50) : same);
    const uchar* kept = h.slot(50).constBits();
    h.push(same);
    EXPECT_EQ(h.slot(49).constBits(), kept);
    EXPECT_EQ(h.slot(0).constBits(), same.constBits());
    EXPECT_EQ(h.slot(99).constBits(), same.constBits());
}
