#include <functional>

#include "PatternTestSupport.h"

namespace {

patterns::PatternModel ModelWithAddressing(bool twoByte) {
    patterns::PatternModel model = TestModel();
    model.eepromAddressForm =
        twoByte ? protocol::factory::AddressForm::TwoByte : protocol::factory::AddressForm::OneByte;
    return model;
}

struct FactoryCase {
    const char* name;
    bool twoByteAddress;
    std::function<bool(CVexilCommon&)> build;
    Bytes expected;
};

const FactoryCase kFactoryCommands[] = {
    {"set mode flag", false, [](CVexilCommon& p) { return p.SetModeFlag(1); },
     B({0x1B, 0x7C, 0x00, 0x06, 0x00, 0x41, 0x42, 0x03, 0xFC, 0x81, 0x01})},
    {"set mode flag, two-byte model", true, [](CVexilCommon& p) { return p.SetModeFlag(0); },
     B({0x1B, 0x7C, 0x00, 0x06, 0x00, 0x41, 0x42, 0x03, 0xFC, 0x81, 0x00})},
    {"set bi-directional value -3", false, [](CVexilCommon& p) { return p.SetBidirectionalValue(2, 0xFD); },
     B({0x1B, 0x7C, 0x00, 0x07, 0x00, 0x41, 0x42, 0x00, 0xFF, 0x00, 0x02, 0xFD})},
    {"set bi-directional value, two-byte model", true,
     [](CVexilCommon& p) { return p.SetBidirectionalValue(0, 5); },
     B({0x1B, 0x7C, 0x00, 0x07, 0x00, 0x41, 0x42, 0x00, 0xFF, 0x00, 0x00, 0x05})},
    {"print EEPROM byte", false, [](CVexilCommon& p) { return p.PrintEepromByte(0x23); },
     B({0x1B, 0x7C, 0x00, 0x06, 0x00, 0x41, 0x42, 0x01, 0xFE, 0x80, 0x23})},
    {"print EEPROM byte, two-byte address", true, [](CVexilCommon& p) { return p.PrintEepromByte(0x0123); },
     B({0x1B, 0x7C, 0x00, 0x07, 0x00, 0x41, 0x42, 0x01, 0xFE, 0x80, 0x23, 0x01})},
    {"write set 1", false, [](CVexilCommon& p) { return p.WriteEepromSet1(0x23, 0x5A); },
     B({0x1B, 0x7C, 0x00, 0x07, 0x00, 0x41, 0x42, 0x04, 0xFB, 0x02, 0x23, 0x5A})},
    {"write set 1, two-byte address keeps length 7", true,
     [](CVexilCommon& p) { return p.WriteEepromSet1(0x0123, 0x5A); },
     B({0x1B, 0x7C, 0x00, 0x07, 0x00, 0x41, 0x42, 0x04, 0xFB, 0x02, 0x23, 0x01, 0x5A})},
    {"write set 2", false, [](CVexilCommon& p) { return p.WriteEepromSet2(0xFF, 0x00); },
     B({0x1B, 0x7C, 0x00, 0x07, 0x00, 0x41, 0x42, 0x05, 0xFA, 0x82, 0xFF, 0x00})},
    {"write set 2, two-byte address keeps length 7", true,
     [](CVexilCommon& p) { return p.WriteEepromSet2(0x01FF, 0xA5); },
     B({0x1B, 0x7C, 0x00, 0x07, 0x00, 0x41, 0x42, 0x05, 0xFA, 0x82, 0xFF, 0x01, 0xA5})},
    {"write set 2, two-byte address below 256", true,
     [](CVexilCommon& p) { return p.WriteEepromSet2(0x23, 0x5A); },
     B({0x1B, 0x7C, 0x00, 0x07, 0x00, 0x41, 0x42, 0x05, 0xFA, 0x82, 0x23, 0x00, 0x5A})},
};

TEST(FactoryCommands, CarryTheIdentifierBytesCommandComplementSubAndLength) {
    for (const FactoryCase& command : kFactoryCommands) {
        SCOPED_TRACE(command.name);
        CPattern pattern(ModelWithAddressing(command.twoByteAddress));
        EXPECT_TRUE(command.build(pattern));
        EXPECT_EQ(Contents(pattern), command.expected);
    }
}

TEST(FactoryCommands, IdentifierBytesStoredAtJobStartReplaceTheModelsOwn) {
    CPattern pattern(TestModel());
    pattern.SetModelIdBytes(0x57, 0x2D);
    EXPECT_TRUE(pattern.SetModeFlag(0));
    EXPECT_EQ(Contents(pattern), B({0x1B, 0x7C, 0x00, 0x06, 0x00, 0x57, 0x2D, 0x03, 0xFC, 0x81, 0x00}));
}

TEST(FactoryCommands, AddressesOutsideTheModelsFormAreRefusedNotTruncated) {
    struct {
        bool twoByte;
        int address;
    } const kRefused[] = {{false, 0x100}, {false, -1}, {true, 0x10000}, {true, -1}};
    for (const auto& refused : kRefused) {
        SCOPED_TRACE(refused.address);
        CPattern pattern(ModelWithAddressing(refused.twoByte));
        EXPECT_FALSE(pattern.WriteEepromSet1(refused.address, 1));
        EXPECT_FALSE(pattern.WriteEepromSet2(refused.address, 1));
        EXPECT_FALSE(pattern.PrintEepromByte(refused.address));
        EXPECT_EQ(pattern.WritePosition(), 0u);
    }
}

// The virtual printer reads the address of a received command back with the shared decoder; it must
// get every address of the model's form, in both forms, and find the value right behind it.
TEST(FactoryCommands, TheSharedDecoderReadsBackEveryAddressTheBuildersWrite) {
    using protocol::factory::AddressForm;
    constexpr std::size_t kAddressAt =
        10;  // ESC '|' 0, length, 0, two identifier bytes, code, complement, sub
    for (const AddressForm form : {AddressForm::OneByte, AddressForm::TwoByte}) {
        patterns::PatternModel model = TestModel();
        model.eepromAddressForm = form;
        CPattern pattern(model);
        for (int address = 0; address <= protocol::factory::LargestAddress(form); ++address) {
            pattern.EmptyBuffer();
            ASSERT_TRUE(pattern.WriteEepromSet2(address, 0xA5)) << address;
            const Bytes bytes = Contents(pattern);
            const std::size_t valueAt = kAddressAt + (form == AddressForm::TwoByte ? 2 : 1);
            ASSERT_EQ(bytes.size(), valueAt + 1) << address;
            ASSERT_EQ(protocol::factory::DecodeAddress(form, std::span(bytes).subspan(kAddressAt)), address);
            ASSERT_EQ(bytes[valueAt], 0xA5) << address;
        }
    }
}

}  // namespace
