#include "platform/picture_header.h"

#include <QIODevice>
#include <QtEndian>

#include <cstdlib>
#include <cstring>

namespace platform {

namespace {

// A JPEG file's markers are walked no further than this into the file.
constexpr qint64 kJpegScanBytes = qint64{16} << 20;

bool readExactly(QIODevice& device, char* to, qint64 count)
{
    return device.read(to, count) == count;
}

// Reads a device in large blocks and hands out its bytes by offset, so that a
// walk over many small markers costs one read per block, not per byte.
class BlockReader {
public:
    BlockReader(QIODevice& device, qint64 start) : device_(device), start_(start) {}

    // The byte at `at` (from the start), or -1 past the end or on a failed read.
    int byteAt(qint64 at)
    {
        if (at < blockAt_ || at >= blockAt_ + block_.size()) {
            if (!device_.seek(start_ + at))
                return -1;
            block_ = device_.read(kBlockBytes);
            blockAt_ = at;
            if (block_.isEmpty())
                return -1;
        }
        return uchar(block_[at - blockAt_]);
    }

    // Copies `count` bytes from `at`; false when the device ends before them.
    bool bytesAt(qint64 at, uchar* to, int count)
    {
        if (at >= blockAt_ && at + count <= blockAt_ + block_.size()) {
            std::memcpy(to, block_.constData() + (at - blockAt_), size_t(count));
            return true;
        }
        for (int i = 0; i < count; ++i) {
            const int byte = byteAt(at + i);
            if (byte < 0)
                return false;
            to[i] = uchar(byte);
        }
        return true;
    }

private:
    static constexpr qint64 kBlockBytes = 64 * 1024;
    QIODevice& device_;
    qint64 start_;
    QByteArray block_;
    qint64 blockAt_ = 0;
};

QSize jpegSize(QIODevice& device, qint64 start)
{
    BlockReader file(device, start);
    qint64 at = 2;  // after the start-of-image marker
    while (at < kJpegScanBytes) {
        uchar head[4];
        if (!file.bytesAt(at, head, 2))
            return {};
        if (head[0] != 0xFF)
            return {};
        const uchar marker = head[1];
        if (marker == 0xFF) {  // fill byte
            at += 1;
            continue;
        }
        if (marker == 0x01 || (marker >= 0xD0 && marker <= 0xD8)) {  // markers without a length
            at += 2;
            continue;
        }
        if (marker == 0xD9 || marker == 0xDA)  // end of image, or the scan began without a frame header
            return {};
        if (!file.bytesAt(at + 2, head + 2, 2))
            return {};
        const int length = qFromBigEndian<quint16>(head + 2);
        if (length < 2)
            return {};
        const bool frameHeader = marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 &&
                                 marker != 0xCC;
        if (frameHeader) {
            uchar sof[5];  // precision, height, width
            if (length < 7 || !file.bytesAt(at + 4, sof, 5))
                return {};
            const int height = qFromBigEndian<quint16>(sof + 1);
            const int width = qFromBigEndian<quint16>(sof + 3);
            if (width == 0 || height == 0)  // a height given later (DNL) is no size here
                return {};
            return QSize(width, height);
        }
        at += 2 + length;
    }
    return {};
}

QSize bmpSize(QIODevice& device, qint64 start)
{
    uchar header[26];  // file header (14 bytes), then the info header's size and dimensions
    if (!device.seek(start) || !readExactly(device, reinterpret_cast<char*>(header), sizeof header))
        return {};
    const quint32 infoSize = qFromLittleEndian<quint32>(header + 14);
    if (infoSize == 12) {  // the old core header: 16-bit dimensions
        const int width = qFromLittleEndian<quint16>(header + 18);
        const int height = qFromLittleEndian<quint16>(header + 20);
        return width > 0 && height > 0 ? QSize(width, height) : QSize();
    }
    if (infoSize < 16)
        return {};
    const qint32 width = qFromLittleEndian<qint32>(header + 18);
    const qint32 height = qFromLittleEndian<qint32>(header + 22);  // negative: rows top-down
    if (width <= 0 || height == 0 || height == INT32_MIN)
        return {};
    return QSize(width, std::abs(height));
}

}  // namespace

QSize declaredPictureSize(QIODevice& device)
{
    if (!device.isOpen() || !device.isReadable() || device.isSequential())
        return {};
    const qint64 start = device.pos();
    const QByteArray magic = device.peek(2);
    QSize size;
    if (magic == QByteArray("\xFF\xD8", 2))
        size = jpegSize(device, start);
    else if (magic == "BM")
        size = bmpSize(device, start);
    device.seek(start);
    return size;
}

}  // namespace platform
