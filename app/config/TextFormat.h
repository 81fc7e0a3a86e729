// Small text helpers of the configuration sources.
#pragma once

#include <string>

namespace config {

// printf into a std::string of any length.
std::string FormatText(const char* format, ...) __attribute__((format(printf, 1, 2)));

// Replaces every occurrence of from (not empty), scanning left to right; replaced text is not scanned
// again.
void ReplaceAll(std::string& text, const std::string& from, const std::string& to);

}  // namespace config
