// A picture moved out of memory into an unnamed temporary file (nothing of it
// outlives the program), written on a worker thread and read back whole.
#pragma once

#include <QImage>
#include <QString>
#include <atomic>
#include <mutex>

namespace mosaic {

class StoredPicture {
public:
    enum class State { Writing, Written, Failed };

    // Holds the picture until it is written.
    explicit StoredPicture(QImage picture);
    ~StoredPicture();
    StoredPicture(const StoredPicture&) = delete;
    StoredPicture& operator=(const StoredPicture&) = delete;

    // On a worker thread: writes the pixels into an unnamed file in the
    // folder. Once written the picture's buffer is given up and returned,
    // for reuse; on failure the picture stays held and a null one returned.
    QImage write(const QString& folder);

    State state() const { return state_.load(std::memory_order_acquire); }
    QSize size() const { return size_; }
    qint64 bytes() const { return qint64(size_.width()) * size_.height() * qint64(sizeof(QRgb)); }
    // Bytes still held in memory (the picture before it is written).
    qint64 heldBytes() const;
    // The picture while it is still held (null once written).
    QImage held() const;
    // The picture read back into a buffer of its size and format (one that
    // nothing else holds, or null for a fresh one); null when it cannot be
    // read or no memory is to be had.
    QImage load(QImage buffer = QImage()) const;

private:
    const QSize size_;
    mutable std::mutex mutex_;
    QImage picture_;
    int file_ = -1;
    std::atomic<State> state_{State::Writing};
};

}  // namespace mosaic
