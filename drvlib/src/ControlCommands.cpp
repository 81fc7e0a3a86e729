// The control commands: one exchange on channel 2 (Ctl_SendReceive) and the members that build a
// command, run the exchange and read the reply. On a parallel port the exchange borrows the transport
// library's connection; on a USB port the library's packet engine opens channel 2, moves credit and
// carries the command and its reply in packets of its own on the port, beside the connection; an
// IEEE 1394 unit is reached through the maker's 1394 driver.
#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include "ControlFrames.h"
#include "ControlReplies.h"
#include "DriverModule.h"
#include "Ieee1394Exchange.h"
#include "PacketEngine.h"
#include "drvlib/CWinVexilDrv.h"
#include "platform/Clock.h"

namespace {

// Result codes of the exchange.
constexpr int kNoReply = -3;            // the printer answered nothing
constexpr int kUsbChannelRefused = -4;  // the packet engine could not open channel 2
constexpr int kChannelRefused = -13;    // the transport library could not open channel 2
constexpr int kTransferFailed = -20;    // the command did not go out, or its reply not in
constexpr int kEcpDriverMode = -50;     // the device ID is not asked through the ECP driver

// The printer needs this long after channel 2 opens before it takes a command.
constexpr std::uint32_t kChannelSettleMilliseconds = 500;
// The packet engine's pause between a transport packet and the read of its reply.
constexpr int kEngineWaitMilliseconds = 20;
// A parallel port's reply is polled for this many times, this far apart.
constexpr int kMostReceivePolls = 30;
constexpr std::uint32_t kReceivePollMilliseconds = 100;

int FrameLength(const drvlib::ControlFrame& frame) {
    return static_cast<int>(frame.size());
}

// Credit both ways on channel 2, then the command as one data packet. 0 or -20.
// The exchange's failure as it is, else what the reply says.
int Decoded(int exchanged, const CString& reply, int (*decode)(std::string_view)) {
    return exchanged < 0 ? exchanged : decode(reply.View());
}

int SendOverPackets(drvlib::PacketEngine& engine, unsigned char* cmd, int len) {
    const std::vector<std::uint8_t> packet =
        drvlib::PacketEngine::DataPacket(drvlib::kControlChannel, drvlib::kControlChannel, cmd, len);
    if (engine.Credit(drvlib::kControlChannel, drvlib::kControlChannel) == 0 ||
        engine.CreditRequest(drvlib::kControlChannel) == 0 || !engine.WritePacket(packet)) {
        return kTransferFailed;
    }
    return 0;
}

// The reply packet's payload. 0, -7 (a packet longer than the family's 255 bytes) or -20.
int ReceiveOverPackets(drvlib::PacketEngine& engine, std::vector<std::uint8_t>* reply) {
    const int result = engine.ReadReplyPacket(static_cast<std::uint32_t>(drvlib::kReplyBufferSize), reply);
    constexpr int kPacketTooLong = -7;
    if (result == kPacketTooLong) {
        return kPacketTooLong;
    }
    return result < 0 ? kTransferFailed : 0;
}

}  // namespace

int CWinVexilDrv::Ctl_SendReceive(unsigned char* cmd, int len, CString* reply) {
    if (m_nPortKind == drvlib::kIeee1394Port) {
        // The maker's 1394 driver carries the command to the control service and brings the reply
        // back; the unit has no transport connection and no channel byte.
        std::vector<std::uint8_t> bytes;
        const int result = drvlib::Ieee1394CallerResult(
            drvlib::Ieee1394ControlExchange(drvlib::FindPort(m_hPort), cmd, len, &bytes));
        if (result < 0) {
            return result;
        }
        if (bytes.empty()) {
            return kNoReply;
        }
        if (reply != nullptr) {
            *reply = CString(drvlib::ControlReplyText(bytes.data(), bytes.size()));
        }
        return 0;
    }
    const bool usb = m_nPortKind == drvlib::kUsbPort;
    drvlib::TransportEntries& transport = drvlib::Transport();
    drvlib::PacketEngine engine(drvlib::FindPort(m_hPort), kEngineWaitMilliseconds);

    if (usb) {
        if (engine.OpenControlChannel() < 0) {
            return kUsbChannelRefused;
        }
    } else if (m_hCbt == nullptr || transport.openChannel == nullptr ||
               transport.openChannel(m_hCbt, drvlib::kControlChannel) < 0) {
        return kChannelRefused;
    }
    m_pChannel[0] = drvlib::kControlChannel;
    platform::Clock().Sleep(kChannelSettleMilliseconds);

    int result = 0;
    if (usb) {
        result = SendOverPackets(engine, cmd, len);
    } else {
        // Send opens the data channel when it is not marked open; the command goes on channel 2, so
        // the mark is lent for this one send.
        const int dataChannelOpen = m_bDataChannelOpen;
        m_bDataChannelOpen = 1;
        const int sent = Send(cmd, len);
        m_bDataChannelOpen = dataChannelOpen;
        result = sent < 0 ? kTransferFailed : 0;
    }

    std::vector<std::uint8_t> received;
    if (result == 0) {
        platform::Clock().Sleep(static_cast<std::uint32_t>(std::max(m_nWaitTime, 0)));
        if (usb) {
            result = ReceiveOverPackets(engine, &received);
        } else {
            unsigned char buffer[drvlib::kReplyBufferSize] = {};
            for (int poll = 0; poll < kMostReceivePolls; ++poll) {
                const int count = Receive(buffer);
                if (count < 0) {
                    result = kTransferFailed;
                    break;
                }
                if (count > 0) {
                    received.assign(buffer, buffer + std::min(count, drvlib::kReplyBufferSize));
                    break;
                }
                platform::Clock().Sleep(kReceivePollMilliseconds);
            }
        }
    }
    if (result == 0 && received.empty()) {
        result = kNoReply;
    }
    if (result == 0 && reply != nullptr) {
        *reply = CString(drvlib::ControlReplyText(received.data(), received.size()));
    }

    // Channel 2 closes after every exchange, failed ones too, so that the channel byte names the data
    // channel again before the next print data goes out.
    if (usb) {
        engine.CloseControlChannel();
        m_pChannel[0] = drvlib::kDataChannel;
    } else if (m_hCbt != nullptr) {
        if (transport.closeChannel != nullptr) {
            transport.closeChannel(m_hCbt, drvlib::kControlChannel);
        }
        m_pChannel[0] = drvlib::kDataChannel;
    }
    // (A parallel read that lost the connection left no channel to close and the channel byte 0.)
    return result;
}

int CWinVexilDrv::Ctl_GetStatus(STATUSINF* status) {
    drvlib::ControlFrame frame = drvlib::StatusCommand();
    CString reply;
    const int result = Ctl_SendReceive(frame.data(), FrameLength(frame), &reply);
    if (result < 0) {
        CString text;
        text.Format("%d", result);
        drvlib::ShowPlainMessage(text.ToStdString());
        return result;
    }
    STATUSINF scratch;
    return drvlib::StatusReply(reply.View(), status != nullptr ? status : &scratch);
}

int CWinVexilDrv::Ctl_GetDeviceID(CString* id) {
    if (m_bEcpDriver) {
        return kEcpDriverMode;
    }
    drvlib::ControlFrame frame = drvlib::DeviceIdCommand();
    CString reply;
    const int result = Ctl_SendReceive(frame.data(), FrameLength(frame), &reply);
    if (result < 0) {
        return result;
    }
    std::string text;
    const int decoded = drvlib::DeviceIdReply(reply.View(), &text);
    if (decoded == drvlib::kReplyDone && id != nullptr) {
        *id = CString(text);
    }
    return decoded;
}

// ---- Commands answered with the standard words ----------------------------------------------------------

int CWinVexilDrv::Ctl_InkChange(int n) {
    drvlib::ControlFrame frame = drvlib::InkChangeCommand(n);
    CString reply;
    return Decoded(Ctl_SendReceive(frame.data(), FrameLength(frame), &reply), reply, drvlib::StandardReply);
}

int CWinVexilDrv::Ctl_Cleaning(int n) {
    drvlib::ControlFrame frame = drvlib::CleaningCommand(n);
    CString reply;
    return Decoded(Ctl_SendReceive(frame.data(), FrameLength(frame), &reply), reply, drvlib::StandardReply);
}

int CWinVexilDrv::Ctl_InkRefill(int n) {
    drvlib::ControlFrame frame = drvlib::InkRefillCommand(n);
    CString reply;
    return Decoded(Ctl_SendReceive(frame.data(), FrameLength(frame), &reply), reply, drvlib::StandardReply);
}

int CWinVexilDrv::Ctl_PrintNozzleCheck() {
    drvlib::ControlFrame frame = drvlib::NozzleCheckCommand();
    CString reply;
    return Decoded(Ctl_SendReceive(frame.data(), FrameLength(frame), &reply), reply, drvlib::StandardReply);
}

int CWinVexilDrv::Ctl_EndInkSequence() {
    drvlib::ControlFrame frame = drvlib::EndInkSequenceCommand();
    CString reply;
    return Decoded(Ctl_SendReceive(frame.data(), FrameLength(frame), &reply), reply, drvlib::StandardReply);
}

// The cartridge exchange ends with the same command as the ink sequence.
int CWinVexilDrv::Ctl_TerminateCTExchange() {
    drvlib::ControlFrame frame = drvlib::EndInkSequenceCommand();
    CString reply;
    return Decoded(Ctl_SendReceive(frame.data(), FrameLength(frame), &reply), reply, drvlib::StandardReply);
}

int CWinVexilDrv::Ctl_ResumePaperOut() {
    drvlib::ControlFrame frame = drvlib::ResumePaperOutCommand();
    CString reply;
    return Decoded(Ctl_SendReceive(frame.data(), FrameLength(frame), &reply), reply, drvlib::StandardReply);
}

int CWinVexilDrv::Ctl_ResumePaperJam() {
    drvlib::ControlFrame frame = drvlib::ResumePaperJamCommand();
    CString reply;
    return Decoded(Ctl_SendReceive(frame.data(), FrameLength(frame), &reply), reply, drvlib::StandardReply);
}

int CWinVexilDrv::Ctl_MotorCurrentOff() {
    drvlib::ControlFrame frame = drvlib::MotorCurrentOffCommand();
    CString reply;
    return Decoded(Ctl_SendReceive(frame.data(), FrameLength(frame), &reply), reply, drvlib::StandardReply);
}

int CWinVexilDrv::Ctl_Reset() {
    drvlib::ControlFrame frame = drvlib::ResetCommand();
    CString reply;
    return Decoded(Ctl_SendReceive(frame.data(), FrameLength(frame), &reply), reply, drvlib::StandardReply);
}

int CWinVexilDrv::Ctl_TimerSet(int a, int b, int c, int d, int e, int f) {
    drvlib::ControlFrame frame = drvlib::TimerSetCommand(a, b, c, d, e, f);
    CString reply;
    return Decoded(Ctl_SendReceive(frame.data(), FrameLength(frame), &reply), reply, drvlib::StandardReply);
}

int CWinVexilDrv::Ctl_WriteEEP(unsigned char k1, unsigned char k2, unsigned char addr, unsigned char value) {
    drvlib::ControlFrame frame = drvlib::WriteEepromCommand(k1, k2, addr, value);
    CString reply;
    return Decoded(Ctl_SendReceive(frame.data(), FrameLength(frame), &reply), reply, drvlib::StandardReply);
}

int CWinVexilDrv::Ctl_WriteEEP(unsigned char k1, unsigned char k2, unsigned char a1, unsigned char v1,
                               unsigned char a2, unsigned char v2, unsigned char a3, unsigned char v3,
                               unsigned char a4, unsigned char v4, unsigned char a5, unsigned char v5) {
    drvlib::ControlFrame frame =
        drvlib::WriteEepromPairsCommand(k1, k2, {a1, v1, a2, v2, a3, v3, a4, v4, a5, v5});
    CString reply;
    return Decoded(Ctl_SendReceive(frame.data(), FrameLength(frame), &reply), reply, drvlib::StandardReply);
}

int CWinVexilDrv::Ctl_WriteEEP2(unsigned char k1, unsigned char k2, unsigned char a1, unsigned char a2,
                                unsigned char value) {
    drvlib::ControlFrame frame = drvlib::WriteEepromWideCommand(k1, k2, a1, a2, value);
    CString reply;
    return Decoded(Ctl_SendReceive(frame.data(), FrameLength(frame), &reply), reply, drvlib::StandardReply);
}

int CWinVexilDrv::Ctl_Save(unsigned char k1, unsigned char k2) {
    drvlib::ControlFrame frame = drvlib::SaveCommand(k1, k2);
    CString reply;
    return Decoded(Ctl_SendReceive(frame.data(), FrameLength(frame), &reply), reply, drvlib::StandardReply);
}

int CWinVexilDrv::Ctl_ResetEEP(unsigned char k1, unsigned char k2) {
    drvlib::ControlFrame frame = drvlib::ResetEepromCommand(k1, k2);
    CString reply;
    return Decoded(Ctl_SendReceive(frame.data(), FrameLength(frame), &reply), reply, drvlib::StandardReply);
}

// ---- Commands with replies of their own -----------------------------------------------------------------

int CWinVexilDrv::Ctl_ColdStart() {
    drvlib::ControlFrame frame = drvlib::ResetCommand();
    CString reply;
    return Decoded(Ctl_SendReceive(frame.data(), FrameLength(frame), &reply), reply, drvlib::ColdStartReply);
}

int CWinVexilDrv::Ctl_InkChangeFlagClear() {
    drvlib::ControlFrame frame = drvlib::ClearInkChangeFlagCommand();
    CString reply;
    return Decoded(Ctl_SendReceive(frame.data(), FrameLength(frame), &reply), reply,
                   drvlib::InkChangeFlagClearReply);
}

int CWinVexilDrv::Ctl_GetRollPaperMode() {
    drvlib::ControlFrame frame = drvlib::RollPaperModeCommand();
    CString reply;
    return Decoded(Ctl_SendReceive(frame.data(), FrameLength(frame), &reply), reply,
                   drvlib::RollPaperModeReply);
}

int CWinVexilDrv::Ctl_GetCTPostion() {
    drvlib::ControlFrame frame = drvlib::CarriagePositionCommand();
    CString reply;
    return Decoded(Ctl_SendReceive(frame.data(), FrameLength(frame), &reply), reply,
                   drvlib::CartridgePositionReply);
}

int CWinVexilDrv::Ctl_GetCRPosition() {
    drvlib::ControlFrame frame = drvlib::CarriagePositionCommand();
    CString reply;
    return Decoded(Ctl_SendReceive(frame.data(), FrameLength(frame), &reply), reply,
                   drvlib::CarriagePositionReply);
}

int CWinVexilDrv::Ctl_InkCheck() {
    drvlib::ControlFrame frame = drvlib::CartridgeStatusCommand(1);
    CString reply;
    return Decoded(Ctl_SendReceive(frame.data(), FrameLength(frame), &reply), reply, drvlib::InkCheckReply);
}

int CWinVexilDrv::Ctl_GetCTStatus(int n, CString* out) {
    drvlib::ControlFrame frame = drvlib::CartridgeStatusCommand(n);
    CString reply;
    const int result = Ctl_SendReceive(frame.data(), FrameLength(frame), &reply);
    if (result < 0) {
        return result;
    }
    std::string text;
    const int decoded = drvlib::CartridgeStatusReply(reply.View(), &text);
    if (decoded == drvlib::kReplyDone && out != nullptr) {
        *out = CString(text);
    }
    return decoded;
}

int CWinVexilDrv::Ctl_GetPaperSetting(int n, int* a, int* b) {
    drvlib::ControlFrame frame = drvlib::PaperSettingCommand(n);
    CString reply;
    const int result = Ctl_SendReceive(frame.data(), FrameLength(frame), &reply);
    if (result < 0) {
        return result;
    }
    int first = 0;
    int second = 0;
    const int decoded = drvlib::PaperSettingReply(reply.View(), &first, &second);
    if (decoded == drvlib::kReplyDone) {
        if (a != nullptr) {
            *a = first;
        }
        if (b != nullptr) {
            *b = second;
        }
    }
    return decoded;
}

int CWinVexilDrv::Ctl_GetPaperInf(int n, PAPERINF* paper) {
    drvlib::ControlFrame frame = drvlib::PaperInformationCommand(n);
    CString reply;
    const int result = Ctl_SendReceive(frame.data(), FrameLength(frame), &reply);
    if (result < 0) {
        return result;
    }
    PAPERINF scratch;
    return drvlib::PaperInformationReply(reply.View(), paper != nullptr ? paper : &scratch);
}

int CWinVexilDrv::Ctl_GetCSICInf(CSICINF* csic) {
    drvlib::ControlFrame frame = drvlib::CartridgeInformationCommand();
    CString reply;
    const int result = Ctl_SendReceive(frame.data(), FrameLength(frame), &reply);
    if (result < 0) {
        return result;
    }
    CSICINF scratch;
    return drvlib::CartridgeInformationReply(reply.View(), csic != nullptr ? csic : &scratch);
}

int CWinVexilDrv::Ctl_FlashControl(unsigned char n, CString* out) {
    drvlib::ControlFrame frame = drvlib::FlashControlCommand(n);
    CString reply;
    const int result = Ctl_SendReceive(frame.data(), FrameLength(frame), &reply);
    if (result < 0) {
        return result;
    }
    std::string text;
    const int decoded = drvlib::FlashControlReply(reply.View(), n, &text);
    // Past "NA" and "BUSY" the text is replaced, by nothing when the reply is too short for it.
    const bool replaced = decoded == drvlib::kReplyDone ||
                          (decoded == drvlib::kReplyUnexpected && !drvlib::HasWord(reply.View(), "NA"));
    if (replaced && out != nullptr) {
        *out = CString(text);
    }
    return decoded;
}

int CWinVexilDrv::Ctl_ReplyEEP(unsigned char k1, unsigned char k2, unsigned char addr, unsigned char* out) {
    drvlib::ControlFrame frame = drvlib::ReadEepromCommand(k1, k2, addr);
    CString reply;
    const int result = Ctl_SendReceive(frame.data(), FrameLength(frame), &reply);
    if (result < 0) {
        return result;
    }
    unsigned char scratch = 0;
    return drvlib::EepromByteReply(reply.View(), "EE", out != nullptr ? out : &scratch);
}

int CWinVexilDrv::Ctl_ReplyEEP2(unsigned char k1, unsigned char k2, unsigned char a1, unsigned char a2,
                                unsigned char* out) {
    drvlib::ControlFrame frame = drvlib::ReadEepromWideCommand(k1, k2, a1, a2);
    CString reply;
    const int result = Ctl_SendReceive(frame.data(), FrameLength(frame), &reply);
    if (result < 0) {
        return result;
    }
    unsigned char scratch = 0;
    return drvlib::EepromByteReply(reply.View(), "EE", out != nullptr ? out : &scratch);
}

int CWinVexilDrv::Ctl_Reply_CSIC(unsigned char k1, unsigned char k2, unsigned char a, unsigned char b,
                                 unsigned char* out) {
    drvlib::ControlFrame frame = drvlib::ReadCsicCommand(k1, k2, a, b);
    CString reply;
    const int result = Ctl_SendReceive(frame.data(), FrameLength(frame), &reply);
    if (result < 0) {
        return result;
    }
    unsigned char scratch = 0;
    return drvlib::EepromByteReply(reply.View(), "IC", out != nullptr ? out : &scratch);
}
