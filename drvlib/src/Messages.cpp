#include "DriverModule.h"
#include "platform/MessageBox.h"

namespace drvlib {

void ShowPlainMessage(const std::string& text) {
    platform::ShowMessage(text);
}

void ShowWarningMessage(const std::string& text) {
    platform::ShowMessage(text, platform::MessageIcon::Warning);
}

}  // namespace drvlib
