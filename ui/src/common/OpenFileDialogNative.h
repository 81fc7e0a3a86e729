// The system's own open-file and save-file dialogs, where the build has them.
#pragma once

#include <string>

#include "ui/OpenFileDialog.h"

namespace ui::detail {

bool SystemChooseFileToOpen(HWindow owner, const OpenFileRequest& request, std::string* path);
// The system asks about replacing a file itself when the request wants it.
bool SystemChooseFileToSave(HWindow owner, const SaveFileRequest& request, std::string* path);

}  // namespace ui::detail
