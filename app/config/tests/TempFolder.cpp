#include "TempFolder.h"

#include <atomic>
#include <chrono>
#include <fstream>
#include <sstream>

#include "config/CTolvAppParam.h"
#include "config/CTolvLangText.h"
#include "config/CTolvPrnParam.h"
#include "platform/ModulePath.h"

TempFolder::TempFolder() {
    static std::atomic<unsigned> serial{0};
    const auto stamp = std::chrono::steady_clock::now().time_since_epoch().count();
    const std::filesystem::path base = std::filesystem::temp_directory_path();
    do {
        root_ = base / ("tolv-config-" + std::to_string(stamp) + "-" + std::to_string(serial++));
    } while (!std::filesystem::create_directory(root_));
}

TempFolder::~TempFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(root_, ignored);
}

std::string TempFolder::Path() const {
    return root_.string() + static_cast<char>(std::filesystem::path::preferred_separator);
}

std::string TempFolder::File(const std::string& relative) const {
    return (root_ / std::filesystem::path(relative).make_preferred()).string();
}

void TempFolder::Write(const std::string& relative, const std::string& bytes) const {
    const std::filesystem::path path = File(relative);
    std::filesystem::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary) << bytes;
}

std::string TempFolder::Read(const std::string& relative) const {
    std::ifstream in(File(relative), std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

void ConfigTest::SetUp() {
    CTolvAppParam::DeleteInstance();
    CTolvPrnParam::DeleteInstance();
    CTolvLangText::DeleteInstance();
    platform::OverrideExecutableFolder(folder_.Path());
}

void ConfigTest::TearDown() {
    CTolvAppParam::DeleteInstance();
    CTolvPrnParam::DeleteInstance();
    CTolvLangText::DeleteInstance();
    platform::OverrideExecutableFolder("");
}

std::vector<std::string> KeyLines(const std::string& iniText) {
    std::vector<std::string> lines;
    std::istringstream in(iniText);
    std::string line;
    std::string section;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r') {
            line.pop_back();
        }
        if (!line.empty() && line.front() == '[') {
            section = line;
        } else if (const auto equals = line.find('='); equals != std::string::npos) {
            const auto value = line.find_first_not_of(" \t", equals + 1);
            lines.push_back(section + line.substr(0, equals + 1) +
                            (value == std::string::npos ? "" : line.substr(value)));
        }
    }
    return lines;
}
