// The event pump: lets pending window events run inside a long handler.
#pragma once

namespace platform {

void doEvents();

}  // namespace platform
