// The waiting dialog over the printer service's status object: the window the pages wait in.
#pragma once

#include "printer/Target.h"
#include "ui/Types.h"

namespace pages {

// The waiting dialog for the target's printer, captioned "waiting", with OK enabled only while the
// printer reports ready and Cancel beside it, owned by owner. 1 when the technician confirmed a ready
// printer, else 0.
int WaitWithDialog(const printer::Target& target, ui::HWindow owner);

// The "Printer Status" window of the adjustment dialog: the printer's state, polled once a second
// until the technician closes it with OK.
void ShowPrinterStatus(const printer::Target& target, ui::HWindow owner);

}  // namespace pages
