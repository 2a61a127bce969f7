#include "platform/skin.h"

namespace platform {

int SkinH_AttachEx(const QString& skinFile, const QString& password)
{
    Q_UNUSED(skinFile);
    Q_UNUSED(password);
    return 0;
}

}  // namespace platform
