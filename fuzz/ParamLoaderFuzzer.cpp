// The parameter loader on a file of any bytes, with a binding of every kind: the keys of the shipped
// model profiles and settings file, so that the seed corpus reaches them, and a section of keys of
// every kind with long and short names.
//
// Property: what Load reads, Save writes so that the next Load reads the same values and comments, and
// a second Save then leaves the file as the first one wrote it.
#include <map>
#include <string>
#include <vector>

#include "FuzzSupport.h"
#include "config/CParamLoaderIniFile.h"

namespace {

// Keeps the comment each read found, for the comparison.
class CommentRecordingLoader : public CParamLoaderIniFile {
public:
    int ReadValue(ParamRecord& record, std::string& value, const char* defaultValue) override {
        const int result = CParamLoaderIniFile::ReadValue(record, value, defaultValue);
        comments[record.section + "]" + record.key] = record.comment;
        return result;
    }
    std::map<std::string, std::string> comments;
};

struct Values {
    std::vector<std::string> strings = std::vector<std::string>(6);
    std::vector<int> ints = std::vector<int>(4);
    double real = 0;
    BOOL flag = 0;
    WORD word = 0;
    DWORD hex = 0;
    std::vector<int> intList;
    std::vector<int> shortList;
    std::vector<double> realList;
    std::vector<int> map;

    bool operator==(const Values&) const = default;
};

class BoundValues {
public:
    explicit BoundValues(const std::string& path) {
        CommentRecordingLoader& l = loader;
        l.AddString("CONTROL", "strCustomVer", &v.strings[0], "1.00");
        l.AddIntList("CONTROL", "pnRNumber", &v.intList, "0 0");
        l.AddInt("CONTROL", "nADRSMax", &v.ints[0], 127);
        l.AddString("CUSTOMER00", "strDeviceID", &v.strings[1], "");
        l.AddIntListSlice("EEPROM_INIT", "pnADRS_0x00", &v.map, 0, 16, "0");
        l.AddIntListSlice("EEPROM_INIT", "pnADRS_0x10", &v.map, 16, 16, "0");
        l.AddString("MENU", "strMenu00", &v.strings[2], "");
        l.AddString("Profile", "strProfile", &v.strings[3], "ProfileName");
        l.AddIntList("Setting", "pnInterface", &v.shortList, "0 0 0 0");
        l.AddBool("Debug", "bDebugMode", &v.flag, 0);
        l.AddString("S", "strText", &v.strings[4], "default");
        l.AddString("S", "strAKeyOfThirtyOneCharactersLong", &v.strings[5], "");
        l.AddInt("S", "nNumber", &v.ints[1], 7);
        l.AddInt("S", "nAKeyOfThirtyOneCharactersLong", &v.ints[2], -1);
        l.AddDouble("S", "dReal", &v.real, 2.5);
        l.AddWord("S", "wWord", &v.word, 0x1234);
        l.AddHex("S", "dwHex", &v.hex, 0xBEEF);
        l.AddInt("S", "bFlag", &v.ints[3], 1);
        l.AddDoubleList("S", "pdReals", &v.realList, "0.5 1.5");
        l.SetPath(path);
    }
    CommentRecordingLoader loader;
    Values v;
};

std::string Describe(const BoundValues& b) {
    std::string text;
    for (const std::string& s : b.v.strings) {
        text += "string " + fuzz::Printable(s) + "\n";
    }
    for (const int i : b.v.ints) {
        text += "int " + std::to_string(i) + "\n";
    }
    text += "real " + std::to_string(b.v.real) + " word " + std::to_string(b.v.word) + " hex " +
            std::to_string(b.v.hex) + " flag " + std::to_string(b.v.flag) + "\n";
    text += "lists " + std::to_string(b.v.intList.size()) + " " + std::to_string(b.v.shortList.size()) + " " +
            std::to_string(b.v.realList.size()) + "\n";
    for (const auto& [key, comment] : b.loader.comments) {
        text += "comment of " + key + ": " + fuzz::Printable(comment) + "\n";
    }
    return text;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string path = fuzz::ScratchFile("parameter.ini");
    const std::string original(reinterpret_cast<const char*>(data), size);
    fuzz::WriteSettledFile(path, original);

    BoundValues first(path);
    first.loader.Load();
    FUZZ_CHECK(first.v.map.size() == 32, "the slices make 32 elements");
    first.loader.Save();
    const std::string saved = fuzz::ReadFile(path);

    BoundValues second(path);
    second.loader.Load();
    const std::string context = "file: " + fuzz::Printable(original) + "\nsaved: " + fuzz::Printable(saved) +
                                "\nfirst load:\n" + Describe(first) + "second load:\n" + Describe(second);
    FUZZ_CHECK(second.v == first.v, "values change on the second load\n" + context);
    FUZZ_CHECK(second.loader.comments == first.loader.comments,
               "comments change on the second load\n" + context);
    second.loader.Save();
    FUZZ_CHECK(fuzz::ReadFile(path) == saved, "a second save changes the file\n" + context);
    return 0;
}
