#include "pages/StartUpBinding.h"

#include <cstdlib>

#include "printer/CPortLibraryBinder.h"
#include "ui/CDialog.h"

namespace pages {
namespace {

[[noreturn]] void EndTheProcess(int exitCode) {
    std::exit(exitCode);
}

ProgramEnd programEnd = EndTheProcess;

}  // namespace

void SetProgramEnd(ProgramEnd end) {
    programEnd = end != nullptr ? end : EndTheProcess;
}

bool BindPortLibrariesAtStartUp(const std::string& selectorName, const std::string& channelName) {
    if (CPortLibraryBinder::BindLibraries(selectorName, channelName)) {
        return true;
    }
    ui::MessageBox(nullptr, "Cannot fount DLL files.\nThis program is exit.", "error", ui::BoxButtons::Ok,
                   ui::BoxIcon::Stop);
    programEnd(kExitLibrariesMissing);
    return false;
}

}  // namespace pages
