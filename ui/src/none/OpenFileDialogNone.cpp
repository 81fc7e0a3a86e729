// A build without windows has no system dialog: the technician always cancels.
#include "../common/OpenFileDialogNative.h"

namespace ui::detail {

bool SystemChooseFileToOpen(HWindow, const OpenFileRequest&, std::string*) {
    return false;
}

}  // namespace ui::detail
