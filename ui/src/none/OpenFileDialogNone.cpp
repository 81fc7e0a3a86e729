// A build without windows has no system dialogs: the technician always cancels.
#include "../common/OpenFileDialogNative.h"

namespace ui::detail {

bool SystemChooseFileToOpen(HWindow, const OpenFileRequest&, std::string*) {
    return false;
}

}  // namespace ui::detail

namespace ui::detail {

bool SystemChooseFileToSave(HWindow, const SaveFileRequest&, std::string*) {
    return false;
}

}  // namespace ui::detail
