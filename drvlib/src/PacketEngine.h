// The library's own packet engine for USB ports: raw transport packets written and read on the port
// itself, beside the transport library's connection, for the control exchange's channel 2 and for the
// credit of the data channel. Every exchange writes one packet, waits, and reads the reply packet.
#pragma once

#include <cstdint>
#include <vector>

#include "platform/Device.h"

namespace drvlib {

class PacketEngine {
public:
    // waitMilliseconds: the pause between writing a packet and reading its reply (20 ms for every
    // exchange of the command families).
    PacketEngine(platform::DevicePort* port, int waitMilliseconds);

    // One credit for channel psid/ssid. 1 on success, 0 on failure (after its message).
    int Credit(std::uint8_t psid, std::uint8_t ssid);
    // Asks the printer for one credit on channel 2 or 0x40. 1 on success, 0 on failure.
    int CreditRequest(std::uint8_t channel);
    // Opens channel 2: 1, or -1 on a failed write, read or refusal.
    int OpenControlChannel();
    // Closes channel 2: 1, or -6.
    int CloseControlChannel();

    // A data packet for channel psid/ssid: the header (length = payload + 6, credit 1, control 1)
    // and the payload.
    static std::vector<std::uint8_t> DataPacket(std::uint8_t psid, std::uint8_t ssid,
                                                const std::uint8_t* payload, int length);
    // Writes bytes on the port; false when the port takes them not all.
    bool WritePacket(const std::vector<std::uint8_t>& packet);
    // Reads one reply packet in reads of at most `chunk` bytes until the length of its header is
    // complete, and gives its payload (the packet without its 6-byte header). 0 on success; -1 a
    // failed read or no whole packet in time; -7 a packet longer than 255 bytes.
    int ReadReplyPacket(std::uint32_t chunk, std::vector<std::uint8_t>* payload);

    // Reads that bring nothing (or a packet header whose length is 0) before a read gives up, 100 ms
    // apart: the printer has had three seconds to answer by then.
    static constexpr int kMostIdleReads = 30;
    static constexpr std::uint32_t kIdlePauseMilliseconds = 100;
    // Times a Credit Request that the printer answers with another credit is sent again.
    static constexpr int kMostCreditRequestRepeats = 4;

private:
    // The whole packet (header included), as ReadReplyPacket reads it.
    int ReadPacket(std::uint32_t chunk, std::vector<std::uint8_t>* packet);
    // Writes a transaction packet, waits, and reads the reply packet (`replySize` bytes in the first
    // read). False on a failed write or read, without a message.
    bool Transact(const std::vector<std::uint8_t>& request, std::uint32_t replySize,
                  std::vector<std::uint8_t>* reply);

    platform::DevicePort* port_;
    int waitMilliseconds_;
};

}  // namespace drvlib
