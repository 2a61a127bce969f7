// Bulk pixel access to a picture's image (a picture box's persistent image):
// reads it into a 24-bit bottom-up buffer (blue, green, red per pixel) and
// writes a buffer back stretched to the picture's image. Holds no state of
// its own.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace platform {
class WatchedPicture;
}

namespace mosaic {

// Bytes indexed (column byte, row): stride = 3 × width + (width mod 4), the
// padded row length; rows 0 (bottom of the picture) to height, the last a
// spare row that the read leaves 0.
struct PixelBuffer2D {
    std::vector<uint8_t> bytes;
    int32_t stride = 0;
    int32_t rows = 0;
    uint8_t& operator()(int32_t column, int32_t row) { return bytes[static_cast<std::size_t>(row) * stride + column]; }
    uint8_t operator()(int32_t column, int32_t row) const { return bytes[static_cast<std::size_t>(row) * stride + column]; }
};

// Bytes indexed (channel, x, y), channel fastest, rows without padding.
struct PixelArray3D {
    std::vector<uint8_t> bytes;
    int32_t width = 0;
    int32_t height = 0;
    uint8_t& operator()(int channel, int32_t x, int32_t y)
    {
        return bytes[(static_cast<std::size_t>(y) * width + x) * 3 + channel];
    }
};

class FastDrawing {
public:

    int32_t GetImageWidth(const platform::WatchedPicture& SrcPictureBox);
    int32_t GetImageHeight(const platform::WatchedPicture& SrcPictureBox);
    // (height + 1) × width × 3; the stream holds one byte more.
    int32_t GetImageStreamLength(const platform::WatchedPicture& SrcPictureBox);
    // Sizes ImageData for the image (reusing its storage) and fills it.
    void GetImageData2D(const platform::WatchedPicture& SrcPictureBox, PixelBuffer2D& ImageData);
    // Draws the buffer onto the picture stretched to its image, refreshes it
    // and lets pending window events run once.
    void SetImageData2D(platform::WatchedPicture& DstPictureBox, int32_t OriginalWidth, int32_t OriginalHeight,
                        const PixelBuffer2D& ImageData);
    // The unpadded array receives the bitmap's padded rows as far as they fit
    // (they agree when the width is a multiple of 4).
    void GetImageData(const platform::WatchedPicture& SrcPictureBox, PixelArray3D& ImageData);
    void SetImageData(platform::WatchedPicture& DstPictureBox, int32_t OriginalWidth, int32_t OriginalHeight,
                      const PixelArray3D& ImageData);
    // The stream receives the bitmap's padded rows as far as they fit.
    void GetImageDataStream(const platform::WatchedPicture& SrcPictureBox, std::vector<uint8_t>& ImageData);
    void SetImageDataStream(platform::WatchedPicture& DstPictureBox, int32_t OriginalWidth, int32_t OriginalHeight,
                            const std::vector<uint8_t>& ImageData);

private:
    void finishWrite(platform::WatchedPicture& DstPictureBox);
};

}  // namespace mosaic
