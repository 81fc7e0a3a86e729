// Whether the last bi-directional pattern left the paper where the next one prints over it: set when
// a pattern has been printed, cleared by the form-feed job and at the end of the full factory test.
// One flag for the process; only it outlives a print job.
#pragma once

namespace patterns {

bool OverprintPending();
void SetOverprintPending(bool pending);

}  // namespace patterns
