// The model profiles and language files shipped in Parameter\, read through the configuration classes
// from beside the test program, where every build copies them, exactly as the program reads them.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <map>
#include <ostream>
#include <set>
#include <string>
#include <vector>

#include "config/CTolvAppParam.h"
#include "config/CTolvLangText.h"
#include "config/CTolvPrnParam.h"
#include "config/ConfigurationScope.h"
#include "config/MenuTables.h"
#include "config/TextFormat.h"
#include "platform/ModulePath.h"
#include "testsupport/MessageRecorder.h"
#include "workflow/ItemCatalogue.h"

namespace {

std::set<int> ItemsWithPage() {
    std::set<int> items;
    for (const workflow::CatalogueItem& item : workflow::ItemCatalogue::Items()) {
        if (item.page != workflow::ItemPage::None) {
            items.insert(item.number);
        }
    }
    return items;
}

// What each shipped profile must hold.
struct ShippedProfile {
    std::string name;
    int columns;
    std::uint8_t idBytes[2];
    int lastAddress;
    int usbSerialAddress;  // -1: no USB interface
    int checkAddress;      // -1: no check byte
    std::vector<std::string> titles;
    std::vector<std::string> languages;
    std::set<int> itemsLeftOut;  // items with a page that do not work on the model
};

const ShippedProfile kProfiles[] = {
    {.name = "VK-572D",
     .columns = 80,
     .idBytes = {0x57, 0x2D},
     .lastAddress = 255,
     .usbSerialAddress = 0xE0,
     .checkAddress = 0x02,
     .titles = {"EUROPE", "USA", "UK", "THAI", "CHINA", "JAPAN"},
     .languages = {"English", "Japanese"},
     // The 80-column print test page has no pitch test.
     .itemsLeftOut = {204, 205}},
    {.name = "VK-2240II",
     .columns = 136,
     .idBytes = {0x22, 0x40},
     .lastAddress = 511,
     .usbSerialAddress = -1,
     .checkAddress = -1,
     // Slot 2 belonged to a withdrawn customer.
     .titles = {"EUROPE", "USA", "", "THAI", "CHINA"},
     .languages = {"English"},
     // Parallel only: no USB serial number to write.
     .itemsLeftOut = {403}},
};

// Failure messages name the profile instead of dumping its bytes.
void PrintTo(const ShippedProfile& profile, std::ostream* out) {
    *out << profile.name;
}

// Addresses whose bytes the initial setting must never write: counters, fatal error history (with the
// margins), Bi-d values, paper-end thresholds, USB serial number, check byte and its complement.
std::set<int> FixedKeptAddresses(const ShippedProfile& profile) {
    std::set<int> kept;
    for (int a = 0x04; a <= 0x0F; ++a) {
        kept.insert(a);
    }
    for (int a = 0x77; a <= 0x8F; ++a) {
        kept.insert(a);
    }
    for (int a = 0xA2; a <= 0xAD; ++a) {
        if (a != 0xA5) {
            kept.insert(a);
        }
    }
    if (profile.usbSerialAddress != -1) {
        for (int i = 0; i < 18; ++i) {
            kept.insert(profile.usbSerialAddress + i);
        }
    }
    if (profile.checkAddress != -1) {
        kept.insert(profile.checkAddress);
        kept.insert(profile.checkAddress + 1);
    }
    return kept;
}

std::vector<int> CustomerAddresses(const CTolvPrnParam& p) {
    std::vector<int> addresses;
    for (int a : p.pnEEPInitAddress) {
        if (a == -1) {
            break;
        }
        addresses.push_back(a);
    }
    return addresses;
}

bool IsByteOrKept(int value) {
    return value == -1 || (value >= 0 && value <= 255);
}

std::filesystem::path ProfileFolder(const std::string& profile) {
    return std::filesystem::path(
        platform::NativePath(platform::ExecutableFolder() + "Parameter\\" + profile));
}

// Reads the shipped files from the test program's own folder, never from a folder another test left set.
class ShippedFilesTest {
protected:
    config::ScopedConfiguration configuration_{""};
};

class ShippedProfileTest : public ShippedFilesTest, public ::testing::TestWithParam<ShippedProfile> {
protected:
    void SetUp() override {
        ASSERT_TRUE(std::filesystem::is_directory(ProfileFolder(GetParam().name)))
            << "Parameter folder not copied beside the test program";
        params_ = CTolvPrnParam::Instance();
        params_->SetProfile(GetParam().name);
    }

    CTolvPrnParam* params_ = nullptr;
};

TEST_P(ShippedProfileTest, ModelConstants) {
    const ShippedProfile& profile = GetParam();
    const CTolvPrnParam& p = *params_;
    EXPECT_EQ(p.nPin, 24);
    EXPECT_EQ(p.nColumn, profile.columns);
    ASSERT_EQ(p.pnRNumber.size(), 2u);
    EXPECT_EQ(p.ModelIdByte(0), profile.idBytes[0]);
    EXPECT_EQ(p.ModelIdByte(1), profile.idBytes[1]);
    EXPECT_EQ(p.nADRSMax, profile.lastAddress);
    EXPECT_EQ(p.HasTwoByteEepromAddress(), profile.lastAddress > 255);
    EXPECT_EQ(p.nADRSUSBSerial, profile.usbSerialAddress);
    EXPECT_EQ(p.nADRSCheck, profile.checkAddress);
    if (p.nADRSUSBSerial != -1) {
        // All 18 bytes within the reach of one-byte EEPROM commands.
        EXPECT_GE(p.nADRSUSBSerial, 0);
        EXPECT_LE(p.nADRSUSBSerial + 17, 0xFF);
    }
    EXPECT_FALSE(p.strEEPTitle.empty());
}

TEST_P(ShippedProfileTest, BidModesAreKnownPrintModesWithDefaultsInRange) {
    const CTolvPrnParam& p = *params_;
    EXPECT_EQ(p.pnBidValueRange, (std::vector<int>{-12, 12}));
    const std::set<std::string> printModes = {"High Speed Draft", "Draft", "Bit Image", "LQ", "NLQ"};
    for (const std::string& name : p.strBidName) {
        EXPECT_TRUE(printModes.count(name)) << name;
    }
    ASSERT_EQ(p.pnDefaultBidVal.size(), 3u);
    for (int value : p.pnDefaultBidVal) {
        EXPECT_GE(value, -12);
        EXPECT_LE(value, 12);
    }
}

TEST_P(ShippedProfileTest, CustomersAndTheirDeviceIds) {
    const ShippedProfile& profile = GetParam();
    const CTolvPrnParam& p = *params_;
    ASSERT_EQ(p.nCustomerCount, static_cast<int>(profile.titles.size()));
    const std::size_t addressCount = CustomerAddresses(p).size();
    for (int i = 0; i < CTolvPrnParam::kCustomerSlots; ++i) {
        SCOPED_TRACE(config::FormatText("customer %02d", i));
        const TolvCustomer& customer = p.customer[i];
        const std::string expected = i < p.nCustomerCount ? profile.titles[static_cast<std::size_t>(i)] : "";
        EXPECT_EQ(customer.strTitle, expected);
        if (customer.strTitle.empty()) {
            // An unused slot must not write anything into a printer.
            for (int value : p.pnCustomerData[i]) {
                EXPECT_EQ(value, -1);
            }
            continue;
        }
        // The top dialog finds the printer by the model name from the seventh character on.
        EXPECT_EQ(customer.strDeviceID, "ORLEX " + profile.name);
        EXPECT_EQ(customer.strDeviceID.substr(6), profile.name);
        EXPECT_FALSE(p.strInfoName[i].empty());
        EXPECT_FALSE(customer.strCustomerInf[0].empty());
        EXPECT_FALSE(customer.strCCodeInf[0].empty());
        ASSERT_EQ(p.pnCustomerData[i].size(), addressCount);
        for (int value : p.pnCustomerData[i]) {
            EXPECT_TRUE(IsByteOrKept(value)) << value;
        }
    }
}

TEST_P(ShippedProfileTest, CustomerAddressListCoversWhatTheProgramReads) {
    const CTolvPrnParam& p = *params_;
    const std::vector<int> addresses = CustomerAddresses(p);
    // The setting reader takes entries 1 to 6; the report prints 7 entries, or 8 without a USB serial.
    const std::size_t printed = p.nADRSUSBSerial != -1 ? 7u : 8u;
    ASSERT_GE(addresses.size(), printed);
    for (int a : addresses) {
        EXPECT_GE(a, 0);
        EXPECT_LE(a, 0xFF);
    }
    EXPECT_EQ(std::set<int>(addresses.begin(), addresses.end()).size(), addresses.size()) << "address twice";
}

TEST_P(ShippedProfileTest, EepromMapsKeepTheFixedAddresses) {
    const CTolvPrnParam& p = *params_;
    std::set<int> kept = FixedKeptAddresses(GetParam());
    for (int a : CustomerAddresses(p)) {
        kept.insert(a);
    }
    const std::map<std::string, const std::vector<int>*> maps = {{"EEPROM_COMPARE", &p.pnEEPCompare},
                                                                 {"EEPROM_INIT", &p.pnEEPInit},
                                                                 {"EEPROM_VERIFY", &p.pnEEPVerify}};
    for (const auto& [name, map] : maps) {
        SCOPED_TRACE(name);
        ASSERT_EQ(map->size(), 256u);
        for (int a = 0; a < 256; ++a) {
            const int value = (*map)[static_cast<std::size_t>(a)];
            EXPECT_TRUE(IsByteOrKept(value)) << config::FormatText("0x%02X: %d", a, value);
            if (kept.count(a)) {
                EXPECT_EQ(value, -1) << config::FormatText("0x%02X must be kept", a);
            }
        }
    }
    // The verified and compared bytes are the ones the initialisation writes.
    for (int a = 0; a < 256; ++a) {
        const auto i = static_cast<std::size_t>(a);
        if (p.pnEEPVerify[i] != -1) {
            EXPECT_EQ(p.pnEEPVerify[i], p.pnEEPInit[i]) << config::FormatText("VERIFY 0x%02X", a);
        }
        if (p.pnEEPCompare[i] != -1) {
            EXPECT_EQ(p.pnEEPCompare[i], p.pnEEPInit[i]) << config::FormatText("COMPARE 0x%02X", a);
        }
    }
    // A map that failed to load reads as all zeros: the profile must really initialise something.
    EXPECT_GT(std::count_if(p.pnEEPInit.begin(), p.pnEEPInit.end(), [](int v) { return v > 0; }), 0);
}

TEST_P(ShippedProfileTest, LanguagesOfTheProfile) {
    const ShippedProfile& profile = GetParam();
    std::vector<std::string> menus;
    for (const auto& entry : std::filesystem::directory_iterator(ProfileFolder(profile.name))) {
        const std::filesystem::path file = entry.path().filename();
        if (file.extension() == ".mnu") {
            menus.push_back(file.stem().string());
            EXPECT_TRUE(
                std::filesystem::exists(entry.path().parent_path() / (file.stem().string() + "Text.dat")))
                << file;
        }
    }
    std::sort(menus.begin(), menus.end());
    EXPECT_EQ(menus, profile.languages);
}

// Test names without the hyphen of the model name.
std::string ProfileTestName(const ::testing::TestParamInfo<ShippedProfile>& param) {
    std::string name = param.param.name;
    name.erase(std::remove(name.begin(), name.end(), '-'), name.end());
    return name;
}

INSTANTIATE_TEST_SUITE_P(Shipped, ShippedProfileTest, ::testing::ValuesIn(kProfiles), ProfileTestName);

struct ShippedLanguage {
    const ShippedProfile* profile;
    std::string language;
};

void PrintTo(const ShippedLanguage& language, std::ostream* out) {
    *out << language.profile->name << ' ' << language.language;
}

std::vector<ShippedLanguage> AllLanguages() {
    std::vector<ShippedLanguage> all;
    for (const ShippedProfile& profile : kProfiles) {
        for (const std::string& language : profile.languages) {
            all.push_back({&profile, language});
        }
    }
    return all;
}

class ShippedLanguageTest : public ShippedFilesTest, public ::testing::TestWithParam<ShippedLanguage> {
protected:
    void SetUp() override {
        texts_ = CTolvLangText::Instance();
        texts_->SetProfile(GetParam().profile->name);
        texts_->SetLanguage(GetParam().language);
    }

    CTolvLangText* texts_ = nullptr;
};

TEST_P(ShippedLanguageTest, MenuOffersEveryItemThatWorksOnTheModel) {
    const config::MenuTable& menu = texts_->GetMenuTable();
    std::set<int> offered;
    for (std::size_t row = 0; row < menu.names.size(); ++row) {
        SCOPED_TRACE(config::FormatText("strMenu%02d", static_cast<int>(row)));
        if (menu.names[row].empty() && menu.numbers[row].empty()) {
            continue;  // an empty row between groups
        }
        const int item = config::ItemNumber(menu.numbers[row]);
        EXPECT_EQ(std::to_string(item), menu.numbers[row]);
        EXPECT_TRUE(ItemsWithPage().count(item)) << item;
        EXPECT_FALSE(menu.names[row].empty());
        EXPECT_FALSE(menu.captions[row].empty());
        EXPECT_TRUE(offered.insert(item).second) << item << " listed twice";
    }
    std::set<int> expected = ItemsWithPage();
    for (int item : GetParam().profile->itemsLeftOut) {
        expected.erase(item);
    }
    EXPECT_EQ(offered, expected);
}

TEST_P(ShippedLanguageTest, EveryPartRunsItemsOfTheMasterSequence) {
    const std::vector<std::string>& sequence = texts_->GetSequence();
    ASSERT_FALSE(sequence.empty());
    // The final print test closes every run, and runs alone when nothing else applies.
    EXPECT_EQ(sequence.back(), "200");
    const std::set<std::string> ordered(sequence.begin(), sequence.end());
    EXPECT_EQ(ordered.size(), sequence.size()) << "an item twice in the master sequence";
    for (const std::string& entry : sequence) {
        EXPECT_GT(texts_->GetMenuName(config::ItemNumber(entry)).size(), 0u) << entry << " not in the menu";
    }

    const config::PartsTable& parts = texts_->GetPartsTable();
    ASSERT_GE(parts.names.size(), 10u);
    for (std::size_t i = 0; i < parts.names.size(); ++i) {
        SCOPED_TRACE(parts.names[i]);
        EXPECT_FALSE(parts.names[i].empty()) << "empty parts row " << i;
        EXPECT_FALSE(parts.items[i].empty());
        for (const std::string& item : parts.items[i]) {
            // An item missing from the master sequence would be dropped from the run without a word.
            EXPECT_TRUE(ordered.count(item)) << item;
        }
    }
}

TEST_P(ShippedLanguageTest, EveryStatusErrorAndMessageHasItsText) {
    for (int i = 0; i < CTolvLangText::kStatusTexts; ++i) {
        EXPECT_NE(texts_->strStatus[i], config::FormatText("Status - ERROR %02d", i)) << "strStatus" << i;
    }
    for (int i = 0; i < CTolvLangText::kErrorTexts; ++i) {
        EXPECT_NE(texts_->strError[i], config::FormatText("Status - ERROR %02d", i)) << "strError" << i;
    }
    // 00 is an empty entry of the fatal error history.
    EXPECT_NE(texts_->strFatalError[0x00], "Unkonwn Fatal Error");
    int fatalTexts = 0;
    for (const std::string& text : texts_->strFatalError) {
        fatalTexts += text != "Unkonwn Fatal Error" ? 1 : 0;
    }
    EXPECT_GE(fatalTexts, 10);
    for (int i : {1, 2, 3, 4}) {
        EXPECT_FALSE(texts_->strMessage[i].empty()) << "strMessage" << i;
    }
    for (int i : {0, 1, 2}) {
        EXPECT_FALSE(texts_->strCustomMsg[i].empty()) << "strCustomMsg" << i;
    }
}

TEST_P(ShippedLanguageTest, EveryDescriptionIsThereAndNoLineIsCut) {
    testsupport::MessageRecorder messages;
    std::vector<std::string> keys = {"INDIVIDUAL_LIST", "SELECT_PARTS_DIALOG", "ERROR_PAGE"};
    for (const workflow::CatalogueItem& item : workflow::ItemCatalogue::Items()) {
        keys.push_back(item.name);
    }
    for (const std::string& key : keys) {
        const std::string text = texts_->GetText(key);
        EXPECT_FALSE(text.empty()) << key;
        // Every escape was a line break or an indent; a backslash left over is a broken escape.
        EXPECT_EQ(text.find('\\'), std::string::npos) << key;
    }
    EXPECT_TRUE(messages.Texts().empty()) << "a description line is too long";
}

std::string LanguageTestName(const ::testing::TestParamInfo<ShippedLanguage>& param) {
    std::string name = param.param.profile->name + param.param.language;
    name.erase(std::remove(name.begin(), name.end(), '-'), name.end());
    return name;
}

INSTANTIATE_TEST_SUITE_P(Shipped, ShippedLanguageTest, ::testing::ValuesIn(AllLanguages()), LanguageTestName);

// Both languages of a profile must describe the same run: same items in the same rows, same parts.
TEST(ShippedLanguagesTest, JapaneseMenuMatchesTheEnglishOne) {
    config::ScopedConfiguration configuration{""};
    CTolvLangText& texts = *CTolvLangText::Instance();
    texts.SetProfile("VK-572D");
    texts.SetLanguage("English");
    const config::MenuTable englishMenu = texts.GetMenuTable();
    const config::PartsTable englishParts = texts.GetPartsTable();
    const std::vector<std::string> englishSequence = texts.GetSequence();
    texts.SetLanguage("Japanese");
    EXPECT_EQ(texts.GetMenuTable().numbers, englishMenu.numbers);
    EXPECT_EQ(texts.GetPartsTable().items, englishParts.items);
    EXPECT_EQ(texts.GetSequence(), englishSequence);
}

// Every double-byte character complete: a lead byte is always followed by its trail byte.
bool IsWholeShiftJis(const std::string& text) {
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto c = static_cast<unsigned char>(text[i]);
        if ((c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC)) {
            if (++i >= text.size()) {
                return false;
            }
            const auto trail = static_cast<unsigned char>(text[i]);
            if (trail < 0x40 || trail == 0x7F || trail > 0xFC) {
                return false;
            }
        }
    }
    return true;
}

TEST(ShippedLanguagesTest, JapaneseTextsReadBackAsTheirShiftJisBytes) {
    config::ScopedConfiguration configuration{""};
    CTolvLangText& texts = *CTolvLangText::Instance();
    texts.SetProfile("VK-572D");
    texts.SetLanguage("Japanese");

    // Ready, Bi-d adjustment and its caption, paper out, no error, head, carriage home sensor.
    EXPECT_EQ(texts.strStatus[4], "\x83\x8C\x83\x66\x83\x42");
    EXPECT_EQ(texts.GetMenuName(102), "\x91\x6F\x95\xFB\x8C\xFC\x88\xF3\x8E\x9A\x92\xB2\x90\xAE");
    EXPECT_EQ(texts.GetSequenceCaption(102), "\x91\x6F\x95\xFB\x8C\xFC\x88\xF3\x8E\x9A");
    EXPECT_EQ(texts.strError[6], "\x97\x70\x8E\x86\x90\xD8\x82\xEA");
    EXPECT_EQ(texts.strFatalError[0], "\x83\x47\x83\x89\x81\x5B\x82\xC8\x82\xB5");
    ASSERT_GE(texts.GetPartsTable().names.size(), 12u);
    EXPECT_EQ(texts.GetPartsTable().names[0], "\x88\xF3\x8E\x9A\x83\x77\x83\x62\x83\x68");
    EXPECT_EQ(texts.GetPartsTable().names[11],
              "\x83\x4C\x83\x83\x83\x8A\x83\x62\x83\x57\x8C\xB4\x93\x5F\x83\x5A\x83\x93\x83\x54\x81\x5B");
    // "The printer does not answer." and its second line: the escape between them became CR LF.
    const std::string firstLine =
        "\x83\x76\x83\x8A\x83\x93\x83\x5E\x82\xAA\x89\x9E\x93\x9A\x82\xB5\x82\xDC\x82\xB9\x82\xF1\x81\x42";
    ASSERT_EQ(texts.strMessage[4].substr(0, firstLine.size() + 2), firstLine + "\r\n");
    // "This item is not available for the VK-572D." opens the description of an unknown item.
    const std::string errorPage =
        "\x82\xB1\x82\xCC\x8D\x80\x96\xDA\x82\xCD"
        "VK-572D"
        "\x82\xC5\x82\xCD\x8E\x67\x82\xA6\x82\xDC\x82\xB9\x82\xF1\x81\x42\r\n";
    EXPECT_EQ(texts.GetText("ERROR_PAGE").substr(0, errorPage.size()), errorPage);

    std::vector<std::string> all(texts.GetMenuTable().names);
    all.insert(all.end(), texts.GetMenuTable().captions.begin(), texts.GetMenuTable().captions.end());
    all.insert(all.end(), texts.GetPartsTable().names.begin(), texts.GetPartsTable().names.end());
    all.insert(all.end(), std::begin(texts.strStatus), std::end(texts.strStatus));
    all.insert(all.end(), std::begin(texts.strError), std::end(texts.strError));
    all.insert(all.end(), std::begin(texts.strFatalError), std::end(texts.strFatalError));
    all.insert(all.end(), std::begin(texts.strMessage), std::end(texts.strMessage));
    all.insert(all.end(), std::begin(texts.strCustomMsg), std::end(texts.strCustomMsg));
    for (const workflow::CatalogueItem& item : workflow::ItemCatalogue::Items()) {
        all.push_back(texts.GetText(item.name));
    }
    for (const std::string& text : all) {
        EXPECT_TRUE(IsWholeShiftJis(text)) << text;
        // A second byte 0x5C would have been read as the backslash of an escape.
        EXPECT_EQ(text.find('\\'), std::string::npos) << text;
    }
}

}  // namespace
