// The language texts: a menu file and a description file of any bytes, loaded by CTolvLangText as the
// program loads them. The input is the menu file, a NUL byte, and the description file.
//
// Properties: every text array holds all its entries; loading again gives the same texts and tables;
// the menu lookups give the first row of an item; a description has every escape replaced, and the
// long-line message appears exactly for the lines that fill the line buffer.
#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "FuzzSupport.h"
#include "config/CTolvAppParam.h"
#include "config/CTolvLangText.h"
#include "config/CTolvPrnParam.h"
#include "platform/MessageBox.h"
#include "platform/ModulePath.h"
#include "platform/PrivateProfile.h"
#include "workflow/ItemCatalogue.h"

namespace {

constexpr const char* kProfile = "FUZZ";
constexpr const char* kLanguage = "English";

class MessageCounter : public platform::IMessagePresenter {
public:
    platform::MessageAnswer Show(const std::string&, platform::TextEncoding, platform::MessageIcon,
                                 platform::MessageButtons) override {
        ++count;
        return platform::MessageAnswer::Ok;
    }
    int count = 0;
};

const std::string& ExecutableFolder() {
    static const std::string folder = [] {
        const std::string root = fuzz::ScratchFile("program/");
        std::filesystem::create_directories(root + "Parameter/" + kProfile);
        fuzz::WriteFile(root + "TOLVANE.INI", std::string("[Profile]\r\nstrProfile=") + kProfile +
                                                  "\r\nstrLanguage=" + kLanguage + "\r\n");
        platform::OverrideExecutableFolder(root);
        return root;
    }();
    return folder;
}

struct Texts {
    std::vector<std::string> all;
    config::MenuTable menu;
    config::PartsTable parts;
    std::vector<std::string> sequence;
};

Texts Copy(const CTolvLangText& t) {
    Texts texts;
    const auto add = [&](const std::string* begin, int count) {
        texts.all.insert(texts.all.end(), begin, begin + count);
    };
    add(t.strMenu, CTolvLangText::kMenuSlots);
    add(&t.strSequence, 1);
    add(t.strParts, CTolvLangText::kPartsSlots);
    add(t.strStatus, CTolvLangText::kStatusTexts);
    add(t.strError, CTolvLangText::kErrorTexts);
    add(t.strFatalError, CTolvLangText::kFatalErrorTexts);
    add(t.strMessage, CTolvLangText::kMessageTexts);
    add(t.strCustomMsg, CTolvLangText::kCustomMessageTexts);
    texts.menu = t.GetMenuTable();
    texts.parts = t.GetPartsTable();
    texts.sequence = t.GetSequence();
    return texts;
}

bool SameTables(const Texts& a, const Texts& b) {
    return a.all == b.all && a.menu.names == b.menu.names && a.menu.numbers == b.menu.numbers &&
           a.menu.captions == b.menu.captions && a.parts.names == b.parts.names &&
           a.parts.items == b.parts.items && a.sequence == b.sequence;
}

// The section names of the description file.
std::vector<std::string> Sections(const std::string& path) {
    static std::vector<char> buffer(1 << 16);
    const std::uint32_t length = platform::ProfileReadString(
        nullptr, nullptr, "", buffer.data(), static_cast<std::uint32_t>(buffer.size()), path.c_str());
    std::vector<std::string> names;
    for (std::size_t start = 0; start < length;) {
        const std::string name(buffer.data() + start);
        names.push_back(name);
        start += name.size() + 1;
    }
    return names;
}

// The lines of a description that fill the 254 characters a line may hold.
int FullLines(const std::string& key, const std::string& path) {
    int count = static_cast<int>(platform::ProfileReadInt(key.c_str(), "COUNT", 0, path.c_str()));
    count = std::min(count, 999);
    int full = 0;
    static std::vector<char> line(1 << 16);
    for (int i = 1; i <= count; ++i) {
        const std::string lineKey = "TEXT" + std::to_string(i);
        const std::uint32_t length =
            platform::ProfileReadString(key.c_str(), lineKey.c_str(), "", line.data(),
                                        static_cast<std::uint32_t>(line.size()), path.c_str());
        full += length >= 254 ? 1 : 0;
    }
    return full;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string folder = ExecutableFolder();
    const std::string input(reinterpret_cast<const char*>(data), size);
    const std::size_t split = std::min(input.find('\0'), input.size());
    const std::string profileFolder = folder + "Parameter/" + kProfile + "/";
    fuzz::WriteSettledFile(profileFolder + kLanguage + ".mnu", input.substr(0, split));
    fuzz::WriteSettledFile(profileFolder + kLanguage + "Text.dat",
                           split < input.size() ? input.substr(split + 1) : "");

    MessageCounter messages;
    platform::SetMessagePresenter(&messages);
    CTolvLangText& texts = *CTolvLangText::Instance();
    const Texts first = Copy(texts);
    FUZZ_CHECK(first.all.size() == 100u + 1 + 200 + 20 + 31 + 256 + 20 + 20, "every text array is whole");
    texts.SetLanguage(kLanguage);
    FUZZ_CHECK(SameTables(first, Copy(texts)), "loading the same file again gives other texts");

    for (const workflow::CatalogueItem& item : workflow::ItemCatalogue::Items()) {
        const int row = config::FindMenuRow(first.menu, item.number);
        FUZZ_CHECK(texts.GetMenuName(item.number) ==
                       (row < 0 ? "" : first.menu.names[static_cast<std::size_t>(row)]),
                   "menu name of item " + std::to_string(item.number));
        FUZZ_CHECK(texts.GetSequenceCaption(item.number) ==
                       (row < 0 ? "" : first.menu.captions[static_cast<std::size_t>(row)]),
                   "sequence caption of item " + std::to_string(item.number));
    }

    const std::string descriptionPath = texts.GetDescriptionPath();
    std::vector<std::string> keys = Sections(platform::NativePath(descriptionPath));
    keys.resize(std::min<std::size_t>(keys.size(), 16));
    keys.push_back(workflow::ItemName(102));
    for (const std::string& key : keys) {
        messages.count = 0;
        const std::string description = texts.GetText(key);
        FUZZ_CHECK(
            description.find("\\n") == std::string::npos && description.find("\\t") == std::string::npos,
            "an escape is left in the description of " + fuzz::Printable(key) + ": " +
                fuzz::Printable(description));
        const int full = FullLines(key, descriptionPath);
        FUZZ_CHECK(messages.count == full, std::to_string(messages.count) + " messages for " +
                                               std::to_string(full) + " full lines of " +
                                               fuzz::Printable(key));
    }

    platform::SetMessagePresenter(nullptr);
    CTolvLangText::DeleteInstance();
    CTolvPrnParam::DeleteInstance();
    CTolvAppParam::DeleteInstance();
    return 0;
}
