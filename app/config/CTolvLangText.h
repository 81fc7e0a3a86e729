// The texts of one language for one model profile: the menu file Parameter\{profile}\{language}.mnu,
// read whole at every load, and the description file Parameter\{profile}\{language}Text.dat, read
// anew at every GetText so that an edited description shows without a restart.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "config/CParamLoaderIniFile.h"
#include "config/MenuTables.h"
#include "config/Singleton.h"

class CTolvLangText : public _singleton<CTolvLangText> {
public:
    static constexpr int kMenuSlots = 100;
    static constexpr int kPartsSlots = 200;
    static constexpr int kStatusTexts = 20;
    static constexpr int kErrorTexts = 31;
    static constexpr int kFatalErrorTexts = 256;
    static constexpr int kMessageTexts = 20;
    static constexpr int kCustomMessageTexts = 20;

    // Store the name, read the menu file of the new profile or language and parse its tables again.
    void SetProfile(const std::string& name);
    void SetLanguage(const std::string& name);

    // The description of a key: lines TEXT1 .. TEXTn of the key's section (n = COUNT) joined without
    // a separator, "\n" turned into CR LF and "\t" into four spaces. Empty for an unknown key or a
    // missing file. A line that fills the 254 characters a line may hold is reported and kept as read.
    std::string GetText(const std::string& key) const;

    // The name, or the sequence caption, of the first menu entry with this item number (> 0); empty
    // when no entry has it.
    std::string GetMenuName(int item) const;
    std::string GetSequenceCaption(int item) const;

    const config::MenuTable& GetMenuTable() const { return menuTable_; }
    const config::PartsTable& GetPartsTable() const { return partsTable_; }
    const std::vector<std::string>& GetSequence() const { return sequence_; }

    const std::string& GetProfileName() const { return profileName_; }
    const std::string& GetLanguageName() const { return languageName_; }
    // executable folder + Parameter\{profile}\{language}.mnu and ...\{language}Text.dat
    const std::string& GetMenuPath() const;
    std::string GetDescriptionPath() const;

    // The raw menu file entries, kept as read.
    std::string strMenu[kMenuSlots];
    std::string strSequence;
    std::string strParts[kPartsSlots];
    // Indexed by the printer's status code, error code and fatal error code.
    std::string strStatus[kStatusTexts];
    std::string strError[kErrorTexts];
    std::string strFatalError[kFatalErrorTexts];
    std::string strMessage[kMessageTexts];
    std::string strCustomMsg[kCustomMessageTexts];

private:
    friend class _singleton<CTolvLangText>;
    CTolvLangText();
    ~CTolvLangText();
    CTolvLangText(const CTolvLangText&) = delete;
    CTolvLangText& operator=(const CTolvLangText&) = delete;

    void Bind();
    void LoadTexts();
    std::string LanguageFilePath(const std::string& suffix) const;

    std::string profileName_;
    std::string languageName_;
    std::unique_ptr<CParamLoaderIniFile> loader_;
    config::MenuTable menuTable_;
    config::PartsTable partsTable_;
    std::vector<std::string> sequence_;
};
