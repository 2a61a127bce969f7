// Picture-sized buffers and the pictures that pixel code works on: the
// allocator of 32-bit images, page touching, the pixel limit of a loaded
// picture, and the interface through which an undo history or a copy of a
// picture watches and writes it. No widget here: the picture box implements
// the interface.
#pragma once

#include <QImage>
#include <QRect>
#include <QSize>
#include <atomic>

namespace platform {

// Told of every change to a picture's image, so that an undo history can
// keep the old pixels of what is about to change and a copy of the picture
// can follow it tile by tile.
class PictureWatcher {
public:
    virtual ~PictureWatcher() = default;
    // Pixels inside area (image coordinates, within the image) are about to
    // be painted; the image still holds the old ones.
    virtual void aboutToPaint(const QRect& area) = 0;
    // The whole image was replaced; old is the image it had, which the
    // watcher may take.
    virtual void replaced(QImage& old) = 0;
    // A buffer of that size that nothing else holds, for an image about to
    // be written whole; null when the watcher has none.
    virtual QImage spareImage(const QSize& size)
    {
        (void)size;
        return QImage();
    }
};

// A picture whose image is read, written and watched: what pixel code needs
// of a picture box.
class WatchedPicture {
public:
    virtual const QImage& image() const = 0;
    // Replaces the image (converted to 32-bit RGB).
    virtual void setImage(const QImage& image) = 0;
    // Direct access for whole-row work; call refresh() after writing. With an
    // area, the caller writes only inside it.
    virtual QImage& imageForWriting() = 0;
    virtual QImage& imageForWriting(const QRect& area) = 0;
    // For a writer that sets every pixel: the picture takes a buffer of the
    // same size (a watcher's spare or a fresh one), whose pixels are
    // undefined, and its watchers receive the old image.
    virtual QImage& imageForOverwrite() = 0;
    // Shows what was written.
    virtual void refresh() = 0;
    // Watchers are told of every change to the image; they must be removed
    // before they go.
    virtual void addWatcher(PictureWatcher* watcher) = 0;
    virtual void removeWatcher(PictureWatcher* watcher) = 0;

protected:
    ~WatchedPicture() = default;
};

// A fresh 32-bit image of that size (null when there is no memory for it).
// A picture-sized buffer is aligned to 2 MB.
QImage newPictureImage(const QSize& size);

// Writes one byte in each memory page of the image's pixels, so that the
// system hands out every page now rather than at the first real write; the
// pages are shared out among that many threads. Once stop is set, the
// threads end at their next row.
void touchPages(QImage& image, int threads = 1, const std::atomic<bool>* stop = nullptr);

// Largest picture a picture box loads: 200 megapixels, a phone's largest photo.
constexpr qint64 kMaxPicturePixels = 200'000'000;

// Whether a picture of this size may be loaded.
bool pictureSizeLoadable(const QSize& size);

}  // namespace platform
