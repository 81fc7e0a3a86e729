// The whole EEPROM through IEepromRW, as the EEPROM page reads it: 256 ReadByte calls on one channel
// access object, against the vprinter server on loopback with the printer answering 1 ms late.
// Prints the time and the negotiations the printer saw; asserts nothing. Each read is one receive of
// the port driver, which sleeps its wait before receive first (10 ms unless a caller changes it, and
// the program does not): the second figure lowers that wait to 1 ms to show what is left.
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "platform/CallingConvention.h"
#include "platform/Device.h"
#include "platform/DynamicLibrary.h"
#include "platform/VirtualPrinterClient.h"
#include "printer/CEepromRwByApDllD4.h"
#include "printer/CPortLibraryBinder.h"
#include "vprinter/server/LoopbackPrinters.h"

namespace {

using Clock = std::chrono::steady_clock;

// The printer's "negotiations=" figure from its control report; -1 when it cannot be had.
long long Negotiations(platform::VirtualPrinterClient& control) {
    std::string answer;
    if (control.Control("USB1 get", &answer) != platform::VirtualPrinterClient::Result::Ok) {
        return -1;
    }
    const std::size_t at = answer.find("negotiations=");
    return at == std::string::npos ? -1 : std::atoll(answer.c_str() + at + 13);
}

}  // namespace

int main(int argc, char** argv) {
    const int rounds = argc > 1 ? std::atoi(argv[1]) : 3;
    vprinter::LoopbackPrinters printers({"USB1=VK-572D"}, "");
    if (!printers.Ok()) {
        std::fprintf(stderr, "%s\n", printers.Error().c_str());
        return 1;
    }
    const std::string& address = printers.Address();
    printers.InstallAsDeviceBackend();
    std::string error;
    auto control = platform::VirtualPrinterClient::Connect(address, &error);
    std::string answer;
    if (!control ||
        control->Control("USB1 latency-ms=1", &answer) != platform::VirtualPrinterClient::Result::Ok) {
        std::fprintf(stderr, "cannot set the latency: %s\n", error.c_str());
        return 1;
    }
    if (!CPortLibraryBinder::BindLibraries()) {
        std::fprintf(stderr, "Plexer.dll or ChanLink.dll cannot be loaded\n");
        return 1;
    }
    using SetWaitFunction = std::uint32_t(TOLVANE_STDCALL*)(std::int32_t, std::int32_t, std::int32_t);
    platform::LibraryHandle plexer = platform::LoadSharedLibrary("Plexer.dll");
    auto setWait = reinterpret_cast<SetWaitFunction>(
        platform::FindLibraryFunction(plexer, "SetWaitTimeBeforeReceiveByPlex"));
    int status = 0;
    for (int round = 0; round < 2 * rounds; ++round) {
        const std::int32_t usbWait = round < rounds ? 10 : 1;
        if (setWait != nullptr) {
            setWait(-1, usbWait, -1);
        }
        const long long before = Negotiations(*control);
        IEepromRW* eeprom = nullptr;
        // VK-572D's pnRNumber and nADRSMax.
        if (CreateEepromRW(&eeprom, printer::Target{"USB1", 0x57, 0x2D, 0xFF}, nullptr) != 1) {
            std::fprintf(stderr, "CreateEepromRW failed\n");
            return 1;
        }
        int failed = 0;
        const Clock::time_point start = Clock::now();
        for (int eepromAddress = 0; eepromAddress <= 0xFF; ++eepromAddress) {
            std::uint8_t value = 0;
            failed += eeprom->ReadByte(eepromAddress, &value) != 1;
        }
        eeprom->Release();
        const double seconds = std::chrono::duration<double>(Clock::now() - start).count();
        const long long negotiations = Negotiations(*control) - before;
        std::printf(
            "IEepromRW::ReadByte, 1 ms latency, USB wait before receive %2d ms: %7.3f s for 256 reads (%.2f "
            "ms "
            "each), %d failed, %lld negotiation(s) at the printer\n",
            static_cast<int>(usbWait), seconds, seconds / 256 * 1e3, failed, negotiations);
        status |= failed != 0;
    }
    if (setWait != nullptr) {
        setWait(-1, 10, -1);
    }
    platform::FreeSharedLibrary(plexer);
    CPortLibraryBinder::UnbindLibraries();
    control.reset();
    return status;
}
