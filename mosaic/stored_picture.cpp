#include "mosaic/stored_picture.h"

#include "platform/picture_buffer.h"

#include <QFile>
#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

namespace mosaic {

namespace {

// An unnamed file in the folder, gone when it is closed.
int unnamedFile(const QString& folder)
{
    const QByteArray path = QFile::encodeName(folder);
    int fd = ::open(path.constData(), O_TMPFILE | O_RDWR | O_CLOEXEC, 0600);
    if (fd >= 0 || (errno != EOPNOTSUPP && errno != EISDIR))
        return fd;
    // A file system without unnamed files: a named one, unlinked at once.
    QByteArray pattern = path + "/undo-XXXXXX";
    fd = ::mkostemp(pattern.data(), O_CLOEXEC);
    if (fd >= 0)
        ::unlink(pattern.constData());
    return fd;
}

}  // namespace

StoredPicture::StoredPicture(QImage picture) : size_(picture.size()), picture_(std::move(picture))
{
}

StoredPicture::~StoredPicture()
{
    if (file_ >= 0)
        ::close(file_);
}

QImage StoredPicture::write(const QString& folder)
{
    QImage picture = held();
    const int fd = unnamedFile(folder);
    bool ok = fd >= 0 && picture.bytesPerLine() == size_.width() * qsizetype(sizeof(QRgb));
    const char* bits = reinterpret_cast<const char*>(picture.constBits());
    for (qint64 done = 0; ok && done < bytes();) {
        const ssize_t n = ::pwrite(fd, bits + done, size_t(bytes() - done), off_t(done));
        if (n < 0 && errno == EINTR)
            continue;
        ok = n > 0;
        done += n;
    }
    std::lock_guard<std::mutex> lock(mutex_);
    if (!ok) {
        if (fd >= 0)
            ::close(fd);
        state_.store(State::Failed, std::memory_order_release);
        return QImage();
    }
    file_ = fd;
    picture_ = QImage();
    state_.store(State::Written, std::memory_order_release);
    return picture;  // with this the last holder of the buffer, unless another still shows it
}

qint64 StoredPicture::heldBytes() const
{
    std::lock_guard<std::mutex> lock(mutex_);
    return picture_.isNull() ? 0 : picture_.sizeInBytes();
}

QImage StoredPicture::held() const
{
    std::lock_guard<std::mutex> lock(mutex_);
    return picture_;
}

QImage StoredPicture::load(QImage buffer) const
{
    QImage picture = held();
    if (!picture.isNull())
        return picture;
    if (buffer.size() != size_ || buffer.format() != QImage::Format_RGB32 || !buffer.isDetached())
        buffer = platform::newPictureImage(size_);
    if (buffer.isNull() || buffer.bytesPerLine() != size_.width() * qsizetype(sizeof(QRgb)))
        return QImage();
    char* bits = reinterpret_cast<char*>(buffer.bits());
    for (qint64 done = 0; done < bytes();) {
        const ssize_t n = ::pread(file_, bits + done, size_t(bytes() - done), off_t(done));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return QImage();
        done += n;
    }
    return buffer;
}

}  // namespace mosaic
