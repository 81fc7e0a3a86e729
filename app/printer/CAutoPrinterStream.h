// The print streams: raw bytes to and from the printer, each Read and Write opening the port,
// moving its bytes and closing the port again, so a stream holds no port between calls. Both remember
// the printer model name they found when they were made.
//
// CAutoPrinterStream goes through the driver selector's plain send and receive;
// CAutoPrinterD4Stream through the IEEE 1284.4 data channel, negotiating it for every call. Neither
// shows a message: a failure is the result 1 (S_FALSE) and a debug text, with a read count of zero
// and a write count of the bytes the printer took.
//
// A write never sends a byte twice: a retry sends only what the printer has not taken. The plain
// port driver counts the bytes of a send it cut short, so the plain stream goes on from there; the
// channel library gives no such count, so after a failed channel send the channel stream does not
// retry at all.
//
// A stream holds an exchange of the port session from its creation (the search, or the model name
// query that leaves the plain stream's port open) to its release: no other thread reaches the port
// while a stream is open. The factories give no stream (0) when the session refuses it.
#pragma once

#include <cstdint>
#include <string>

#include "platform/Unknown.h"
#include "portselect/PortNumbers.h"
#include "printer/CRefCounted.h"
#include "printer/PortSession.h"

// The byte stream with the slots the print streams add after Write: a virtual destructor, then the
// report of the port driver's last I/O error.
class IPrinterStream : public platform::ISequentialStream {
public:
    virtual ~IPrinterStream() = default;
    virtual void ReportIoError() = 0;
};

class CAutoPrinterStream : public printer::CRefCounted<IPrinterStream> {
public:
    // The number after the last one searched, which no driver accepts: the stream a search without a
    // printer gives.
    static constexpr std::int16_t kPortNotFound = portselect::kLastDiscoveredPort + 1;
    // Failed write attempts in a row that move no byte before a write fails (an attempt that moves
    // some starts the run again), and the pause after each failed attempt.
    static constexpr int kWriteAttempts = 3;
    static constexpr std::uint32_t kWriteRetryPause = 50;

    CAutoPrinterStream(std::int32_t port, std::string modelName, printer::PortSession::Exchange exchange);
    ~CAutoPrinterStream() override;

    platform::HResult Read(void* buffer, std::uint32_t count, std::uint32_t* read) override;
    platform::HResult Write(const void* data, std::uint32_t count, std::uint32_t* written) override;
    void ReportIoError() override {}

    std::int32_t GetPort() const { return port_; }
    const std::string& GetModelName() const { return modelName_; }

protected:
    // What one attempt of a write did.
    struct Attempt {
        bool succeeded = false;   // every step succeeded, so the printer took every byte
        std::uint32_t taken = 0;  // the bytes the printer took, counted from the attempt's first
        // False when the printer may hold bytes beyond taken: sending the rest again could repeat them.
        bool takenKnown = true;
    };
    // One attempt of a write.
    virtual Attempt WriteOnce(const std::uint8_t* data, std::uint32_t count);

    std::int32_t port_;
    std::string modelName_;
    // Ends after the destructor's close of the port.
    printer::PortSession::Exchange exchange_;
};

class CAutoPrinterD4Stream : public CAutoPrinterStream {
public:
    using CAutoPrinterStream::CAutoPrinterStream;

    // Only IID_IUnknown and IID_ISequentialStream; any other id gives null and E_NOINTERFACE.
    platform::HResult QueryInterface(const platform::Iid& iid, void** object) override;
    platform::HResult Read(void* buffer, std::uint32_t count, std::uint32_t* read) override;
    // Writes one line of debug output naming the port driver's last I/O error, for the codes it knows.
    void ReportIoError() override;

    // The debug line for an I/O error code; null for a code without one.
    static const char* IoErrorText(std::int16_t code);

protected:
    Attempt WriteOnce(const std::uint8_t* data, std::uint32_t count) override;
};

// The plain stream for a port number (-1: search the USB and LPT ports for the first printer that
// names its model). 1, or 0 when it cannot be allocated or the port session refuses it.
int CreatePrinterStream(platform::ISequentialStream** out, std::int16_t port);
int CreatePrinterStreamByName(platform::ISequentialStream** out, const std::string& portName);
// The channel stream for a port number (-1: search as above; a given port is not opened here).
int CreateD4Stream(platform::ISequentialStream** out, std::int16_t port);
