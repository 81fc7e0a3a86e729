#include <map>

#include "PatternTestSupport.h"

namespace {

Bytes Set1(int address, int value) {
    return B({0x1B, 0x7C, 0x00, 0x07, 0x00, 0x41, 0x42, 0x04, 0xFB, 0x02, address, value});
}

Bytes Set2(int address, int value) {
    return B({0x1B, 0x7C, 0x00, 0x07, 0x00, 0x41, 0x42, 0x05, 0xFA, 0x82, address, value});
}

// A 256-entry map with values only where given; -1 elsewhere.
std::vector<int> Map(const std::map<int, int>& values) {
    std::vector<int> map(256, -1);
    for (const auto& [address, value] : values) {
        map[static_cast<std::size_t>(address)] = value;
    }
    return map;
}

patterns::PatternModel ModelWithTables() {
    patterns::PatternModel model = TestModel();
    model.eepromInit = Map({{0x05, 0x11}, {0x80, 0x00}, {0xFF, 0xFF}, {0x06, 256}, {0x07, -2}});
    model.eepromVerify = Map({{0x01, 0x22}, {0x02, 0x33}});
    model.eepromCompare = Map({{0x00, 0x57}, {0x10, 0x02}});
    // The entry after the -1 is not part of the list.
    model.customerAddresses = {0x20, 0x21, 0x22, -1, 0x23};
    model.customerValues = {0x01, -1, 0x03, 0x04};
    return model;
}

TEST(EepromTableWrites, DefaultSet1WritesTableAThenTheCustomerBytes) {
    CPattern pattern(ModelWithTables());
    EXPECT_TRUE(pattern.DefaultWritesSet1());
    EXPECT_EQ(Contents(pattern),
              Set1(0x05, 0x11) + Set1(0x80, 0x00) + Set1(0xFF, 0xFF) + Set1(0x20, 0x01) + Set1(0x22, 0x03));
}

TEST(EepromTableWrites, DefaultSet2WritesTableBThenTheCustomerBytes) {
    CPattern pattern(ModelWithTables());
    EXPECT_TRUE(pattern.DefaultWritesSet2());
    EXPECT_EQ(Contents(pattern), Set2(0x01, 0x22) + Set2(0x02, 0x33) + Set2(0x20, 0x01) + Set2(0x22, 0x03));
}

TEST(EepromTableWrites, CustomerAndTableCWritesUseSet2) {
    CPattern customer(ModelWithTables());
    EXPECT_TRUE(customer.CustomerWrites());
    EXPECT_EQ(Contents(customer), Set2(0x20, 0x01) + Set2(0x22, 0x03));

    CPattern tableC(ModelWithTables());
    EXPECT_TRUE(tableC.TableCWrites());
    EXPECT_EQ(Contents(tableC), Set2(0x00, 0x57) + Set2(0x10, 0x02));
}

TEST(EepromTableWrites, TheDefaultMapOfZerosWritesEveryAddress) {
    patterns::PatternModel model = TestModel();
    model.eepromInit.assign(256, 0);
    CPattern pattern(model);
    EXPECT_TRUE(pattern.DefaultWritesSet1());
    const Bytes bytes = Contents(pattern);
    ASSERT_EQ(bytes.size(), 256u * 12u);
    EXPECT_EQ(Head(bytes, 12), Set1(0x00, 0x00));
    EXPECT_EQ(Tail(bytes, 12), Set1(0xFF, 0x00));
}

TEST(EepromTableWrites, ShortListsAreReadOnlyAsFarAsTheyGo) {
    patterns::PatternModel model = TestModel();
    model.eepromInit = {0x10, -1, 0x12};           // three addresses instead of 256
    model.customerAddresses = {0x20, 0x21, 0x22};  // no -1 at the end
    model.customerValues = {0x07};                 // fewer values than addresses
    CPattern pattern(model);
    EXPECT_TRUE(pattern.DefaultWritesSet1());
    EXPECT_EQ(Contents(pattern), Set1(0x00, 0x10) + Set1(0x02, 0x12) + Set1(0x20, 0x07));

    CPattern empty(TestModel());
    EXPECT_TRUE(empty.DefaultWritesSet2());
    EXPECT_TRUE(empty.TableCWrites());
    EXPECT_EQ(empty.WritePosition(), 0u);
}

TEST(EepromTableWrites, Set2AndCustomerWritesStopAtTheFirstFailingWrite) {
    patterns::PatternModel model = TestModel();
    model.customerAddresses = {0x20, 0x1234, 0x22};  // 0x1234 does not fit a one-byte address
    model.customerValues = {0x01, 0x02, 0x03};

    CPattern customer(model);
    EXPECT_FALSE(customer.CustomerWrites());
    EXPECT_EQ(Contents(customer), Set2(0x20, 0x01));

    CPattern set2(model);
    EXPECT_FALSE(set2.DefaultWritesSet2());
    EXPECT_EQ(Contents(set2), Set2(0x20, 0x01));

    // Set 1 writes every address it can and still reports the failure.
    CPattern set1(model);
    EXPECT_FALSE(set1.DefaultWritesSet1());
    EXPECT_EQ(Contents(set1), Set1(0x20, 0x01) + Set1(0x22, 0x03));
}

TEST(EepromTableWrites, TwoByteModelsWriteWithLowThenHighAddressByte) {
    patterns::PatternModel model = TestModel();
    model.eepromAddressForm = protocol::factory::AddressForm::TwoByte;
    model.customerAddresses = {0x0120, -1};
    model.customerValues = {0x5A};
    CPattern pattern(model);
    EXPECT_TRUE(pattern.CustomerWrites());
    EXPECT_EQ(Contents(pattern),
              B({0x1B, 0x7C, 0x00, 0x07, 0x00, 0x41, 0x42, 0x05, 0xFA, 0x82, 0x20, 0x01, 0x5A}));
}

class FakeEeprom : public patterns::IEepromByteReader {
public:
    bool Read(int address, std::uint8_t& value) override {
        readAddresses.push_back(address);
        value = 0x5A;
        return answers;
    }
    bool answers = true;
    std::vector<int> readAddresses;
};

TEST(EepromTableWrites, ComplementWriteStoresTheInvertedByteAtTheNextAddress) {
    FakeEeprom eeprom;
    CPattern pattern(TestModel());
    EXPECT_TRUE(pattern.ComplementWrite(0x02, eeprom));
    EXPECT_EQ(eeprom.readAddresses, std::vector<int>{0x02});
    EXPECT_EQ(Contents(pattern), Set2(0x03, 0xA5));
}

TEST(EepromTableWrites, ComplementWriteFailsWithoutAppendingWhenTheReadFails) {
    FakeEeprom eeprom;
    eeprom.answers = false;
    CPattern pattern(TestModel());
    EXPECT_FALSE(pattern.ComplementWrite(0x02, eeprom));
    EXPECT_EQ(pattern.WritePosition(), 0u);
}

TEST(EepromTableWrites, ComplementWriteOfTheLastAddressIsRefusedRatherThanWrappedToZero) {
    FakeEeprom eeprom;
    CPattern pattern(TestModel());
    EXPECT_FALSE(pattern.ComplementWrite(0xFF, eeprom));
    EXPECT_TRUE(eeprom.readAddresses.empty());
    EXPECT_EQ(pattern.WritePosition(), 0u);
}

}  // namespace
