// The exit statuses of tolvane, documented in its help and manual page; scripts rely on them.
#pragma once

namespace tolvane_cli {

inline constexpr int kExitSuccess = 0;
// The printer refused or failed a step (or, for `sequence`, no part was selected).
inline constexpr int kExitFailed = 1;
inline constexpr int kExitNothingSelected = 1;
// A bad command line or input: nothing was sent.
inline constexpr int kExitUsage = 2;
// No printer answered on the port.
inline constexpr int kExitNoPrinter = 3;
// The printer took a write but does not hold what was written.
inline constexpr int kExitVerifyFailed = 4;

}  // namespace tolvane_cli
