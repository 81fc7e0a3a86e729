// The rows of the top dialog's port list and the rule that preselects one of them. Pure: the
// discovered printers and the customer's device ID in, texts and a row out.
#pragma once

#include <array>
#include <string>

#include "workflow/PortDiscovery.h"

namespace workflow {

// Fourteen rows in a fixed order: LPT1 to LPT3, a separator, USB1 to USB10. The separator's port name
// is empty.
inline constexpr int kPortRowCount = 14;
const std::array<const char*, kPortRowCount>& PortRowNames();

// "---" for the separator; "USB1: VK-572D" for a port with a printer; "USB1:" for one without.
std::string PortRowText(const std::string& portName, const DiscoveredPrinters& printers);

// The device ID of a customer names the maker in its first six characters ("ORLEX "); the model the
// printer reports follows. The first row, in list order, whose printer reported exactly that model;
// -1 when none did or when the device ID holds no model.
int PreselectedPortRow(const DiscoveredPrinters& printers, const std::string& customerDeviceId);

}  // namespace workflow
