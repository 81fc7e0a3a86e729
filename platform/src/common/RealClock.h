// The operating system's clock; one implementation per platform.
#pragma once

#include "platform/Clock.h"

namespace platform::detail {

IClock& RealClock();

}  // namespace platform::detail
