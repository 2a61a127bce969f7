#include "platform/picture_buffer.h"

#include "platform/bitmap_access.h"

#include <algorithm>
#include <cstdlib>
#include <unistd.h>

namespace platform {

bool pictureSizeLoadable(const QSize& size)
{
    return size.width() > 0 && size.height() > 0 && qint64(size.width()) * size.height() <= kMaxPicturePixels;
}

QImage newPictureImage(const QSize& size)
{
    constexpr size_t kHugePage = size_t{2} << 20;
    if (size.isEmpty())
        return QImage(size, QImage::Format_RGB32);
    const qsizetype bytesPerLine = qsizetype{size.width()} * 4;
    const size_t bytes = size_t(bytesPerLine) * size_t(size.height());
    if (bytes < 2 * kHugePage || bytes / size_t(bytesPerLine) != size_t(size.height()))
        return QImage(size, QImage::Format_RGB32);
    void* data = nullptr;
    if (posix_memalign(&data, kHugePage, bytes) != 0)
        return QImage();
    // Not advised for huge pages: where the system then compacts its memory
    // to find them, first writing a 12 MP picture took up to 150 ms instead
    // of 25 ms, on whichever thread wrote it.
    return QImage(static_cast<uchar*>(data), size.width(), size.height(), bytesPerLine, QImage::Format_RGB32,
                  [](void* buffer) { std::free(buffer); }, data);
}

void touchPages(QImage& image, int threads, const std::atomic<bool>* stop)
{
    if (image.isNull())
        return;
    uchar* bits = image.bits();
    const qsizetype bytes = image.sizeInBytes();
    const qsizetype stride = image.bytesPerLine();
    const qsizetype page = qsizetype(sysconf(_SC_PAGESIZE));
    // One byte every page length: each page of the pixels gets at least one.
    forEachRowBand(image.height(), 1, [=](int first, int last) {
        for (int y = first; y < last; ++y) {
            if (stop && stop->load(std::memory_order_relaxed))
                return;
            for (qsizetype at = (y * stride + page - 1) / page * page; at < (y + 1) * stride; at += page)
                bits[at] = 0;
        }
    }, std::max(threads, 1));
    bits[bytes - 1] = 0;
}

}  // namespace platform
