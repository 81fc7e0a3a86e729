// The virtual printer over loopback TCP: the round trip of a short request and its answer (a sensor
// read on the plain stream), through the client and through the device seam's virtual back-end, and
// bulk print data. Prints the figures.
//
//   bench_vprinter [round trips] [megabytes]
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "platform/VirtualPrinterClient.h"
#include "vprinter/server/LoopbackPrinters.h"

namespace {

using Clock = std::chrono::steady_clock;

const std::vector<std::uint8_t> kSensorRead{0x1B, 0x7C, 0x00, 0x05, 0x00, 0x57, 0x2D, 0x24, 0xDB, 0x12};

double Seconds(Clock::time_point start) {
    return std::chrono::duration<double>(Clock::now() - start).count();
}

}  // namespace

int main(int argc, char** argv) {
    const int roundTrips = argc > 1 ? std::atoi(argv[1]) : 20000;
    const int megabytes = argc > 2 ? std::atoi(argv[2]) : 256;

    vprinter::LoopbackPrinters printers({"USB1=VK-572D"}, "");
    if (!printers.Ok()) {
        std::fprintf(stderr, "%s\n", printers.Error().c_str());
        return 1;
    }
    const std::string& address = printers.Address();

    std::string error;
    auto client = platform::VirtualPrinterClient::Connect(address, &error);
    if (!client || client->Open("USB1") != platform::VirtualPrinterClient::Result::Ok) {
        std::fprintf(stderr, "cannot open USB1: %s\n", error.c_str());
        return 1;
    }
    std::uint8_t buffer[256];
    std::uint32_t count = 0;
    Clock::time_point start = Clock::now();
    for (int i = 0; i < roundTrips; ++i) {
        client->Write(kSensorRead.data(), static_cast<std::uint32_t>(kSensorRead.size()), &count);
        client->Read(buffer, sizeof buffer, 1000, &count);
    }
    const double clientSeconds = Seconds(start);
    std::printf("round trip, client:          %8.1f us (write + read of a sensor request, %d times)\n",
                clientSeconds / roundTrips * 1e6, roundTrips);
    client->Close();

    platform::DeviceBackend& backend = printers.Backend();
    platform::DevicePortPtr port;
    if (backend.Open({platform::PortKind::Usb, 1, {}, {}}, &port) != platform::DeviceError::None) {
        std::fprintf(stderr, "the back-end cannot open USB1\n");
        return 1;
    }
    start = Clock::now();
    for (int i = 0; i < roundTrips; ++i) {
        backend.Write(*port, kSensorRead.data(), static_cast<std::uint32_t>(kSensorRead.size()), &count);
        // The back-end reads what is there; the answer is there once the write has returned.
        backend.Read(*port, buffer, sizeof buffer, &count);
    }
    const double backendSeconds = Seconds(start);
    std::printf("round trip, virtual back-end: %8.1f us\n", backendSeconds / roundTrips * 1e6);

    // Print data: lines of text in 64 KiB writes, as a job's buffer goes out.
    std::vector<std::uint8_t> chunk(64 * 1024);
    for (std::size_t i = 0; i < chunk.size(); ++i) {
        chunk[i] = i % 80 == 78 ? '\r' : i % 80 == 79 ? '\n' : static_cast<std::uint8_t>('A' + i % 26);
    }
    const std::size_t total = static_cast<std::size_t>(megabytes) * 1024 * 1024;
    start = Clock::now();
    for (std::size_t sent = 0; sent < total; sent += chunk.size()) {
        backend.Write(*port, chunk.data(), static_cast<std::uint32_t>(chunk.size()), &count);
    }
    const double bulkSeconds = Seconds(start);
    std::printf("bulk print data:             %8.1f MB/s (%d MiB in 64 KiB writes)\n",
                static_cast<double>(total) / bulkSeconds / 1e6, megabytes);
    port.reset();
    return 0;
}
