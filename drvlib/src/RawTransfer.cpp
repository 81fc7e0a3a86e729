// Raw bytes over an open port: print data and borrowed commands out through the transport library on
// the channel in the channel byte, one waiting reply in, and the init-line pulse of the USB driver.
// A write the printer refuses for now (no credit) is tried again once a second, as many times as the
// object's retry count allows; a write below the fatal limit means the connection is gone.
#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <system_error>
#include <vector>

#include "DataChannel.h"
#include "DriverModule.h"
#include "Ieee1394Exchange.h"
#include "drvlib/CWinVexilDrv.h"
#include "platform/Clock.h"
#include "platform/VirtualDevice.h"  // the init-signal request of the USB driver

namespace {

constexpr int kNoTransport = -1;
constexpr int kInitSignalFailed = -2;
constexpr int kChannelRefused = -13;
constexpr int kRetriesUsedUp = -16;
constexpr int kConnectionGone = -18;
constexpr int kFileUnreadable = -30;
constexpr int kOffsetPastEnd = -31;
constexpr int kNoPath = -50;

// KCBT_Write: -1 to -49 the printer refuses for now; -50 and below the connection is gone.
constexpr std::int32_t kFatalWrite = -50;
// KCBT_Read: -1 to -50 an error of this read; below -50 the connection is gone.
constexpr std::int32_t kLastReadError = -50;

constexpr std::uint32_t kRetryPauseMilliseconds = 1000;

// The entries this file calls; an object never opened has none bound, and then no channel opens.
bool TransportReady() {
    const drvlib::TransportEntries& entries = drvlib::Transport();
    return entries.write != nullptr && entries.read != nullptr && entries.openChannel != nullptr;
}

// The data channel open and the transport's entries there to write with: 0, or -13.
int ReadyToSend(void* connection, int* dataChannelOpen) {
    const int opened = drvlib::OpenDataChannelIfClosed(connection, dataChannelOpen);
    return opened == 0 && !TransportReady() ? kChannelRefused : opened;
}

// A piece of 0 bytes would never move the offset on: a write size below 1 (an unset or negative
// value) is taken as 1.
std::uint32_t PieceSize(int writeSize) {
    return writeSize < 1 ? 1u : static_cast<std::uint32_t>(writeSize);
}

enum class FatalNotice { Message, Silent };

struct TransportWriter {
    void* connection;
    std::uint8_t channel;
    int retries;  // the object's retry count
    FatalNotice notice;
};

// Writes data[0] to data[total - 1] in transport writes of at most pieceSize bytes, each piece
// recomputed from what has gone so far; *sent grows by every byte a write reports taken, whatever its
// result. A piece taken only partly is followed at once by the rest. A refused write, or one that
// reports success but takes nothing, is tried again after a second; after `retries` such tries -16.
// A fatal write gives -18 (with the message when asked for). Otherwise the last write's result.
std::int32_t WriteRange(const TransportWriter& writer, const std::uint8_t* data, unsigned long total,
                        std::uint32_t pieceSize, unsigned long* sent) {
    std::int32_t last = 0;
    int refusals = 0;
    unsigned long done = 0;
    while (done < total) {
        const auto piece = static_cast<std::uint32_t>(std::min<unsigned long>(pieceSize, total - done));
        std::uint32_t length = piece;
        const std::int32_t result =
            drvlib::Transport().write(writer.connection, writer.channel, data + done, &length);
        // The transport never takes more than it was given; a count above it is not believed.
        const std::uint32_t taken = std::min(length, piece);
        done += taken;
        *sent += taken;
        if (result <= kFatalWrite) {
            if (writer.notice == FatalNotice::Message) {
                char code[32];
                std::snprintf(code, sizeof code, "KCBT_Write = %d", static_cast<int>(result));
                drvlib::ShowPlainMessage(std::string("Communication error\n") + code +
                                         "\nERR_VEXILDRV_CBT_FATAL");
            }
            return kConnectionGone;
        }
        if (result >= 0 && taken > 0) {
            last = result;
            refusals = 0;
            continue;
        }
        if (refusals >= writer.retries) {
            return kRetriesUsedUp;
        }
        ++refusals;
        platform::Clock().Sleep(kRetryPauseMilliseconds);
    }
    return last;
}

}  // namespace

int CWinVexilDrv::Send(unsigned char* data, int len) {
    if (m_nPortKind == drvlib::kIeee1394Port) {
        const drvlib::Ieee1394Link link{drvlib::FindPort(m_hPort), m_nWriteSize, m_nCbtTimeOut, m_nWaitTime};
        return drvlib::Ieee1394CallerResult(drvlib::Ieee1394Send(link, data, len));
    }
    // A negative count is nothing to send, as 0 is; it must never become a huge unsigned one.
    if (len <= 0) {
        return 0;
    }
    const int opened = ReadyToSend(m_hCbt, &m_bDataChannelOpen);
    if (opened != 0) {
        return opened;
    }
    const TransportWriter writer{m_hCbt, m_pChannel[0], m_nCbtTimeOut, FatalNotice::Message};
    unsigned long sent = 0;
    const auto total = static_cast<unsigned long>(len);
    return WriteRange(writer, data, total, static_cast<std::uint32_t>(total), &sent);
}

int CWinVexilDrv::SendEx(unsigned char* data, unsigned long end, unsigned long start, unsigned long* sent) {
    unsigned long unused = 0;
    unsigned long* count = sent != nullptr ? sent : &unused;
    *count = 0;
    // An end before the start is an empty range; subtracted, it would send from far past the buffer.
    const unsigned long total = end > start ? end - start : 0;
    if (m_nPortKind == drvlib::kIeee1394Port) {
        const drvlib::Ieee1394Link link{drvlib::FindPort(m_hPort), m_nWriteSize, m_nCbtTimeOut, m_nWaitTime};
        return drvlib::Ieee1394CallerResult(
            drvlib::Ieee1394SendPieces(link, total > 0 ? data + start : data, total, count));
    }
    const int opened = ReadyToSend(m_hCbt, &m_bDataChannelOpen);
    if (opened != 0) {
        return opened;
    }
    if (total == 0) {
        return 0;
    }
    const TransportWriter writer{m_hCbt, m_pChannel[0], m_nCbtTimeOut, FatalNotice::Message};
    const std::int32_t result = WriteRange(writer, data + start, total, PieceSize(m_nWriteSize), count);
    return result < 0 ? result : 0;
}

int CWinVexilDrv::SendFile(CString path, unsigned long offset, unsigned long* sent) {
    unsigned long unused = 0;
    unsigned long* count = sent != nullptr ? sent : &unused;
    *count = 0;
    // Files go through the transport library only: on an IEEE 1394 unit, which has no connection, the
    // data channel does not open (-13).
    const int opened = ReadyToSend(m_hCbt, &m_bDataChannelOpen);
    if (opened != 0) {
        return opened;
    }
    if (path.IsEmpty()) {
        return kNoPath;
    }
    const std::filesystem::path file(path.ToStdString());
    std::error_code error;
    const std::uintmax_t size = std::filesystem::file_size(file, error);
    if (error) {
        return kFileUnreadable;
    }
    if (size < offset) {
        return kOffsetPastEnd;
    }
    // A file that has a size but does not open (no read permission, held by another) sends nothing
    // and is a failure like an unreadable status: the caller must not take the job as printed.
    std::ifstream input(file, std::ios::binary);
    if (!input || !input.seekg(static_cast<std::streamoff>(offset))) {
        return kFileUnreadable;
    }
    const std::uint32_t pieceSize = PieceSize(m_nWriteSize);
    std::vector<std::uint8_t> piece(pieceSize);
    const TransportWriter writer{m_hCbt, m_pChannel[0], m_nCbtTimeOut, FatalNotice::Silent};
    for (;;) {
        input.read(reinterpret_cast<char*>(piece.data()), static_cast<std::streamsize>(pieceSize));
        const auto got = static_cast<unsigned long>(input.gcount());
        if (input.bad()) {
            return kFileUnreadable;
        }
        if (got > 0) {
            const std::int32_t result = WriteRange(writer, piece.data(), got, pieceSize, count);
            if (result < 0) {
                return result;
            }
        }
        // A short read is the end of the file.
        if (got < pieceSize) {
            return 0;
        }
    }
}

int CWinVexilDrv::Receive(unsigned char* buffer) {
    // An IEEE 1394 unit has no connection to read from: its replies come back inside its exchanges.
    if (m_nPortKind == drvlib::kIeee1394Port || buffer == nullptr || !TransportReady()) {
        return kNoTransport;
    }
    const std::uint8_t channel = m_pChannel[0];
    std::uint32_t waiting = 0;
    std::int32_t result = drvlib::Transport().read(m_hCbt, channel, nullptr, &waiting);
    std::uint32_t length = 0;
    if (result >= 0 && waiting > 0) {
        // The caller's buffer holds 256 bytes. The transport copies a reply cut to the length passed
        // and drops the rest of it with the reply, so a longer reply arrives as its first 256 bytes.
        length = std::min<std::uint32_t>(waiting, drvlib::kReplyBufferSize);
        result = drvlib::Transport().read(m_hCbt, channel, buffer, &length);
    }
    if (result < kLastReadError) {
        m_pChannel[0] = drvlib::kNoChannel;
        m_hCbt = nullptr;
        if (drvlib::IsRealHandle(m_hPort) || m_bEcpDriver) {
            Local_Close(m_hPort);
        }
        m_hPort = 0;
        return kConnectionGone;
    }
    if (result < 0) {
        return result;
    }
    // Nothing waiting is a reply of no bytes; asking the transport to copy it would only wait again.
    return static_cast<int>(std::min<std::uint32_t>(length, drvlib::kReplyBufferSize));
}

int CWinVexilDrv::SendInitSignal() {
    platform::DevicePort* port = drvlib::FindPort(m_hPort);
    if (port == nullptr) {
        return kInitSignalFailed;
    }
    const platform::DeviceRequest request{platform::kUsbInitSignalRequest, {}};
    std::uint8_t output = 0;
    std::uint32_t returned = 0;
    const platform::DeviceError error =
        platform::ActiveDeviceBackend().DeviceControl(*port, request, &output, 1, &returned);
    return error == platform::DeviceError::None ? 0 : kInitSignalFailed;
}
