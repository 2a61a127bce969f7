#include "mosaic/fast_drawing.h"

#include "platform/bitmap_access.h"
#include "platform/events.h"
#include "platform/picture_buffer.h"

#include <cstring>

namespace mosaic {

using platform::bitmapSize;
using platform::dibStride;

int32_t FastDrawing::GetImageWidth(const platform::WatchedPicture& SrcPictureBox)
{
    return bitmapSize(SrcPictureBox).width();
}

int32_t FastDrawing::GetImageHeight(const platform::WatchedPicture& SrcPictureBox)
{
    return bitmapSize(SrcPictureBox).height();
}

int32_t FastDrawing::GetImageStreamLength(const platform::WatchedPicture& SrcPictureBox)
{
    const QSize size = bitmapSize(SrcPictureBox);
    return (size.height() + 1) * size.width() * 3;
}

void FastDrawing::GetImageData2D(const platform::WatchedPicture& SrcPictureBox, PixelBuffer2D& ImageData)
{
    const QSize size = bitmapSize(SrcPictureBox);
    const int64_t stride = dibStride(size.width());
    ImageData.stride = static_cast<int32_t>(stride);
    ImageData.rows = size.height() + 1;
    // resize keeps the storage of an earlier read of the same size; every
    // byte below is written again, the spare row set to 0.
    ImageData.bytes.resize(static_cast<size_t>(stride * ImageData.rows));
    platform::readDibBits(SrcPictureBox, ImageData.bytes.data(), ImageData.bytes.size());
    std::memset(ImageData.bytes.data() + stride * size.height(), 0, static_cast<size_t>(stride));
}

void FastDrawing::SetImageData2D(platform::WatchedPicture& DstPictureBox, int32_t OriginalWidth, int32_t OriginalHeight,
                                 const PixelBuffer2D& ImageData)
{
    platform::stretchDibBits(DstPictureBox, OriginalWidth, OriginalHeight, ImageData.bytes.data(),
                             ImageData.bytes.size());
    finishWrite(DstPictureBox);
}

void FastDrawing::GetImageData(const platform::WatchedPicture& SrcPictureBox, PixelArray3D& ImageData)
{
    const QSize size = bitmapSize(SrcPictureBox);
    ImageData.width = size.width();
    ImageData.height = size.height();
    ImageData.bytes.assign(static_cast<size_t>(3) * size.width() * size.height(), 0);
    platform::readDibBits(SrcPictureBox, ImageData.bytes.data(), ImageData.bytes.size());
}

void FastDrawing::SetImageData(platform::WatchedPicture& DstPictureBox, int32_t OriginalWidth, int32_t OriginalHeight,
                               const PixelArray3D& ImageData)
{
    platform::stretchDibBits(DstPictureBox, OriginalWidth, OriginalHeight, ImageData.bytes.data(),
                             ImageData.bytes.size());
    finishWrite(DstPictureBox);
}

void FastDrawing::GetImageDataStream(const platform::WatchedPicture& SrcPictureBox, std::vector<uint8_t>& ImageData)
{
    ImageData.assign(static_cast<size_t>(GetImageStreamLength(SrcPictureBox)) + 1, 0);
    platform::readDibBits(SrcPictureBox, ImageData.data(), ImageData.size());
}

void FastDrawing::SetImageDataStream(platform::WatchedPicture& DstPictureBox, int32_t OriginalWidth, int32_t OriginalHeight,
                                     const std::vector<uint8_t>& ImageData)
{
    platform::stretchDibBits(DstPictureBox, OriginalWidth, OriginalHeight, ImageData.data(), ImageData.size());
    finishWrite(DstPictureBox);
}

void FastDrawing::finishWrite(platform::WatchedPicture& DstPictureBox)
{
    // Our pictures always keep a persistent image: show it.
    DstPictureBox.refresh();
    platform::doEvents();
}

}  // namespace mosaic
