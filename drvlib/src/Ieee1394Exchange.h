// The two ways bytes reach an IEEE 1394 unit through the maker's 1394 driver, which stands in for the
// packet transport on this kind of port (no connection, no transport library):
//
// Control exchange: look up the control service "ORLEX-CTRL", open a channel to its socket, write the
// command, poll for the reply's length, read it, close the channel and release the socket.
// Raw exchange: lock the unit, write the bytes with plain writes, unlock; the production form then
// reads one plain reply.
//
// Blocks of the driver's requests (protocol::ieee1394 names every offset; numbers little-endian).
// The lookup, open-channel, write and read requests are direct-I/O requests: the driver reads the
// output buffer as well as writing it, so the lookup block and the written bytes travel there.
//   0x22808A lookup   input  16 zero bytes
//                     output the 56-byte lookup block, filled in by the caller and the driver:
//                            0      socket id (1 byte), written by the driver
//                            1-41   service name, NUL-terminated (40 characters at most)
//                            42-43  0
//                            44-45  0x7FFF
//                            46-47  0xFFFF (-1)
//                            48-49  0xFFFF (-1)
//                            50     flag, 0 for the control service
//                            51-55  0
//                     the driver reports at least the socket id byte returned.
//   0x22801A open     input  socket id as a 32-bit word; output the 32-bit channel handle (4 bytes
//                            returned, or the open failed).
//   0x228045 write    input  the transfer block: channel handle, length, 0, time-out 10000 ms (four
//                            32-bit words); output buffer: the `length` command bytes.
//   0x22809A read     input  the transfer block with the buffer's length (0 to ask for the length);
//                            without a buffer the driver returns the waiting reply's length as its
//                            returned count; with one, the reply and its length.
//   0x228020 close    input  channel handle as a 32-bit word; no output.
//   0x2280AA release  input  socket id as a 32-bit word; no output.
//   0x1B201C lock, 0x1B2020 unlock: no input, no output.
//
// Every count the driver returns is untrusted: a reply length beyond kLargestIeee1394Reply fails the
// exchange instead of being allocated, and no count is believed beyond the buffer it describes.
//
// Results: 0 done; -1 no port; -2 a write failed; -3 no reply (control: none after five length
// queries, or its read failed; production: the read failed); -4 the lookup, the channel or the lock
// was refused; -10 the unit took nothing for as many retries as allowed. The object's operations
// report -10 as -16 (Ieee1394CallerResult), the code of a write the transport refused too long.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "platform/Device.h"

namespace drvlib {

// What a raw exchange takes from the object: its IEEE 1394 channel block less what one exchange
// finds for itself (socket id, channel handle) and the fixed poll interval of 1000 ms.
struct Ieee1394Link {
    platform::DevicePort* port = nullptr;  // FindPort(m_hPort); null fails with -1
    int writeSize = 1024;                  // m_nWriteSize: the largest piece of Ieee1394SendPieces
    int retries = 17;                      // m_nCbtTimeOut: retries of a write that took nothing
    int waitMilliseconds = 100;            // m_nWaitTime: before the production reply is read
};

inline constexpr int kIeee1394NoPort = -1;
inline constexpr int kIeee1394WriteFailed = -2;
inline constexpr int kIeee1394NoReply = -3;
inline constexpr int kIeee1394Refused = -4;
inline constexpr int kIeee1394RetriesUsedUp = -10;
// The largest control reply taken; the printer's replies are a few hundred bytes.
inline constexpr std::uint32_t kLargestIeee1394Reply = 64 * 1024;

// A result as Ctl_SendReceive, Prod_SendReceive, Send and SendEx report it: -10 becomes -16, every
// other result stays.
int Ieee1394CallerResult(int result);

// Sends one control command (length bytes; a negative length is 0) and gives the reply bytes in
// *reply (emptied first). 0, -1, -2, -3 or -4.
//   Ctl_SendReceive:  std::vector<std::uint8_t> bytes;
//                     const int result = Ieee1394CallerResult(
//                         Ieee1394ControlExchange(FindPort(m_hPort), cmd, len, &bytes));
//                     then, on 0, the reply decoding of the other ports.
int Ieee1394ControlExchange(platform::DevicePort* port, const std::uint8_t* command, int length,
                            std::vector<std::uint8_t>* reply);

// Writes the production command in one piece, waits the wait time plus 100 ms and reads one reply of
// up to 256 bytes into *reply (emptied first), as text up to its first NUL. 0, -1, -2, -3, -4, -10.
int Ieee1394ProductionExchange(const Ieee1394Link& link, const std::uint8_t* command, int length,
                               std::string* reply);

// Send: the whole block in one write (a part taken is followed by the rest). 0, -1, -2, -4, -10.
// Nothing to send (a length of 0 or less) gives 0 at once, without locking the unit.
int Ieee1394Send(const Ieee1394Link& link, const std::uint8_t* data, int length);

// SendEx: count bytes in pieces of at most the link's write size; *sent (set to 0 first) counts every
// byte the unit took, also when the exchange fails. 0, -1, -2, -4, -10.
//   SendEx:  Ieee1394CallerResult(Ieee1394SendPieces(link, data + start, end - start, sent)),
//            with an end at or before the start sent as a count of 0.
int Ieee1394SendPieces(const Ieee1394Link& link, const std::uint8_t* data, unsigned long count,
                       unsigned long* sent);

}  // namespace drvlib
