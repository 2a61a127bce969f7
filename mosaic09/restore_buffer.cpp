#include "mosaic09/restore_buffer.h"

namespace mosaic09 {

void RestoreBuffer::watch(platform::WatchedPicture* picture)
{
    history_.watch(picture);
    history_.reset();
}

bool RestoreBuffer::restore()
{
    return history_.restoreNewest();
}

}  // namespace mosaic09
