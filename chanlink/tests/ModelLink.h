// A port straight onto the printer model in process, receiving as Plexer's packet receive does: one
// read of up to 1024 bytes, polled every 10 ms on the clock for up to 2 s.
#pragma once

#include <algorithm>
#include <cstdint>
#include <span>

#include "ChannelSession.h"
#include "platform/Clock.h"
#include "vprinter/model/VirtualPrinter.h"

namespace chanlinktest {

class ModelLink : public chanlink::PortLink {
public:
    explicit ModelLink(vprinter::VirtualPrinter& printer) : printer_(printer) {}

    std::uint32_t Send(const std::uint8_t* data, std::uint32_t count, const std::uint8_t* cancel) override {
        if (cancel != nullptr && *cancel == 1) {
            return 0xD000;
        }
        const auto written = printer_.Write(std::span<const std::uint8_t>(data, count));
        return written.disconnected || written.taken < count ? 0x1000 : 0x0001;
    }
    std::uint32_t Receive(std::uint8_t* window, std::uint32_t* length) override {
        for (int poll = 0; poll < 200; ++poll) {
            if (printer_.Disconnected()) {
                return 0x1000;
            }
            const std::size_t count = printer_.Read(window, 1024);
            if (count > 0) {
                *length = static_cast<std::uint32_t>(count);
                return count >= 1024 ? 0x1000 : 0x0001;
            }
            platform::Clock().Sleep(10);
        }
        return 0x1000;
    }

private:
    vprinter::VirtualPrinter& printer_;
};

}  // namespace chanlinktest
