// Production commands: ESC '|' frames (and two remote-mode queries) on the data channel 0x40, answered
// with a short text the printer queues on the same channel. On USB the library writes the data packet
// itself and reads the answer packet from the port; on a parallel port the transport library carries
// both ways.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "DataChannel.h"
#include "DriverModule.h"
#include "Ieee1394Exchange.h"
#include "PacketEngine.h"
#include "ProductionFrames.h"
#include "ProductionReplies.h"
#include "drvlib/CWinVexilDrv.h"
#include "platform/Clock.h"

namespace {

constexpr int kWriteFailed = -2;
constexpr int kReadFailed = -3;
constexpr int kPacketTooLong = -7;
constexpr int kNoCreditGiven = -20;
constexpr int kReceiveFailed = -20;
constexpr int kNoAnswer = -24;
constexpr int kEcpDriverMode = -50;

// The packet engine's pause between a packet and the read of its answer.
constexpr int kPacketWaitMilliseconds = 20;
// The USB answer packet is read in pieces of one USB bulk packet.
constexpr std::uint32_t kUsbReadSize = 64;
// A parallel printer gets 30 polls, 100 ms apart, to queue its answer; after them the answer is empty.
constexpr int kReceivePolls = 30;
constexpr std::uint32_t kReceivePollPauseMilliseconds = 100;

// The answer as text; a NUL byte would end the text early for a caller that reads it as a C string,
// so NUL bytes are left out.
void StoreReply(const std::uint8_t* bytes, std::size_t count, CString* reply) {
    reply->Empty();
    for (std::size_t i = 0; i < count; ++i) {
        if (bytes[i] != 0) {
            *reply += static_cast<char>(bytes[i]);
        }
    }
}

void Pause(int milliseconds) {
    if (milliseconds > 0) {
        platform::Clock().Sleep(static_cast<std::uint32_t>(milliseconds));
    }
}

using Exchange = int (CWinVexilDrv::*)(unsigned char*, int, CString*);

// One production exchange of a frame on a driver.
struct Exchanger {
    CWinVexilDrv* driver;
    Exchange exchange;

    int operator()(drvlib::ProductionFrame frame, CString* reply) const {
        return (driver->*exchange)(frame.data(), static_cast<int>(frame.size()), reply);
    }
};

void Clear(unsigned char* value) {
    if (value != nullptr) {
        *value = 0;
    }
}

void Clear(CString* text) {
    if (text != nullptr) {
        text->Empty();
    }
}

// A byte-valued answer. An answer without the operation's value (a silent printer, another model's
// "NA;", a reply cut short) gives -24 and leaves the value at 0: an empty reply must never read as
// the byte 0, which a caller could take for an EEPROM byte and write back complemented.
int ExchangeForByte(const Exchanger& run, drvlib::ProductionFrame frame,
                    const drvlib::ProductionAnswer& answer, unsigned char* value) {
    CString reply;
    const int result = run(std::move(frame), &reply);
    if (result < 0) {
        return result;
    }
    const std::optional<std::uint8_t> byte = drvlib::DecodeAnswerByte(reply.View(), answer);
    if (!byte) {
        return kNoAnswer;
    }
    if (value != nullptr) {
        *value = *byte;
    }
    return 0;
}

// A text-valued answer: -24 and the text left empty when the reply lacks the operation's group.
int ExchangeForText(const Exchanger& run, drvlib::ProductionFrame frame,
                    const drvlib::ProductionAnswer& answer, CString* text) {
    CString reply;
    const int result = run(std::move(frame), &reply);
    if (result < 0) {
        return result;
    }
    const std::optional<std::string> value = drvlib::DecodeAnswerText(reply.View(), answer);
    if (!value) {
        return kNoAnswer;
    }
    if (text != nullptr) {
        *text = CString(std::string_view(*value));
    }
    return 0;
}

}  // namespace

int CWinVexilDrv::Prod_SendReceive(unsigned char* cmd, int len, CString* reply) {
    CString unused;
    CString* text = reply != nullptr ? reply : &unused;
    text->Empty();
    if (m_nPortKind == drvlib::kIeee1394Port) {
        // The unit runs without a connection: the frame goes out in one locked write and the reply is
        // one plain read after the wait time.
        const drvlib::Ieee1394Link link{drvlib::FindPort(m_hPort), m_nWriteSize, m_nCbtTimeOut, m_nWaitTime};
        std::string bytes;
        const int result =
            drvlib::Ieee1394CallerResult(drvlib::Ieee1394ProductionExchange(link, cmd, len, &bytes));
        if (result < 0) {
            return result;
        }
        StoreReply(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size(), text);
        return 0;
    }
    const int opened = drvlib::OpenDataChannelIfClosed(m_hCbt, &m_bDataChannelOpen);
    if (opened != 0) {
        return opened;
    }
    if (m_nPortKind == drvlib::kUsbPort) {
        // The data packet goes out beside the transport library: the printer first gets a credit to
        // answer with, then grants the one this packet travels on.
        platform::DevicePort* port = drvlib::FindPort(m_hPort);
        if (port == nullptr) {
            return kWriteFailed;
        }
        drvlib::PacketEngine engine(port, kPacketWaitMilliseconds);
        if (!engine.Credit(drvlib::kDataChannel, drvlib::kDataChannel)) {
            return kNoCreditGiven;
        }
        if (!engine.CreditRequest(drvlib::kDataChannel)) {
            return kWriteFailed;
        }
        if (!engine.WritePacket(
                drvlib::PacketEngine::DataPacket(drvlib::kDataChannel, drvlib::kDataChannel, cmd, len))) {
            return kWriteFailed;
        }
        Pause(m_nWaitTime);
        std::vector<std::uint8_t> payload;
        const int read = engine.ReadReplyPacket(kUsbReadSize, &payload);
        if (read == kPacketTooLong) {
            return kPacketTooLong;
        }
        if (read != 0) {
            return kReadFailed;
        }
        StoreReply(payload.data(), payload.size(), text);
        return 0;
    }
    if (Send(cmd, len) < 0) {
        return kWriteFailed;
    }
    Pause(m_nWaitTime);
    std::uint8_t buffer[drvlib::kReplyBufferSize];
    for (int poll = 0; poll < kReceivePolls; ++poll) {
        const int received = Receive(buffer);
        if (received < 0) {
            return kReceiveFailed;
        }
        if (received > 0) {
            StoreReply(buffer, static_cast<std::size_t>(received), text);
            break;
        }
        platform::Clock().Sleep(kReceivePollPauseMilliseconds);
    }
    return 0;
}

int CWinVexilDrv::Prod_ReplyEEP_SIDM(unsigned char k1, unsigned char k2, unsigned long addr,
                                     unsigned char* value, int wideAddress) {
    Clear(value);
    if (m_bEcpDriver) {
        return kEcpDriverMode;
    }
    return ExchangeForByte({this, &CWinVexilDrv::Prod_SendReceive},
                           drvlib::EepromSerialImpactFrame(k1, k2, addr, wideAddress == 1),
                           drvlib::kEepromAnswer, value);
}

int CWinVexilDrv::Prod_ReplyRomVer2(unsigned char k1, unsigned char k2, CString* version) {
    Clear(version);
    if (m_bEcpDriver) {
        return kEcpDriverMode;
    }
    return ExchangeForText({this, &CWinVexilDrv::Prod_SendReceive}, drvlib::RomVersionFrame(k1, k2),
                           drvlib::kRomVersionAnswer, version);
}

int CWinVexilDrv::Prod_ReplySens(unsigned char k1, unsigned char k2, unsigned char* state) {
    Clear(state);
    if (m_bEcpDriver) {
        return kEcpDriverMode;
    }
    return ExchangeForByte({this, &CWinVexilDrv::Prod_SendReceive}, drvlib::SensorsFrame(k1, k2),
                           drvlib::kSensorsAnswer, state);
}

int CWinVexilDrv::Prod_ReplyEEP(unsigned char k1, unsigned char k2, unsigned char addr,
                                unsigned char* value) {
    Clear(value);
    if (m_bEcpDriver) {
        return kEcpDriverMode;
    }
    return ExchangeForByte({this, &CWinVexilDrv::Prod_SendReceive}, drvlib::EepromFrame(k1, k2, addr),
                           drvlib::kEepromAnswer, value);
}

int CWinVexilDrv::Prod_ReplyEEP2(unsigned char k1, unsigned char k2, unsigned char a1, unsigned char a2,
                                 unsigned char* value) {
    Clear(value);
    if (m_bEcpDriver) {
        return kEcpDriverMode;
    }
    return ExchangeForByte({this, &CWinVexilDrv::Prod_SendReceive},
                           drvlib::EepromTwoByteFrame(k1, k2, a1, a2), drvlib::kEepromAnswer, value);
}

int CWinVexilDrv::Prod_ReplyEEP_LFP(unsigned char k1, unsigned char k2, unsigned long addr,
                                    unsigned char* value) {
    Clear(value);
    if (m_bEcpDriver) {
        return kEcpDriverMode;
    }
    return ExchangeForByte({this, &CWinVexilDrv::Prod_SendReceive}, drvlib::EepromLargeFrame(k1, k2, addr),
                           drvlib::kEepromAnswer, value);
}

int CWinVexilDrv::Prod_ReplyFlash(unsigned char k1, unsigned char k2, unsigned char a, unsigned char b,
                                  unsigned char* value) {
    Clear(value);
    if (m_bEcpDriver) {
        return kEcpDriverMode;
    }
    return ExchangeForByte({this, &CWinVexilDrv::Prod_SendReceive}, drvlib::FlashFrame(k1, k2, a, b),
                           drvlib::kFlashAnswer, value);
}

int CWinVexilDrv::Prod_ReplyCSIC(unsigned char k1, unsigned char k2, int a, unsigned char b,
                                 unsigned char* value) {
    Clear(value);
    if (m_bEcpDriver) {
        return kEcpDriverMode;
    }
    // The CSIC address goes out as its low byte.
    const auto address = static_cast<std::uint8_t>(a & 0xFF);
    return ExchangeForByte({this, &CWinVexilDrv::Prod_SendReceive}, drvlib::CsicFrame(k1, k2, address, b),
                           drvlib::kCsicAnswer, value);
}

int CWinVexilDrv::Prod_ReplyTimerIC(unsigned char k1, unsigned char k2, CString* text) {
    Clear(text);
    if (m_bEcpDriver) {
        return kEcpDriverMode;
    }
    return ExchangeForText({this, &CWinVexilDrv::Prod_SendReceive}, drvlib::TimerIcFrame(k1, k2),
                           drvlib::kTimerIcAnswer, text);
}

int CWinVexilDrv::Prod_ReplyACK(unsigned char k1, unsigned char k2, CString* text) {
    Clear(text);
    return ExchangeForText({this, &CWinVexilDrv::Prod_SendReceive}, drvlib::AcknowledgeFrame(k1, k2),
                           drvlib::kAcknowledgeAnswer, text);
}

int CWinVexilDrv::Prod_ReplyHeadTemp(CString* text) {
    Clear(text);
    return ExchangeForText({this, &CWinVexilDrv::Prod_SendReceive}, drvlib::HeadTemperatureFrame(),
                           drvlib::kHeadTemperatureAnswer, text);
}

int CWinVexilDrv::Prod_ReplyRomVer(CString* text) {
    Clear(text);
    return ExchangeForText({this, &CWinVexilDrv::Prod_SendReceive}, drvlib::RemoteRomVersionFrame(),
                           drvlib::kRemoteRomVersionAnswer, text);
}
