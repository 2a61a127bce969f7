#include "platform/bitmap_access.h"

#include "platform/picture_box.h"

#include <atomic>
#include <gtest/gtest.h>
#include <vector>

using namespace platform;

TEST(BitmapAccess, ReadStopsAtTheBufferEnd)
{
    PictureBox box;
    box.resizeImage(3, 3);
    box.cls();
    box.setBackColor(0x0000FF);
    box.pset(0, 2, 0x010203);  // bottom-left pixel: red 3, green 2, blue 1
    EXPECT_EQ(dibStride(3), 12);
    EXPECT_EQ(bitmapSize(box), QSize(3, 3));
    std::vector<uint8_t> bytes(64, 0xAA);
    for (size_t len : {size_t(0), size_t(2), size_t(13), size_t(36)}) {
        std::fill(bytes.begin(), bytes.end(), 0xAA);
        readDibBits(box, bytes.data(), len);
        for (size_t i = len; i < bytes.size(); ++i)
            ASSERT_EQ(bytes[i], 0xAA) << len << " " << i;
        if (len >= 2) {
            EXPECT_EQ(bytes[0], 0x01);  // blue first
            EXPECT_EQ(bytes[1], 0x02);
        }
    }
}

TEST(BitmapAccess, RowBandsCoverEveryRowOnce)
{
    for (int workers : {0, 1, 3}) {
        setRowBandWorkers(workers);
        std::vector<std::atomic<int>> seen(1000);
        forEachRowBand(1000, 10, [&](int first, int last) {
            for (int r = first; r < last; ++r)
                ++seen[size_t(r)];
        });
        for (auto& s : seen)
            ASSERT_EQ(s.load(), 1);
    }
    setRowBandWorkers(0);
    // A thread count of the caller's, more threads than rows, rows that do
    // not split evenly.
    for (int threads : {1, 2, 7, 64}) {
        std::vector<std::atomic<int>> seen(37);
        forEachRowBand(37, 1, [&](int first, int last) {
            for (int r = first; r < last; ++r)
                ++seen[size_t(r)];
        }, threads);
        for (auto& s : seen)
            ASSERT_EQ(s.load(), 1) << threads;
    }
    int calls = 0;
    forEachRowBand(0, 1, [&](int, int) { ++calls; });
    EXPECT_EQ(calls, 0);
}
