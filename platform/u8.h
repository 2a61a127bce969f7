// Text of a UTF-8 literal: every fixed text of the programs is written in
// the source as UTF-8.
#pragma once

#include <QString>

namespace platform {

inline QString u8(const char* text)
{
    return QString::fromUtf8(text);
}

}  // namespace platform
