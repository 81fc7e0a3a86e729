// The replies of the control commands: the printer's bytes turned into text, and the text into result
// codes and records. Pure: bytes and text in, values out; no port, no clock, no message. Every byte of
// a reply is untrusted: each walk is bounded by what was received, each fixed offset into a group is
// checked against the group's end (its ";" or the end of the text) before it is read, and a field
// whose characters are not there keeps the value the caller's record had (or -1 where that is the
// field's "absent" value).
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "drvlib/VexilRecords.h"

namespace drvlib {

// Result codes of the control family.
inline constexpr int kReplyDone = 0;
inline constexpr int kReplyNotAvailable = -21;  // the printer answered "NA"
inline constexpr int kReplyBusy = -22;          // the printer answered "BUSY"
inline constexpr int kReplyUnexpected = -23;    // the reply has another form

// ---- Reply bytes to text -------------------------------------------------------------------------------
// Some printers answer the status command with a binary block: a ten-byte head holding "ST2", the
// block's length (16 bits, low byte first) at bytes 10-11, then fields of a type byte, a length byte n
// and n data bytes. True when the first 12 bytes (a zero byte read as "0") hold "ST2".
bool IsBinaryStatusReply(const std::uint8_t* bytes, std::size_t size);
// The binary block as the text reply it stands for: "@BDC ST\n\r", then per known field its key and
// each data byte in decimal with at least two digits, then ";". Fields start below the block's length
// and inside the bytes received; a field cut short by the end of the bytes ends the text.
std::string BinaryStatusText(const std::uint8_t* bytes, std::size_t size);
// The text of any control reply: the binary status block converted, otherwise the bytes without
// their zero bytes.
std::string ControlReplyText(const std::uint8_t* bytes, std::size_t size);

// ---- Helpers of the decoders ---------------------------------------------------------------------------
bool HasWord(std::string_view reply, std::string_view word);
// The characters from the end of the first `key` to the next ";" (or to the end of the text);
// nullopt when the key is absent.
std::optional<std::string_view> GroupAfterKey(std::string_view reply, std::string_view key);
// The hexadecimal value of `count` characters at `offset` of `group` (its leading hexadecimal digits,
// as the printer's firmware reads them: "0A" 10, "7;" 7, "x1" 0); nullopt when the characters are not
// all inside the group.
std::optional<int> HexField(std::string_view group, std::size_t offset, std::size_t count);
// A status or error code of the text reply (two characters at most): hexadecimal when either
// character is a hexadecimal letter ("0A" is 10), decimal otherwise ("10" is 10, "04" is 4). The
// printers write the code in hexadecimal, the binary block's conversion in decimal; codes below 10
// read alike, and no code of 10 or more reads as one below 10.
int StatusCode(std::string_view digits);

// ---- The operations' replies ------------------------------------------------------------------------
// "OK" 0, else "NA" -21, else "BUSY" -22, else -23.
int StandardReply(std::string_view reply);
// Ctl_ColdStart: "NA" -23, else "BUSY" -22, else 0.
int ColdStartReply(std::string_view reply);
// Ctl_InkChangeFlagClear: "OK" 0, else "NA" -21, else -23.
int InkChangeFlagClearReply(std::string_view reply);
// Ctl_GetRollPaperMode: "EX:0000000500" 1, "EX:0000000501" 2, else "NA" -21, else -23.
int RollPaperModeReply(std::string_view reply);
// Ctl_GetCTPostion: "00" 1, "FF" 2, "01" 3, else "NA" -21, else -23.
int CartridgePositionReply(std::string_view reply);
// Ctl_GetCRPosition: "NA" -23, else "00" 0, else -22.
int CarriagePositionReply(std::string_view reply);
// Ctl_InkCheck: "00" 0, else -22.
int InkCheckReply(std::string_view reply);
// Ctl_GetCTStatus: "NA" -21; the text from 6 after "cs:" to the next ";" when at least 4 characters
// lie between the key and that ";", else -23.
int CartridgeStatusReply(std::string_view reply, std::string* text);
// Ctl_GetPaperSetting: "NA" -21; the hexadecimal pairs at 5 and 7 after "MR:", -23 when they are not
// inside the group.
int PaperSettingReply(std::string_view reply, int* a, int* b);
// Ctl_GetPaperInf: "NA" -21; -23 when "CM:" is missing or its group does not hold the whole record.
int PaperInformationReply(std::string_view reply, PAPERINF* paper);
// Ctl_GetCSICInf: "NA" -21; -23 when "II:", "IQ:" after it or the "ORLEX;" that ends the first entry
// is missing.
int CartridgeInformationReply(std::string_view reply, CSICINF* csic);
// Ctl_FlashControl: "NA" -23, else "BUSY" -22; else the 2 characters at offset 6 for n 1 and 3, the
// 6 characters there for n 2, nothing for other n; -23 when the reply is too short for them.
int FlashControlReply(std::string_view reply, unsigned char n, std::string* text);
// Ctl_ReplyEEP, Ctl_ReplyEEP2 ("EE") and Ctl_Reply_CSIC ("IC"): the two hexadecimal digits just before
// the ";" that follows the key; -23 without the key, the ";" or two digits there.
int EepromByteReply(std::string_view reply, std::string_view key, unsigned char* value);
// Ctl_GetStatus: "st:NA" -21; -23 without "ST:"; otherwise the record is decoded and 0.
int StatusReply(std::string_view reply, STATUSINF* status);
// The STATUSINF fields of a reply that holds "ST:" (nothing happens without it).
void DecodeStatus(std::string_view reply, STATUSINF* status);
// Ctl_GetDeviceID: "di:NA" -21; the "DES:" value, or "MFG value" + " " + "MDL value" without it.
int DeviceIdReply(std::string_view reply, std::string* id);

}  // namespace drvlib
