#include "ProfileSummary.h"

#include <cstdio>

#include "config/CTolvAppParam.h"
#include "config/CTolvLangText.h"
#include "config/CTolvPrnParam.h"
#include "config/ProfileListing.h"
#include "config/StringTable.h"
#include "platform/ModulePath.h"
#include "workflow/ItemCatalogue.h"
#include "workflow/SequentialList.h"

namespace tolvane_cli {
namespace {

std::string ParameterFolder() {
    return platform::ExecutableFolder() + kStrParameterFolder + "\\";
}

CTolvLangText& LanguageTexts(const std::string& profile, const std::string& language) {
    CTolvLangText& texts = *CTolvLangText::Instance();
    texts.SetProfile(profile);
    texts.SetLanguage(language);
    return texts;
}

std::string JoinItems(const std::vector<std::string>& items) {
    std::string text;
    for (const std::string& item : items) {
        text += (text.empty() ? "" : ",") + item;
    }
    return text;
}

std::string HexAddress(int address) {
    char text[16];
    std::snprintf(text, sizeof text, "0x%02X", static_cast<unsigned>(address));
    return text;
}

// Sequence captions break over two lines in the sequence window; here they stay on one.
std::string OneLine(const std::string& text) {
    std::string line;
    for (char c : text) {
        if (c == '\n') {
            line += ' ';
        } else if (c != '\r') {
            line += c;
        }
    }
    return line;
}

}  // namespace

void WriteProfiles(std::ostream& out) {
    const std::vector<std::string> profiles = config::ListProfiles();
    if (profiles.empty()) {
        out << "No model profile under " << ParameterFolder() << "\n";
        return;
    }
    CTolvPrnParam& model = *CTolvPrnParam::Instance();
    for (const std::string& profile : profiles) {
        model.SetProfile(profile);
        out << profile << ": " << model.nColumn << " columns, EEPROM up to address " << model.nADRSMax
            << (model.HasTwoByteEepromAddress() ? " (two-byte addresses)" : " (one-byte addresses)")
            << ", USB serial number "
            << (model.nADRSUSBSerial == -1 ? std::string("none") : "at " + HexAddress(model.nADRSUSBSerial))
            << "\n";
        for (int index = 0; index < model.nCustomerCount; ++index) {
            const TolvCustomer& customer = model.customer[index];
            out << "  customer " << index << ": "
                << (customer.strTitle.empty() ? std::string("(empty slot)") : customer.strTitle);
            if (!customer.strDeviceID.empty()) {
                out << "  [" << customer.strDeviceID << "]";
            }
            out << "\n";
        }
        out << "  languages:";
        for (const std::string& language : config::ListLanguages(profile)) {
            out << " " << language;
        }
        out << "\n";
    }
}

void WriteMenu(std::ostream& out, const std::string& profile, const std::string& language) {
    const config::MenuTable& menu = LanguageTexts(profile, language).GetMenuTable();
    for (std::size_t row = 0; row < menu.names.size(); ++row) {
        const int item = config::ItemNumber(menu.numbers[row]);
        out << (menu.numbers[row].empty() ? std::string("   ") : menu.numbers[row]) << "  "
            << (item > 0 ? workflow::ItemName(item) : std::string()) << "  " << menu.names[row] << "\n";
    }
}

void WriteParts(std::ostream& out, const std::string& profile, const std::string& language) {
    const config::PartsTable& parts = LanguageTexts(profile, language).GetPartsTable();
    for (std::size_t row = 0; row < parts.names.size(); ++row) {
        out << row << "  " << parts.names[row] << "  (" << JoinItems(parts.items[row]) << ")\n";
    }
}

int WriteSequence(std::ostream& out, const std::string& profile, const std::string& language,
                  const std::vector<int>& tickedRows) {
    const CTolvLangText& texts = LanguageTexts(profile, language);
    const workflow::SequentialList run =
        workflow::BuildSequentialList(texts.GetPartsTable(), tickedRows, texts.GetSequence());
    if (run.outcome == workflow::SequentialOutcome::NothingSelected) {
        out << workflow::kMsgSelectParts << "\n";
        return 1;
    }
    for (const std::string& item : run.items) {
        const int number = config::ItemNumber(item);
        out << item << "  " << workflow::ItemName(number) << "  " << OneLine(texts.GetSequenceCaption(number))
            << "\n";
    }
    return 0;
}

}  // namespace tolvane_cli
