// The stand-ins against the vprinter server on loopback: 256 EEPROM reads through Plexer and
// ChanLink in one negotiation with the printer answering 1 ms late, and 4 MB of print data through
// the packet transport library. Prints the figures; asserts nothing.
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "cbt/Kcbt.h"
#include "chanlink/ChanLink.h"
#include "platform/CallingConvention.h"
#include "platform/Device.h"
#include "platform/DynamicLibrary.h"
#include "platform/VirtualPrinterClient.h"
#include "portselect/PlexerFunctions.h"
#include "vprinter/server/LoopbackPrinters.h"

namespace {

using Status = std::uint32_t;
using Clock = std::chrono::steady_clock;

double Seconds(Clock::time_point start) {
    return std::chrono::duration<double>(Clock::now() - start).count();
}

template <typename Function>
Function Find(platform::LibraryHandle library, const char* name) {
    return reinterpret_cast<Function>(platform::FindLibraryFunction(library, name));
}

int EepromReads(const std::string& address, int reads, std::int32_t usbWait) {
    std::string error;
    auto control = platform::VirtualPrinterClient::Connect(address, &error);
    std::string answer;
    if (!control ||
        control->Control("USB1 latency-ms=1", &answer) != platform::VirtualPrinterClient::Result::Ok) {
        std::fprintf(stderr, "cannot set the latency: %s\n", error.c_str());
        return 1;
    }
    platform::LibraryHandle plexer = platform::LoadSharedLibrary("Plexer.dll");
    platform::LibraryHandle chanlink = platform::LoadSharedLibrary("ChanLink.dll");
    if (plexer == nullptr || chanlink == nullptr) {
        std::fprintf(stderr, "Plexer.dll or ChanLink.dll cannot be loaded\n");
        return 1;
    }
    auto portOpen = TOLVANE_PLEXER_FUNCTION(plexer, PortOpenByPlex);
    auto portClose = TOLVANE_PLEXER_FUNCTION(plexer, PortCloseByPlex);
    auto negotiation = Find<decltype(&::D4Negotiation)>(chanlink, "D4Negotiation");
    auto termination = Find<decltype(&::D4Termination)>(chanlink, "D4Termination");
    auto setCode = Find<decltype(&::SetD4CommandRCode)>(chanlink, "SetD4CommandRCode");
    auto readEeprom = Find<decltype(&::D4ReadEeprom)>(chanlink, "D4ReadEeprom");
    auto setWait = TOLVANE_PLEXER_FUNCTION(plexer, SetWaitTimeBeforeReceiveByPlex);
    // Plexer gives a USB printer this long to answer before every receive (10 ms unless a caller
    // changes it); a packet receive takes the answer as soon as it arrives. Each D4ReadEeprom is one
    // receive.
    setWait(-1, usbWait, -1);
    const std::uint8_t cancel = 0;
    if ((portOpen(0x0401) & 0xFFFF) != 1) {
        std::fprintf(stderr, "PortOpenByPlex(USB1) failed\n");
        return 1;
    }
    const Clock::time_point start = Clock::now();
    Status status = negotiation(&cancel);
    setCode(0x57, 0x2D);  // VK-572D's pnRNumber
    int failed = 0;
    for (int eepromAddress = 0; eepromAddress < reads; ++eepromAddress) {
        std::uint8_t value = 0;
        failed +=
            (readEeprom(static_cast<std::uint32_t>(eepromAddress & 0xFF), &value, &cancel) & 0xFFFF) != 1;
    }
    status = termination(&cancel);
    const double seconds = Seconds(start);
    portClose();
    std::printf(
        "D4ReadEeprom, 1 ms latency, Plexer's USB wait before receive %2d ms: %7.3f s for %d reads in one "
        "negotiation (%.2f ms each), %d failed, termination 0x%04X\n",
        usbWait, seconds, reads, seconds / reads * 1e3, failed, static_cast<unsigned>(status & 0xFFFF));
    setWait(-1, 10, -1);
    control->Control("USB1 latency-ms=0", &answer);
    return 0;
}

int PrintData(platform::DeviceBackend& backend, int megabytes) {
    platform::LibraryHandle library = platform::LoadSharedLibrary("K_QDRM4TA.DLL");
    if (library == nullptr) {
        std::fprintf(stderr, "K_QDRM4TA.DLL cannot be loaded\n");
        return 1;
    }
    using Connection = void*;
    auto open = Find<decltype(&::KCBT_Open)>(library, "KCBT_Open");
    auto openChannel = Find<decltype(&::KCBT_OpenChannel)>(library, "KCBT_OpenChannel");
    auto write = Find<decltype(&::KCBT_Write)>(library, "KCBT_Write");
    auto close = Find<decltype(&::KCBT_Close)>(library, "KCBT_Close");
    platform::DevicePortPtr port;
    if (backend.Open({platform::PortKind::Usb, 1, {}, {}}, &port) != platform::DeviceError::None) {
        std::fprintf(stderr, "the back-end cannot open USB1\n");
        return 1;
    }
    Connection connection = nullptr;
    if (open(port.get(), nullptr, &connection) != 0 || openChannel(connection, 0x40) != 0) {
        std::fprintf(stderr, "KCBT_Open or KCBT_OpenChannel failed\n");
        return 1;
    }
    // Print data in the pieces a sender hands over: 64 KB at a time.
    const std::vector<std::uint8_t> piece(64 * 1024, 0x20);
    const std::uint64_t total = static_cast<std::uint64_t>(megabytes) * 1024 * 1024;
    std::uint64_t sent = 0;
    int refusals = 0;
    const Clock::time_point start = Clock::now();
    while (sent < total) {
        std::uint32_t length =
            static_cast<std::uint32_t>(std::min<std::uint64_t>(piece.size(), total - sent));
        const std::int32_t result = write(connection, 0x40, piece.data(), &length);
        if (result <= -50) {
            std::fprintf(stderr, "KCBT_Write = %d\n", result);
            return 1;
        }
        refusals += result < 0;
        sent += length;
    }
    const double seconds = Seconds(start);
    close(connection);
    std::printf("KCBT_Write over loopback:   %8.3f s for %d MB (%.1f MB/s), %d refusals\n", seconds,
                megabytes, megabytes / seconds, refusals);
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    const int reads = argc > 1 ? std::atoi(argv[1]) : 256;
    const int megabytes = argc > 2 ? std::atoi(argv[2]) : 4;
    vprinter::LoopbackPrinters printers({"USB1=VK-572D"}, "");
    if (!printers.Ok()) {
        std::fprintf(stderr, "%s\n", printers.Error().c_str());
        return 1;
    }
    const std::string& address = printers.Address();
    printers.InstallAsDeviceBackend();
    int failed = 0;
    for (const std::int32_t usbWait : {10, 2, 1}) {
        failed |= EepromReads(address, reads, usbWait);
    }
    failed |= PrintData(printers.Backend(), megabytes);
    return failed;
}
