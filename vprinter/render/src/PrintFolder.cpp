#include "render/PrintFolder.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>

#include "platform/DebugOutput.h"
#include "render/PngFile.h"

namespace vprinter::render {

PrintFolder::PrintFolder(std::string folder, std::string printerName, JobLog& log)
    : folder_(std::move(folder)), printer_(std::move(printerName)), log_(log) {}

std::string PrintFolder::FileNamePart(const std::string& printerName) {
    std::string part;
    for (const char character : printerName) {
        const bool kept = (character >= 'a' && character <= 'z') || (character >= 'A' && character <= 'Z') ||
                          (character >= '0' && character <= '9') || character == '-' || character == '_' ||
                          character == '.';
        part += kept ? character : '-';
    }
    return part.empty() ? "printer" : part;
}

std::string PrintFolder::PathOf(const platform::LocalTime& time, const char* kind, int number,
                                const char* extension) const {
    char name[96];
    std::snprintf(name, sizeof name, "_%04d%02d%02d-%02d%02d%02d_%s%04d.%s", time.year, time.month, time.day,
                  time.hour, time.minute, time.second, kind, number, extension);
    return (std::filesystem::path(folder_) / (FileNamePart(printer_) + name)).string();
}

void PrintFolder::Written(const std::string& path) {
    if (std::find(files_.begin(), files_.end(), path) == files_.end()) {
        files_.push_back(path);
    }
}

void PrintFolder::WritePage(const PageRaster& page, int pageNumber, bool finished) {
    std::error_code error;
    std::filesystem::create_directories(folder_, error);
    const std::string path = PathOf(page.Started(), "page", pageNumber, "png");
    if (!WritePngFile(path, page)) {
        platform::DebugOutput(("vprinter: could not write the page image " + path + "\n").c_str());
        log_.Event("could not write " + path);
        return;
    }
    Written(path);
    log_.Page(std::filesystem::path(path).filename().string(), finished);
}

void PrintFolder::WriteJobLog() {
    std::error_code error;
    std::filesystem::create_directories(folder_, error);
    const std::string path = PathOf(log_.Started(), "job", log_.JobNumber(), "txt");
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file << log_.Render(printer_);
    if (!file) {
        platform::DebugOutput(("vprinter: could not write the job log " + path + "\n").c_str());
        return;
    }
    Written(path);
}

}  // namespace vprinter::render
