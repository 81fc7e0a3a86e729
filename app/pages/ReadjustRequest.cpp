#include "pages/ReadjustRequest.h"

#include <utility>

#include "platform/DebugOutput.h"
#include "ui/Backend.h"

namespace pages {
namespace {

// Both live on the GUI thread only.
ui::HWindow& RegisteredWindow() {
    static ui::HWindow window = nullptr;
    return window;
}

std::vector<int>& PendingRun() {
    static std::vector<int> run;
    return run;
}

}  // namespace

void SetReadjustWindow(ui::HWindow window) {
    RegisteredWindow() = window;
}

bool PostReadjust(std::vector<int> run) {
    if (RegisteredWindow() == nullptr) {
        platform::DebugOutput("Readjust: no window runs adjustments\n");
        return false;
    }
    PendingRun() = std::move(run);
    ui::Backend().PostMessage(RegisteredWindow(), kPostedReadjust, 0, 0);
    return true;
}

std::vector<int> TakeReadjustRun() {
    return std::exchange(PendingRun(), {});
}

}  // namespace pages
