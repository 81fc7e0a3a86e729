// Asking every printer port for its printer: the ports of printer discovery (USB1 .. USB127, then
// LPT1 .. LPT3) opened one after the other through the driver selector, and each port that opens asked
// for the model its printer reports.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "portselect/PlexerFunctions.h"

namespace portselect {

// One port that opened.
struct PortAnswer {
    std::int16_t number;        // the port number (PortNumbers.h)
    std::uint32_t modelStatus;  // what GetModelNameByPlex answered
    std::string_view model;     // the model the printer reported; empty unless modelStatus succeeded
};

enum class AfterAnswer {
    CloseAndGoOn,     // close the port and try the next
    KeepOpenAndStop,  // leave the port open and end the walk
};

// Walks the discovery ports in order. The driver holds one port at a time: a port the visitor lets go
// is closed before the next is opened. Returns the number of the port the visitor kept open, or
// nothing when the walk went through.
std::optional<std::int16_t> ForEachPrinterPort(const PlexerPortFunctions& plexer,
                                               const std::function<AfterAnswer(const PortAnswer&)>& visit);

// The model of the printer on the open port, in a zero-filled buffer of kModelNameBufferSize; the
// status of the query. *model is the name on success and untouched otherwise.
std::uint32_t AskModel(const PlexerPortFunctions& plexer, std::string* model);

}  // namespace portselect
