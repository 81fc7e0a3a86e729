// The print-data buffer of one print job and every command the service tool sends inside print data:
// the single printer commands, the composite steps, the factory commands that write the EEPROM, the
// EEPROM table writes, the pattern blocks and the printer information report. The builders never talk
// to the port; the connection operations at the end send the buffer and read the printer through the
// device-driver object of the job (VexilConnection.cpp, SendBuffer.cpp).
//
// Every step appends to the buffer and returns true when all of its bytes are in it. An append that
// would pass the end of the buffer is refused; from then on the buffer takes nothing more until it is
// emptied, so a job that did not fit can be recognised by Overflowed() and is never sent cut short.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "patterns/IEepromByteReader.h"
#include "patterns/IJobMessages.h"
#include "patterns/PatternModel.h"
#include "patterns/SensorTexts.h"
#include "patterns/UserCharacter.h"
#include "protocol/PrinterCommandCodes.h"

class CWinVexilDrv;
class CTolvLangText;
namespace platform {
class CString;
}

class CVexilCommon {
public:
    static constexpr std::uint32_t kBufferSize = 0x400000;  // 4,194,304 bytes

    explicit CVexilCommon(patterns::PatternModel model);
    virtual ~CVexilCommon();
    CVexilCommon(const CVexilCommon&) = delete;
    CVexilCommon& operator=(const CVexilCommon&) = delete;

    // --- The buffer -------------------------------------------------------------------------------
    // Copies the bytes behind the write position; refused (nothing written) when they would pass the
    // end of the buffer or an earlier append was refused.
    bool Append(const void* bytes, std::size_t count);
    bool Append(std::span<const std::uint8_t> bytes) { return Append(bytes.data(), bytes.size()); }
    // The unit appended count times (nothing for a count of 0 or less).
    bool AppendRepeated(std::span<const std::uint8_t> unit, int count);
    bool AppendText(std::string_view text);         // the characters only
    bool AppendTextWithNul(std::string_view text);  // the characters and a terminating NUL
    void EmptyBuffer();
    std::uint32_t WritePosition() const { return writePosition_; }
    std::span<const std::uint8_t> Bytes() const { return {buffer_.get(), writePosition_}; }
    // True when an append was refused since the buffer was last emptied.
    bool Overflowed() const { return overflowed_; }

    // The identifier bytes that open every factory command; stored when a job starts.
    void SetModelIdBytes(std::uint8_t first, std::uint8_t second);
    const patterns::PatternModel& Model() const { return model_; }

    // --- Single commands --------------------------------------------------------------------------
    bool Initialise();                         // ESC '@'
    bool Unidirectional(std::uint8_t on);      // ESC 'U' n
    bool UserDefinedSet(std::uint8_t on);      // ESC '%' n: 1 downloaded characters, 0 ROM set
    bool PageLengthLines(std::uint8_t lines);  // ESC 'C' n
    bool LineSpacingSixthInch();               // ESC '2'
    bool LineSpacing180(std::uint8_t n);       // ESC '3' n
    bool PrintQuality(std::uint8_t quality);   // ESC 'x' n: 0 draft, 1 letter quality
    bool PrintMode(std::uint8_t mode);         // ESC 'y' n
    bool TwoTabStops(std::uint8_t first, std::uint8_t second);            // ESC 'D' a b 0
    bool Tab();                                                           // HT
    bool TenCpi();                                                        // ESC 'P'
    bool TwelveCpi();                                                     // ESC 'M'
    bool CancelCondensed();                                               // DC2
    bool CancelBold();                                                    // ESC 'F'
    bool KanjiOn();                                                       // FS '&'
    bool KanjiOff();                                                      // FS '.'
    bool CopyRomToRam(std::uint8_t n);                                    // ESC ':' 0 n 0
    bool CharacterTable(std::uint8_t a, std::uint8_t b, std::uint8_t c);  // ESC '(' 't' 3 0 a b c
    bool LineSpacing360(std::uint8_t n);                                  // ESC '+' n
    bool Underline(std::uint8_t on);                                      // ESC '-' n
    bool Feed(std::uint8_t n);                                            // ESC 'J' n: n/180 inch forward
    bool ReverseFeed(std::uint8_t n);                                     // ESC 'j' n: n/180 inch back
    // ESC '&' 0 c1 c2. A first code above the last shows "Wrong character code" and appends nothing.
    bool DefineCharacters(std::uint8_t first, std::uint8_t last);
    bool RawBytes(std::uint8_t a, std::uint8_t b, std::uint8_t c);
    bool BitImage(std::uint8_t density, std::uint16_t columns);  // ESC '*' m nL nH
    bool PageLengthUnits(std::uint16_t units);                   // ESC '(' 'C' 2 0 mL mH
    bool FormEnd();                                              // CR FF ESC '@'
    bool NewLines(int count);                                    // CR LF, count times
    bool RepeatByte(std::uint8_t byte, int count);
    bool CancelLine();      // CAN
    bool CarriageReturn();  // CR
    bool FormFeed();        // FF

    // --- Composite steps --------------------------------------------------------------------------
    bool Reset();                // ESC '@', FS '.', CAN
    bool BlankLines(int count);  // ESC '2', then count times CR LF
    // Each group of eight '0'/'1' characters (most significant bit first) spells one byte; the bytes
    // are appended count times. Any other text shows the raster message and appends nothing.
    bool BitString(std::string_view bits, int count);

    // --- Factory commands -------------------------------------------------------------------------
    // Addresses must fit the model's address form (0-255, or 0-65535 with two-byte addressing);
    // others append nothing and fail rather than write to a truncated address.
    bool SetModeFlag(std::uint8_t value);
    bool SetBidirectionalValue(std::uint8_t index, std::uint8_t value);
    bool PrintEepromByte(int address);
    bool WriteEepromSet1(int address, std::uint8_t value);
    bool WriteEepromSet2(int address, std::uint8_t value);

    // --- EEPROM table writes ----------------------------------------------------------------------
    bool DefaultWritesSet1();  // table A, then the customer's bytes, with write set 1
    bool DefaultWritesSet2();  // table B, then the customer's bytes, with write set 2
    bool CustomerWrites();     // the customer's bytes with write set 2
    bool TableCWrites();       // table C with write set 2
    // Reads the byte at the address and writes its complement to address + 1 with write set 2.
    bool ComplementWrite(int address, patterns::IEepromByteReader& reader);

    // --- Pattern blocks ---------------------------------------------------------------------------
    // columns is the paper width in characters at 10 cpi; a width outside 1-255 builds nothing.
    bool Frame(int columns);
    bool CgRomCheck();
    bool BlackBars(int count, int columns);
    bool BlackBar(int columns) { return BlackBars(1, columns); }
    bool Mode1Bar(int columns, bool showValue, int value);
    bool Mode2Bar(int columns, bool showValue, int value);
    bool Mode4Bar(int columns, bool showValue, int value);
    bool WidthRuler(int columns, int rows);
    bool ShadedBand(int columns, int rows);
    bool BackFeedCheck();
    bool BottomLine();
    bool EBlock();
    bool PageFrame(int page, int columns, int lines);
    bool PageFrameWithBar(int columns, int lines);
    bool NeedleCheck();
    bool NeedleCheckReverse();

    // The printer information report; the date and time come from the process clock.
    bool InformationReport(std::string_view serialText, std::string_view romVersionText);

    // --- The connection ---------------------------------------------------------------------------
    // The device-driver object the operations below use; the caller owns it (one per print job). With
    // none attached every exchange fails and nothing reaches a port.
    void AttachDriver(CWinVexilDrv* driver) { driver_ = driver; }
    // The model's nUseOrlexPort; only the value 1 makes the open ask for the maker's port driver.
    void SetUseOrlexPort(int nUseOrlexPort) { useOrlexPort_ = nUseOrlexPort == 1 ? 1 : 0; }
    // Opens by port code (kind * 10 + number) and sets the write size to 128 whatever the open gave.
    // The driver's result: negative for a failure.
    int Open(int portNumber, platform::CString* model);
    // Opens an explicit device path (port number 10), then the write size as above.
    int OpenByName(const std::string& portName, platform::CString* model);
    int PortNumber() const { return portNumber_; }
    void Close();
    // Sends the buffer while it watches the printer's status, showing every message of the exchange
    // through `messages` with the texts of `texts`, and empties the buffer whatever the outcome. True
    // when every byte went. A buffer that overflowed is never sent: the printer would get a job cut
    // off in the middle of a command.
    bool SendBuffer(patterns::IJobMessages& messages, const CTolvLangText& texts);
    // The printer's state and error code; false when the driver could not read them.
    bool GetStatus(int* state, int* error);
    // Checks the six sensors against the expected values; the text names each sensor that differs
    // (or says the printer did not reply). True when all are as expected.
    bool SensorCheck(const patterns::SensorExpectation& expected, std::string& text);
    bool ReadSensorByte(std::uint8_t& sensors);
    bool ReadRomVersion(std::string& version);
    // With the model's address form. False when the printer gave no byte: the value is then of no use.
    bool ReadEepromByte(int address, std::uint8_t& value);
    // ReadEepromByte as the complement write wants it.
    patterns::IEepromByteReader& EepromReader();

private:
    // The send with its status watching; SendBuffer empties the buffer after it.
    bool SendWatchingStatus(patterns::IJobMessages& messages, const CTolvLangText& texts);

    bool Refuse(std::uint64_t count);
    bool FactoryCommand(const protocol::factory::Command& command, std::uint8_t length,
                        std::span<const std::uint8_t> arguments);
    // A command whose arguments start with an EEPROM address in the model's address form; an address
    // the form cannot carry appends nothing and fails.
    bool AddressedCommand(const protocol::factory::Command& command, int address,
                          std::span<const std::uint8_t> argumentsAfterAddress);

    // One address of a table write and what the profile gives for it; a value that is not a byte
    // leaves the address alone.
    struct EepromEntry {
        int address;
        int value;
    };
    enum class AfterFailedWrite {
        GoOn,  // write every other entry and report the failure at the end
        Stop,  // write nothing after the failed entry
    };
    // The map's entries in address order, at most 256 of them.
    static std::vector<EepromEntry> MapEntries(const std::vector<int>& map);
    // The customer addresses in list order, up to the first -1 or the end of the list.
    std::vector<int> CustomerAddresses() const;
    // Each customer address with its value, as far as both lists go.
    std::vector<EepromEntry> CustomerEntries() const;
    // One write of the given set for every entry that has a value; true when every write succeeded.
    bool WriteEntries(std::span<const EepromEntry> entries, const protocol::factory::Command& writeSet,
                      AfterFailedWrite afterFailure);

    // ESC '&' 0 first last followed by the characters' headers and columns, one character per code.
    bool DefineCharacterSet(std::uint8_t first, std::uint8_t last,
                            std::span<const patterns::UserCharacter> characters);
    bool DefineOneCharacter(std::uint8_t code, const patterns::UserCharacter& character);
    bool DefineCharacter(const patterns::UserCharacter& character);
    // Paper widths outside 1-255 would not fit the tab-stop and bit-image bytes.
    bool ColumnsAccepted(int columns);
    bool BlackBarRaster(int columns);
    bool ModeLabel(std::string_view label, bool showValue, int value);
    bool PageFrameRows(int columns, int lines);

    bool Escape(std::uint8_t letter);
    bool Escape(std::uint8_t letter, std::uint8_t argument);
    bool Byte(std::uint8_t byte) { return Append(&byte, 1); }

    patterns::PatternModel model_;
    std::unique_ptr<std::uint8_t[]> buffer_;
    std::uint32_t writePosition_ = 0;
    bool overflowed_ = false;

    CWinVexilDrv* driver_ = nullptr;
    int useOrlexPort_ = 0;
    int portNumber_ = 0;
    // Made by the first EepromReader(), in the connection's source file, so that a program using the
    // builders alone links without the driver.
    std::unique_ptr<patterns::IEepromByteReader> eepromReader_;
};
