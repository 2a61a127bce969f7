// Skin engine attach. The windows stay unskinned: the call exists so that
// start-up keeps its order; its result is ignored by every caller.
#pragma once

#include <QString>

namespace platform {

int SkinH_AttachEx(const QString& skinFile, const QString& password);

}  // namespace platform
