#include "config/CTolvLangText.h"

#include <cstdint>
#include <cstring>

#include "config/CTolvAppParam.h"
#include "config/ProfilePaths.h"
#include "config/TextFormat.h"
#include "platform/MessageBox.h"
#include "platform/PrivateProfile.h"

namespace {

// A description line is read into 255 characters; one that fills them (254 and the NUL) was
// probably cut.
constexpr std::uint32_t kDescriptionLineSize = 255;
// COUNT comes from a hand-edited file; a mistyped huge count must not keep the program reading
// missing lines for minutes.
constexpr int kMostDescriptionLines = 999;

void ReportLongLine(int line) {
    platform::ShowMessage(config::FormatText("Language.datで指定する%d行目の文字列が長すぎます。", line),
                          platform::MessageIcon::Stop);
}

}  // namespace

CTolvLangText::CTolvLangText() : loader_(std::make_unique<CParamLoaderIniFile>()) {
    const CTolvAppParam* settings = CTolvAppParam::Instance();
    profileName_ = settings->strProfile;
    languageName_ = settings->strLanguage;
    Bind();
    LoadTexts();
}

CTolvLangText::~CTolvLangText() = default;

void CTolvLangText::Bind() {
    IParamLoader& loader = *loader_;
    for (int i = 0; i < kMenuSlots; ++i) {
        loader.AddString("MENU", config::FormatText("strMenu%02d", i), &strMenu[i], "");
    }
    loader.AddString("SEQUENCE", "strSequence", &strSequence, "");
    for (int i = 0; i < kPartsSlots; ++i) {
        loader.AddString("PARTS", config::FormatText("strParts%02d", i), &strParts[i], "");
    }
    // Codes without a text of their own still show which code the printer reported.
    for (int i = 0; i < kStatusTexts; ++i) {
        loader.AddString("STATUS", config::FormatText("strStatus%02d", i), &strStatus[i],
                         config::FormatText("Status - ERROR %02d", i).c_str());
    }
    for (int i = 0; i < kErrorTexts; ++i) {
        loader.AddString("ERROR", config::FormatText("strError%02d", i), &strError[i],
                         config::FormatText("Status - ERROR %02d", i).c_str());
    }
    for (int i = 0; i < kFatalErrorTexts; ++i) {
        loader.AddString("FATAL_ERROR", config::FormatText("strFatalError%02X", i), &strFatalError[i],
                         "Unkonwn Fatal Error");
    }
    for (int i = 0; i < kMessageTexts; ++i) {
        loader.AddString("MESSAGE", config::FormatText("strMessage%02d", i), &strMessage[i], "");
    }
    for (int i = 0; i < kCustomMessageTexts; ++i) {
        loader.AddString("CUSTOM_MESSAGE", config::FormatText("strCustomMsg%02d", i), &strCustomMsg[i], "");
    }
}

std::string CTolvLangText::LanguageFilePath(const std::string& suffix) const {
    return config::ProfileFolder(profileName_) + languageName_ + suffix;
}

void CTolvLangText::LoadTexts() {
    loader_->SetPath(LanguageFilePath(".mnu"));
    loader_->Load();
    menuTable_ = config::ParseMenu(strMenu);
    partsTable_ = config::ParseParts(strParts);
    sequence_ = config::ParseSequence(strSequence);
}

void CTolvLangText::SetProfile(const std::string& name) {
    profileName_ = name;
    LoadTexts();
}

void CTolvLangText::SetLanguage(const std::string& name) {
    languageName_ = name;
    LoadTexts();
}

const std::string& CTolvLangText::GetMenuPath() const {
    return loader_->GetPath();
}

std::string CTolvLangText::GetDescriptionPath() const {
    return LanguageFilePath("Text.dat");
}

std::string CTolvLangText::GetText(const std::string& key) const {
    const std::string path = GetDescriptionPath();
    int count = static_cast<int>(platform::ProfileReadInt(key.c_str(), "COUNT", 0, path.c_str()));
    if (count > kMostDescriptionLines) {
        count = kMostDescriptionLines;
    }
    std::string text;
    char line[kDescriptionLineSize];
    for (int i = 1; i <= count; ++i) {
        const std::string lineKey = config::FormatText("TEXT%d", i);
        std::uint32_t length = platform::ProfileReadString(key.c_str(), lineKey.c_str(), "", line,
                                                           kDescriptionLineSize, path.c_str());
        if (length >= kDescriptionLineSize) {
            length = kDescriptionLineSize - 1;
        }
        if (length == kDescriptionLineSize - 1) {
            ReportLongLine(i);
        }
        text.append(line, strnlen(line, length));
    }
    config::ReplaceAll(text, "\\n", "\r\n");
    config::ReplaceAll(text, "\\t", "    ");
    return text;
}

std::string CTolvLangText::GetMenuName(int item) const {
    const int row = config::FindMenuRow(menuTable_, item);
    return row < 0 ? std::string() : menuTable_.names[static_cast<std::size_t>(row)];
}

std::string CTolvLangText::GetSequenceCaption(int item) const {
    const int row = config::FindMenuRow(menuTable_, item);
    return row < 0 ? std::string() : menuTable_.captions[static_cast<std::size_t>(row)];
}
