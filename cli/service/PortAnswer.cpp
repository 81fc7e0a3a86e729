#include "PortAnswer.h"

#include <ostream>
#include <sstream>

#include "ExitCodes.h"
#include "ServiceSession.h"
#include "portselect/PlexerBinding.h"
#include "portselect/PlexerStatus.h"
#include "portselect/PortNumbers.h"

namespace tolvane_cli {
namespace {

bool PortOpens(const printer::Target& target) {
    // The selector's own complaints are not the technician's concern here: the port is only tried.
    std::ostringstream ignored;
    const portselect::PlexerBinding plexer(ignored);
    if (!plexer.Bound()) {
        return true;
    }
    if (!portselect::Succeeded(plexer.portOpen(portselect::PortArgument(target.Port())))) {
        return false;
    }
    plexer.portClose();
    return true;
}

}  // namespace

int ReadingFailed(ServiceSession& session, const std::string& failure) {
    session.Err() << "tolvane: " << failure << "\n";
    if (!PortOpens(session.Target())) {
        session.Err() << "tolvane: no printer answered on " << session.Target().portName << "\n";
        return kExitNoPrinter;
    }
    return kExitFailed;
}

}  // namespace tolvane_cli
