// The system's own open-file dialog, where the build has one.
#pragma once

#include <string>

#include "ui/OpenFileDialog.h"

namespace ui::detail {

bool SystemChooseFileToOpen(HWindow owner, const OpenFileRequest& request, std::string* path);

}  // namespace ui::detail
