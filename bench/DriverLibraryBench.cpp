// The device-driver library against the vprinter server on loopback, on the real clock: Open,
// Ctl_GetStatus and Close of a USB printer, repeated, and SendEx of a print job at the program's write
// size of 128 bytes. Each time is printed beside the waits the library itself prescribes on that path,
// so what the transport and the printer add shows as the difference. Prints the figures; asserts
// nothing.
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "drvlib/CWinVexilDrv.h"
#include "vprinter/server/LoopbackPrinters.h"

namespace {

using Clock = std::chrono::steady_clock;

// The control exchange sleeps before it sends and then the object's wait time before it reads. On
// USB its packet engine sleeps 20 ms between writing each transaction and reading the answer, and a
// command takes four: open channel 2, credit, credit request, close channel 2.
constexpr double kControlPauseMilliseconds = 500;
constexpr double kDefaultWaitTimeMilliseconds = 100;
constexpr double kPacketEngineWaitMilliseconds = 20;
constexpr int kControlTransactions = 4;
// A USB open on the NT line sleeps nowhere itself; only a parallel open settles 100 ms per try.
constexpr double kUsbOpenPauseMilliseconds = 0;
// The program's write size for SendEx.
constexpr int kProgramWriteSize = 128;

double Milliseconds(Clock::time_point start) {
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

struct Totals {
    double open = 0;
    double status = 0;
    double close = 0;
};

int OpenStatusClose(int cycles) {
    Totals totals;
    int failed = 0;
    for (int cycle = 0; cycle < cycles; ++cycle) {
        CWinVexilDrv driver;
        CString model;
        Clock::time_point start = Clock::now();
        const int opened = driver.Open(11, &model, 1);
        totals.open += Milliseconds(start);
        driver.SetWriteSize(kProgramWriteSize);
        if (opened != 0) {
            std::fprintf(stderr, "Open(11) = %d\n", opened);
            return 1;
        }
        STATUSINF status;
        start = Clock::now();
        failed += driver.Ctl_GetStatus(&status) != 0;
        totals.status += Milliseconds(start);
        start = Clock::now();
        driver.Close();
        totals.close += Milliseconds(start);
    }
    const double engine = kControlTransactions * kPacketEngineWaitMilliseconds;
    const double status = kControlPauseMilliseconds + kDefaultWaitTimeMilliseconds + engine;
    std::printf("%d cycles of Open(11) + Ctl_GetStatus + Close, mean per cycle (library's own waits):\n",
                cycles);
    std::printf("  Open           %8.1f ms  (%6.1f ms)\n", totals.open / cycles, kUsbOpenPauseMilliseconds);
    std::printf(
        "  Ctl_GetStatus  %8.1f ms  (%6.1f ms: %.0f before sending + wait time %.0f + %d transactions "
        "x %.0f)\n",
        totals.status / cycles, status, kControlPauseMilliseconds, kDefaultWaitTimeMilliseconds,
        kControlTransactions, kPacketEngineWaitMilliseconds);
    std::printf("  Close          %8.1f ms  (%6.1f ms)\n", totals.close / cycles, 0.0);
    std::printf("  cycle          %8.1f ms  (%6.1f ms), %d status reads failed\n",
                (totals.open + totals.status + totals.close) / cycles, kUsbOpenPauseMilliseconds + status,
                failed);
    return failed != 0;
}

int PrintJob(int kilobytes) {
    CWinVexilDrv driver;
    if (const int opened = driver.Open(11, nullptr, 1); opened != 0) {
        std::fprintf(stderr, "Open(11) = %d\n", opened);
        return 1;
    }
    driver.SetWriteSize(kProgramWriteSize);
    // Lines of text, as a pattern's rows reach the printer.
    std::vector<unsigned char> job;
    const std::string line = std::string(78, 'H') + "\r\n";
    while (job.size() < static_cast<std::size_t>(kilobytes) * 1024) {
        job.insert(job.end(), line.begin(), line.end());
    }
    job.resize(static_cast<std::size_t>(kilobytes) * 1024);
    unsigned long sent = 0;
    const Clock::time_point start = Clock::now();
    const int result = driver.SendEx(job.data(), static_cast<unsigned long>(job.size()), 0, &sent);
    const double milliseconds = Milliseconds(start);
    driver.Close();
    const double megabytes = static_cast<double>(sent) / (1024.0 * 1024.0);
    std::printf(
        "SendEx of %d KB in pieces of %d bytes: %8.1f ms  (%6.1f ms; each refused piece would add "
        "1000 ms), %.3f MB/s, result %d, %lu bytes sent\n",
        kilobytes, kProgramWriteSize, milliseconds, 0.0, megabytes / (milliseconds / 1000.0), result, sent);
    return result != 0;
}

}  // namespace

int main(int argc, char** argv) {
    const int cycles = argc > 1 ? std::atoi(argv[1]) : 5;
    const int kilobytes = argc > 2 ? std::atoi(argv[2]) : 100;
    if (cycles < 1 || kilobytes < 1) {
        std::fprintf(stderr, "usage: %s [cycles (5)] [kilobytes (100)]\n", argv[0]);
        return 2;
    }
    vprinter::LoopbackPrinters printers({"USB1=VK-572D"}, "");
    if (!printers.Ok()) {
        std::fprintf(stderr, "%s\n", printers.Error().c_str());
        return 1;
    }
    printers.InstallAsDeviceBackend();
    int failed = OpenStatusClose(cycles);
    failed |= PrintJob(kilobytes);
    return failed;
}
