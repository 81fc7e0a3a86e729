// bid read, bid print and bid set: the printer's bi-directional corrections, read through the
// printer service and printed and sent as the engine jobs the adjustment page starts.
#pragma once

#include "ServiceCommand.h"

namespace tolvane_cli {

int RunBidRead(ServiceSession& session, const CommandArguments& arguments);
int RunBidPrint(ServiceSession& session, const CommandArguments& arguments);
int RunBidSet(ServiceSession& session, const CommandArguments& arguments);

// "unexpected "WORD": the form is FORM", exit 2: for words a command does not take.
int RefuseExtraWords(ServiceSession& session, const CommandArguments& arguments, const char* form);

}  // namespace tolvane_cli
