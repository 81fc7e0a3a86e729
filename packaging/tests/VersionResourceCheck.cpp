// Reads the version resource of each file named on the command line back with the system's own
// version API and holds it to what every shipped file carries: the product name, the project's
// version in the fixed and in the string part, the file's own name and type, and a description.
// Prints one line per file and exits 1 when any file falls short.
#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

namespace {

std::string Lower(std::string text) {
    for (char& c : text) {
        if (c >= 'A' && c <= 'Z') {
            c = static_cast<char>(c - 'A' + 'a');
        }
    }
    return text;
}

std::string BaseName(const std::string& path) {
    std::size_t slash = path.find_last_of("\\/");
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::string StringValue(std::vector<char>& data, const char* translation, const char* key) {
    std::string query = std::string("\\StringFileInfo\\") + translation + "\\" + key;
    char* value = nullptr;
    UINT length = 0;
    if (!VerQueryValueA(data.data(), query.c_str(), reinterpret_cast<void**>(&value), &length) ||
        value == nullptr) {
        return "(missing)";
    }
    return std::string(value);
}

// The version "a.b.c" as the fixed part's two words hold it, build number 0.
bool FixedVersionMatches(DWORD mostSignificant, DWORD leastSignificant) {
    char text[64];
    std::snprintf(text, sizeof text, "%lu.%lu.%lu", static_cast<unsigned long>(HIWORD(mostSignificant)),
                  static_cast<unsigned long>(LOWORD(mostSignificant)),
                  static_cast<unsigned long>(HIWORD(leastSignificant)));
    return text == std::string(TOLVANE_VERSION) && LOWORD(leastSignificant) == 0;
}

bool CheckFile(const std::string& path) {
    std::vector<std::string> faults;
    DWORD ignored = 0;
    DWORD size = GetFileVersionInfoSizeA(path.c_str(), &ignored);
    std::vector<char> data(size);
    if (size == 0 || !GetFileVersionInfoA(path.c_str(), 0, size, data.data())) {
        std::printf("%s: no version resource\n", path.c_str());
        return false;
    }

    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT length = 0;
    if (!VerQueryValueA(data.data(), "\\", reinterpret_cast<void**>(&fixed), &length) || fixed == nullptr ||
        fixed->dwSignature != 0xFEEF04BD) {
        faults.push_back("no fixed part");
    } else {
        if (!FixedVersionMatches(fixed->dwFileVersionMS, fixed->dwFileVersionLS)) {
            faults.push_back("fixed file version");
        }
        if (!FixedVersionMatches(fixed->dwProductVersionMS, fixed->dwProductVersionLS)) {
            faults.push_back("fixed product version");
        }
        std::string extension = Lower(path.substr(path.size() >= 4 ? path.size() - 4 : 0));
        DWORD expectedType = extension == ".exe" ? VFT_APP : VFT_DLL;
        if (fixed->dwFileType != expectedType) {
            faults.push_back("file type");
        }
    }

    // The string part is found the way callers find it: through the first translation listed.
    struct Translation {
        WORD language;
        WORD codePage;
    }* translation = nullptr;
    char pair[16] = "";
    if (!VerQueryValueA(data.data(), "\\VarFileInfo\\Translation", reinterpret_cast<void**>(&translation),
                        &length) ||
        translation == nullptr || length < sizeof(Translation)) {
        faults.push_back("no translation");
    } else {
        std::snprintf(pair, sizeof pair, "%04X%04X", translation->language, translation->codePage);
    }
    std::string product = StringValue(data, pair, "ProductName");
    std::string fileVersion = StringValue(data, pair, "FileVersion");
    std::string productVersion = StringValue(data, pair, "ProductVersion");
    std::string original = StringValue(data, pair, "OriginalFilename");
    std::string description = StringValue(data, pair, "FileDescription");
    if (product != "Tolvane") {
        faults.push_back("ProductName \"" + product + "\"");
    }
    if (fileVersion != TOLVANE_VERSION || productVersion != TOLVANE_VERSION) {
        faults.push_back("version text \"" + fileVersion + "\"/\"" + productVersion + "\"");
    }
    if (Lower(original) != Lower(BaseName(path))) {
        faults.push_back("OriginalFilename \"" + original + "\"");
    }
    // A file nobody described carries its bare name.
    std::string bareName = BaseName(path).substr(0, BaseName(path).find_last_of('.'));
    if (description.empty() || description == "(missing)" || Lower(description) == Lower(bareName)) {
        faults.push_back("FileDescription \"" + description + "\"");
    }

    if (faults.empty()) {
        std::printf("%s: %s %s, %s\n", path.c_str(), product.c_str(), fileVersion.c_str(),
                    description.c_str());
        return true;
    }
    std::string list;
    for (const std::string& fault : faults) {
        list += (list.empty() ? "" : "; ") + fault;
    }
    std::printf("%s: wrong %s\n", path.c_str(), list.c_str());
    return false;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::printf("usage: tolv_version_resource_check FILE...\n");
        return 2;
    }
    bool allGood = true;
    for (int i = 1; i < argc; ++i) {
        allGood = CheckFile(argv[i]) && allGood;
    }
    return allGood ? 0 : 1;
}
