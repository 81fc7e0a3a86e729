// Which back-end the tests run against, for the few expectations that differ between them.
#pragma once

namespace platform::tests {

#ifdef _WIN32
constexpr bool kWindowsBuild = true;
#else
constexpr bool kWindowsBuild = false;
#endif

}  // namespace platform::tests
