// The eight delayed Plexer imports against the Plexer in the probe's own folder, which may lack one of
// them: that one must answer 0xB000 and the process must go on (in the Windows build the delay-load
// helper's failure hook answers for it; without the hook the helper's exception ends the process),
// and every other import must still reach the printer.
//   usage: tolv_printer_import_probe <the import this Plexer lacks, or "none">
// The import left out may be any of the three the exchange with the printer can do without (the port
// must close again before the process ends: the printers in this process end with it).
#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "platform/Clock.h"
#include "portselect/PlexerFunctions.h"
#include "printer/PortStatus.h"
#include "printer/ReceiveWindow.h"
#include "vprinter/inprocess/InProcessPrinterPorts.h"

namespace {

constexpr std::uint32_t kUsb1 = 0x0401;

class Checks {
public:
    explicit Checks(std::string missing) : missing_(std::move(missing)) {}

    // The import's status: 0xB000 from the one the library lacks, success from every other.
    void Status(const std::string& import, std::uint32_t result) {
        const std::uint32_t expected =
            import == missing_ ? printer::status::kLibraryMissing : printer::status::kSuccess;
        That(import, printer::LowWord(result) == expected,
             Hex(printer::LowWord(result)) + " (expected " + Hex(expected) + ")");
    }
    void That(const std::string& what, bool passed, const std::string& detail) {
        std::printf("%s %s: %s\n", passed ? "ok  " : "FAIL", what.c_str(), detail.c_str());
        (passed ? passed_ : failed_) += 1;
    }
    bool Missing(const std::string& import) const { return import == missing_; }
    int Finish() const {
        std::printf("%d passed, %d failed\n", passed_, failed_);
        return failed_ == 0 ? 0 : 1;
    }

private:
    static std::string Hex(std::uint32_t value) {
        char text[16];
        std::snprintf(text, sizeof text, "0x%04X", static_cast<unsigned>(value));
        return text;
    }

    std::string missing_;
    int passed_ = 0;
    int failed_ = 0;
};

}  // namespace

int main(int argc, char** argv) {
    const std::vector<std::string> dispensable = {"none", "SetPortTimeOutByPlex", "GetIoErrorCodeByPlex",
                                                  "GetModelNameByPlex"};
    if (argc != 2 || std::find(dispensable.begin(), dispensable.end(), argv[1]) == dispensable.end()) {
        std::fprintf(stderr, "usage: %s none|SetPortTimeOutByPlex|GetIoErrorCodeByPlex|GetModelNameByPlex\n",
                     argv[0]);
        return 2;
    }
    platform::VirtualClock clock;
    platform::ScopedClock scopedClock(clock);
    vprinter::InProcessPrinterPorts ports;
    vprinter::VirtualPrinter& printer = ports.AddPrinter("USB1", "VK-572D");
    Checks checks(argv[1]);

    checks.Status("SetPortTimeOutByPlex", SetPortTimeOutByPlex(10, 10, 2000, 10, 2000));
    // Receive type 3: the reply's length as the printer announces it.
    checks.Status("SetReceiveTypeByPlex", SetReceiveTypeByPlex(3));
    checks.Status("PortOpenByPlex", PortOpenByPlex(kUsb1));
    checks.That("the port", ports.OpenNow("USB1") == 1, "open");
    std::int16_t code = 7;
    checks.Status("GetIoErrorCodeByPlex", GetIoErrorCodeByPlex(&code));

    std::array<char, portselect::kModelNameBufferSize> name{};
    checks.Status("GetModelNameByPlex", GetModelNameByPlex(name.data()));
    const std::string expectedName = checks.Missing("GetModelNameByPlex") ? "" : "VK-572D";
    checks.That("the model name", std::string(name.data()) == expectedName,
                "\"" + std::string(name.data()) + "\"");

    // An EEPROM read request on the plain stream, and the printer's answer back through the receive.
    const std::uint8_t code1 = printer.Core().Profile().commandCode[0];
    const std::uint8_t code2 = printer.Core().Profile().commandCode[1];
    const std::array<std::uint8_t, 13> request = {0x1B,  0x40,  0x1B, 0x7C, 0x00, 0x06, 0x00,
                                                  code1, code2, 0x10, 0xEF, 0x08, 0xA2};
    const std::uint8_t cancel = 0;
    checks.Status("SendByPlex",
                  SendByPlex(request.data(), static_cast<std::uint32_t>(request.size()), &cancel));
    std::array<std::uint8_t, printer::kReceiveWindow> reply{};
    std::uint32_t length = 0;
    checks.Status("ReceiveByPlex", ReceiveByPlex(reply.data(), &length));
    std::uint8_t stored = 0;
    printer.Core().EepromImage().Read(0xA2, &stored);
    char hex[3];
    std::snprintf(hex, sizeof hex, "%02X", stored);
    const bool replied =
        length >= 16 && std::string(reinterpret_cast<const char*>(reply.data()) + 14, 2) == hex;
    checks.That("the reply", replied, std::to_string(length) + " bytes, the stored value " + hex);

    PortCloseByPlex();
    checks.That("PortCloseByPlex", ports.OpenNow("USB1") == 0,
                "the port " + std::string(ports.OpenNow("USB1") == 0 ? "closed" : "still open"));
    return checks.Finish();
}
