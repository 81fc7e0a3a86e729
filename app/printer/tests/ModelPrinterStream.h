// A byte stream straight onto a printer of the virtual printer model, as the plain print stream would
// be: writes go to the printer's port, reads wait on the process clock for its answer. Faults come
// from the printer (a dropped line fails the write, a silent printer leaves the read empty). Keeps
// every byte written, for the tests to pin.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "platform/Clock.h"
#include "printer/CRefCounted.h"
#include "vprinter/model/VirtualPrinter.h"

namespace printertest {

// The byte stream interface with the destructor slot the access objects' scheme needs.
class IDestroyableStream : public platform::ISequentialStream {
public:
    virtual ~IDestroyableStream() = default;
};

class ModelPrinterStream : public printer::CRefCounted<IDestroyableStream> {
public:
    explicit ModelPrinterStream(vprinter::VirtualPrinter& printer) : printer_(printer) {}

    platform::HResult Read(void* buffer, std::uint32_t count, std::uint32_t* read) override {
        ++reads;
        // The longest a read waits for the first byte of an answer.
        constexpr std::uint32_t kReadTimeout = 1000;
        const auto due = printer_.MillisecondsUntilReply();
        if (due && *due > 0 && *due <= kReadTimeout) {
            platform::Clock().Sleep(*due);
        }
        const std::size_t got = printer_.Read(static_cast<std::uint8_t*>(buffer), count);
        if (read != nullptr) {
            *read = static_cast<std::uint32_t>(got);
        }
        return printer_.Disconnected() ? static_cast<platform::HResult>(0x80004005u) : platform::kSOk;
    }
    platform::HResult Write(const void* data, std::uint32_t count, std::uint32_t* taken) override {
        ++writes;
        const auto* bytes = static_cast<const std::uint8_t*>(data);
        const auto result = printer_.Write(std::span<const std::uint8_t>(bytes, count));
        written.insert(written.end(), bytes, bytes + result.taken);
        if (taken != nullptr) {
            *taken = result.taken;
        }
        return result.disconnected ? static_cast<platform::HResult>(0x80004005u) : platform::kSOk;
    }

    std::vector<std::uint8_t> written;
    int reads = 0;
    int writes = 0;

private:
    vprinter::VirtualPrinter& printer_;
};

}  // namespace printertest
