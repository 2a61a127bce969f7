// Bulk pixel access to a picture's image (a picture box's persistent image)
// in the layout of a 24-bit device-independent bitmap: rows bottom-up, each
// pixel blue, green, red, each row padded to a multiple of 4 bytes. Every call stays within the
// buffer length it is given and within the image.
#pragma once

#include <QSize>
#include <cstddef>
#include <cstdint>
#include <functional>

namespace platform {

class WatchedPicture;

// Width and height of the picture's image.
QSize bitmapSize(const WatchedPicture& picture);

// Bytes of one 24-bit row of the given width, padded to 4.
int64_t dibStride(int width);

// Writes the picture's image, all its rows, into dst as 24-bit bottom-up rows
// padded to 4 bytes (padding bytes 0); stops after dstLen bytes.
void readDibBits(const WatchedPicture& picture, uint8_t* dst, size_t dstLen);

// Draws srcWidth × srcHeight pixels given as 24-bit bottom-up padded rows
// onto the picture's image, stretched or shrunk to the image's full size (each
// target pixel takes its nearest source pixel). Bytes beyond srcLen are read
// as 0. Nothing is drawn when a source side is not positive. The picture is not
// refreshed here.
void stretchDibBits(WatchedPicture& picture, int srcWidth, int srcHeight, const uint8_t* src, size_t srcLen);

// Runs work(first, last) over bands of the rows 0..rows-1 (last exclusive)
// on up to `threads` threads, the calling one among them (0: the processors
// less one); small jobs (below minRowsPerBand rows per band) run on the
// calling thread. The bands, a few per thread, are handed out one at a time,
// so a thread that the system holds back delays only the band it holds.
// Returns when every band is done.
void forEachRowBand(int rows, int minRowsPerBand, const std::function<void(int first, int last)>& work,
                    int threads = 0);

// Number of threads forEachRowBand uses; 0 (the start value) means the
// processors less one. Benchmarks set 1 to time the work on one thread.
void setRowBandWorkers(int workers);

}  // namespace platform
