#include "PatternBlockCatalogue.h"

#include <cstdint>

#include "protocol/PrinterCommandCodes.h"

namespace pattern_tool {

namespace {

using Kind = BlockParameter::Kind;
using Default = BlockParameter::Default;

constexpr long long kLargestCount = 1000;

BlockParameter Columns() {
    return {"columns", Kind::Number, 1, 255, Default::ModelColumns, 0, "", false};
}

BlockParameter Count(const char* name, long long byDefault) {
    return {name, Kind::Number, 1, kLargestCount, Default::Value, byDefault, "", false};
}

BlockParameter Required(const char* name, long long minimum, long long maximum) {
    return {name, Kind::Number, minimum, maximum, Default::None, 0, "", false};
}

BlockParameter Optional(const char* name, long long minimum, long long maximum, long long byDefault) {
    return {name, Kind::Number, minimum, maximum, Default::Value, byDefault, "", false};
}

// The command line checks an address against the model's own address form; this is the widest form's
// largest.
constexpr long long kLargestAddress =
    protocol::factory::LargestAddress(protocol::factory::AddressForm::TwoByte);

BlockParameter Address() {
    return {"address", Kind::Number, 0, kLargestAddress, Default::None, 0, "", true};
}

BlockParameter TextParameter(const char* name) {
    return {name, Kind::Text, 0, 0, Default::Value, 0, "", false};
}

int IntOf(const BlockArguments& arguments, const char* name) {
    return static_cast<int>(arguments.Number(name));
}

std::uint8_t ByteOf(const BlockArguments& arguments, const char* name) {
    return static_cast<std::uint8_t>(arguments.Number(name) & 0xFF);
}

std::string BufferFullText() {
    return "the block does not fit the print buffer of " + std::to_string(CVexilCommon::kBufferSize) +
           " bytes";
}

// Why a step that writes profile addresses failed: a full buffer, or an address the model cannot take.
bool Explained(const CVexilCommon& pattern, bool built, std::string& error) {
    if (!built) {
        error = pattern.Overflowed()
                    ? BufferFullText()
                    : "an EEPROM address of the profile does not fit the model's address form";
    }
    return built;
}

// A block that fails only when the print buffer is full.
template <class Build>
auto Simple(Build build) {
    return [build](CVexilCommon& pattern, const BlockArguments& arguments, std::string& error) {
        if (build(pattern, arguments)) {
            return true;
        }
        error = BufferFullText();
        return false;
    };
}

std::vector<PatternBlock> MakeBlocks() {
    using A = const BlockArguments&;
    using P = CVexilCommon&;
    std::vector<PatternBlock> blocks;

    blocks.push_back({"frame", "the paper-edge frame", {Columns()}, Simple([](P p, A a) {
                          return p.Frame(IntOf(a, "columns"));
                      })});
    blocks.push_back({"cg-rom-check", "the character-generator and ROM check", {}, Simple([](P p, A) {
                          return p.CgRomCheck();
                      })});
    blocks.push_back({"black-bar", "one black bar across the paper", {Columns()}, Simple([](P p, A a) {
                          return p.BlackBar(IntOf(a, "columns"));
                      })});
    blocks.push_back({"black-bars", "n black bars", {Count("n", 4), Columns()}, Simple([](P p, A a) {
                          return p.BlackBars(IntOf(a, "n"), IntOf(a, "columns"));
                      })});
    const std::vector<BlockParameter> barParameters = {Optional("show", 0, 1, 0),
                                                       Optional("value", -128, 127, 0), Columns()};
    blocks.push_back(
        {"mode1-bar", "the bi-directional alignment bar of print mode 1", barParameters, Simple([](P p, A a) {
             return p.Mode1Bar(IntOf(a, "columns"), a.Number("show") != 0, IntOf(a, "value"));
         })});
    blocks.push_back(
        {"mode2-bar", "the bi-directional alignment bar of print mode 2", barParameters, Simple([](P p, A a) {
             return p.Mode2Bar(IntOf(a, "columns"), a.Number("show") != 0, IntOf(a, "value"));
         })});
    blocks.push_back(
        {"mode4-bar", "the bi-directional alignment bar of print mode 4", barParameters, Simple([](P p, A a) {
             return p.Mode4Bar(IntOf(a, "columns"), a.Number("show") != 0, IntOf(a, "value"));
         })});
    blocks.push_back(
        {"width-ruler", "the print-width ruler, n rows", {Count("n", 6), Columns()}, Simple([](P p, A a) {
             return p.WidthRuler(IntOf(a, "columns"), IntOf(a, "n"));
         })});
    blocks.push_back(
        {"shaded-band", "the shaded band, n rows", {Count("n", 6), Columns()}, Simple([](P p, A a) {
             return p.ShadedBand(IntOf(a, "columns"), IntOf(a, "n"));
         })});
    blocks.push_back(
        {"back-feed-check", "the back-feed check", {}, Simple([](P p, A) { return p.BackFeedCheck(); })});
    blocks.push_back(
        {"bottom-line", "the line on needle 24 at the bottom of the page", {}, Simple([](P p, A) {
             return p.BottomLine();
         })});
    blocks.push_back(
        {"e-block", "the block of 'E' characters", {}, Simple([](P p, A) { return p.EBlock(); })});
    blocks.push_back({"page-frame",
                      "the page frame with its page number",
                      {Optional("page", 0, 999, 1), Optional("lines", 1, 255, 66), Columns()},
                      Simple([](P p, A a) {
                          return p.PageFrame(IntOf(a, "page"), IntOf(a, "columns"), IntOf(a, "lines"));
                      })});
    blocks.push_back(
        {"page-frame-with-bar",
         "the page frame under a black bar",
         {Optional("lines", 1, 255, 66), Columns()},
         Simple([](P p, A a) { return p.PageFrameWithBar(IntOf(a, "columns"), IntOf(a, "lines")); })});
    blocks.push_back({"needle-check", "the needle check, needle 1 first", {}, Simple([](P p, A) {
                          return p.NeedleCheck();
                      })});
    blocks.push_back({"needle-check-reverse", "the needle check, needle 24 first", {}, Simple([](P p, A) {
                          return p.NeedleCheckReverse();
                      })});
    blocks.push_back({"report",
                      "the printer information report, dated now",
                      {TextParameter("serial"), TextParameter("rom"), TextParameter("factory"),
                       TextParameter("belt"), TextParameter("pc")},
                      [](P p, A a, std::string& error) {
                          return Explained(p, p.InformationReport(a.TextOf("serial"), a.TextOf("rom")),
                                           error);
                      },
                      [](patterns::PatternModel& model, A a) {
                          model.factorySetting = a.TextOf("factory");
                          model.beltNumber = a.TextOf("belt");
                          model.pcNumber = a.TextOf("pc");
                      }});
    blocks.push_back(
        {"reset", "ESC @, kanji off and cancel line", {}, Simple([](P p, A) { return p.Reset(); })});
    blocks.push_back(
        {"form-end", "carriage return, form feed and ESC @", {}, Simple([](P p, A) { return p.FormEnd(); })});
    blocks.push_back({"mode-flag",
                      "the factory command that sets the mode flag",
                      {Required("value", 0, 255)},
                      Simple([](P p, A a) { return p.SetModeFlag(ByteOf(a, "value")); })});
    blocks.push_back(
        {"bidirectional-value",
         "the factory command that stores a bi-directional value",
         {Required("index", 0, 2), Required("value", -128, 127)},
         Simple([](P p, A a) { return p.SetBidirectionalValue(ByteOf(a, "index"), ByteOf(a, "value")); })});
    blocks.push_back({"print-eeprom-byte",
                      "the factory command that prints one EEPROM byte",
                      {Address()},
                      [](P p, A a, std::string& error) {
                          return Explained(p, p.PrintEepromByte(IntOf(a, "address")), error);
                      }});
    blocks.push_back({"eeprom-write",
                      "the factory command that writes one EEPROM byte",
                      {Optional("set", 1, 2, 1), Address(), Required("value", 0, 255)},
                      [](P p, A a, std::string& error) {
                          const int address = IntOf(a, "address");
                          const std::uint8_t value = ByteOf(a, "value");
                          const bool written = a.Number("set") == 1 ? p.WriteEepromSet1(address, value)
                                                                    : p.WriteEepromSet2(address, value);
                          return Explained(p, written, error);
                      }});
    blocks.push_back({"default-writes",
                      "the EEPROM initialisation: table A (set 1) or table B (set 2)",
                      {Optional("set", 1, 2, 1)},
                      [](P p, A a, std::string& error) {
                          return Explained(
                              p, a.Number("set") == 1 ? p.DefaultWritesSet1() : p.DefaultWritesSet2(), error);
                      }});
    blocks.push_back(
        {"customer-writes", "the selected customer's EEPROM bytes", {}, [](P p, A, std::string& error) {
             return Explained(p, p.CustomerWrites(), error);
         }});
    blocks.push_back({"table-c-writes", "the writes of the compare map", {}, [](P p, A, std::string& error) {
                          return Explained(p, p.TableCWrites(), error);
                      }});
    return blocks;
}

}  // namespace

const std::vector<PatternBlock>& PatternBlocks() {
    static const std::vector<PatternBlock> blocks = MakeBlocks();
    return blocks;
}

const PatternBlock* FindBlock(const std::string& name) {
    for (const PatternBlock& block : PatternBlocks()) {
        if (block.name == name) {
            return &block;
        }
    }
    return nullptr;
}

}  // namespace pattern_tool
