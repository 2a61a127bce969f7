#include "mosaic/fast_drawing.h"

#include "platform/color_value.h"
#include "platform/picture_box.h"

#include <gtest/gtest.h>

using namespace mosaic;
using platform::PictureBox;

namespace {

// A distinct colour for each pixel.
int32_t colourAt(int x, int y)
{
    return platform::rgbValue(10 + x * 20, 100 + y * 30, (x * 7 + y * 13) % 256);
}

void paint(PictureBox& box, int w, int h)
{
    box.resizeImage(w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            box.pset(x, y, colourAt(x, y));
}

}  // namespace

TEST(FastDrawing, ReadsBottomUpPaddedRowsWithASpareRow)
{
    PictureBox box;
    FastDrawing fd;
    for (const auto& [w, stride] : {std::pair{3, 12}, std::pair{5, 16}, std::pair{4, 12}, std::pair{1, 4}}) {
        paint(box, w, 2);
        EXPECT_EQ(fd.GetImageWidth(box), w);
        EXPECT_EQ(fd.GetImageHeight(box), 2);
        EXPECT_EQ(fd.GetImageStreamLength(box), 3 * w * 3);
        PixelBuffer2D b;
        b.bytes.assign(1000, 0xAA);  // earlier contents are discarded
        fd.GetImageData2D(box, b);
        ASSERT_EQ(b.stride, stride);
        ASSERT_EQ(b.rows, 3);
        ASSERT_EQ(b.bytes.size(), size_t(stride * 3));
        for (int row = 0; row < 3; ++row) {
            for (int col = 0; col < stride; ++col) {
                int expected = 0;
                if (row < 2 && col < 3 * w) {
                    const int32_t c = colourAt(col / 3, 1 - row);  // row 0 is the bottom
                    expected = (c >> (8 * (2 - col % 3))) & 0xFF;  // blue, green, red
                }
                ASSERT_EQ(b(col, row), expected) << "w " << w << " col " << col << " row " << row;
            }
        }
    }
}

TEST(FastDrawing, WritesBackAndStretchesToTheDestination)
{
    PictureBox src;
    PictureBox dst;
    FastDrawing fd;
    paint(src, 2, 2);
    PixelBuffer2D b;
    fd.GetImageData2D(src, b);
    const uint8_t* storage = b.bytes.data();
    fd.GetImageData2D(src, b);
    EXPECT_EQ(b.bytes.data(), storage);  // the buffer is reused

    dst.resizeImage(2, 2);
    fd.SetImageData2D(dst, 2, 2, b);
    EXPECT_EQ(dst.image(), src.image());

    dst.resizeImage(5, 4);
    fd.SetImageData2D(dst, 2, 2, b);
    EXPECT_EQ(dst.image().size(), QSize(5, 4));
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 5; ++x)
            ASSERT_EQ(dst.point(x, y), colourAt(x * 2 / 5, y / 2)) << x << "," << y;

    // A buffer shorter than its stated size: what is missing reads black.
    PixelBuffer2D shortBuffer;
    shortBuffer.bytes.assign(6, 255);
    dst.resizeImage(2, 2);
    fd.SetImageData2D(dst, 2, 2, shortBuffer);
    EXPECT_EQ(dst.point(0, 1), 0xFFFFFF);
    EXPECT_EQ(dst.point(1, 1), 0xFFFFFF);
    EXPECT_EQ(dst.point(0, 0), 0);
    fd.SetImageData2D(dst, 0, 5, shortBuffer);  // nothing to draw
    EXPECT_EQ(dst.point(1, 1), 0xFFFFFF);
}

TEST(FastDrawing, ArrayAndStreamOperationsStayInBoundsOnAnyWidth)
{
    PictureBox box;
    PictureBox out;
    FastDrawing fd;
    for (int w = 1; w <= 9; ++w) {
        for (int h = 1; h <= 4; ++h) {
            paint(box, w, h);
            PixelArray3D a;
            fd.GetImageData(box, a);
            ASSERT_EQ(a.bytes.size(), size_t(3 * w * h));
            out.resizeImage(w, h);
            fd.SetImageData(out, w, h, a);
            std::vector<uint8_t> s;
            fd.GetImageDataStream(box, s);
            ASSERT_EQ(s.size(), size_t(3 * w * (h + 1) + 1));
            if (w % 4 == 0) {
                // Rows need no padding: the array is the picture.
                EXPECT_EQ(out.image(), box.image());
                for (int y = 0; y < h; ++y)
                    for (int x = 0; x < w; ++x)
                        ASSERT_EQ(a(2, x, y), colourAt(x, h - 1 - y) & 0xFF);
            }
            out.resizeImage(w, h);
            fd.SetImageDataStream(out, w, h, s);
            if ((w % 4) * h <= 3 * w + 1) {
                EXPECT_EQ(out.image(), box.image()) << w << "x" << h;
            }
        }
    }
}
