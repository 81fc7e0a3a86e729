#include "vprinter/server/FilePrintSink.h"

#include <cstdio>
#include <filesystem>
#include <iostream>
#include <system_error>

namespace vprinter {

FilePrintSink::FilePrintSink(std::string folder, std::string portName)
    : folder_(std::move(folder)), portName_(std::move(portName)) {}

void FilePrintSink::PrintData(std::span<const std::uint8_t> bytes) {
    if (!file_.is_open() && !full_) {
        std::error_code ignored;
        std::filesystem::create_directories(folder_, ignored);
        char name[64];
        std::snprintf(name, sizeof name, "%s-%04d.prn", portName_.c_str(), ++job_);
        file_.open(std::filesystem::path(folder_) / name, std::ios::binary | std::ios::trunc);
        written_ = 0;
        if (!file_) {
            std::cerr << "vprinter: cannot write print data to "
                      << (std::filesystem::path(folder_) / name).string() << "\n";
            full_ = true;
        }
    }
    if (full_) {
        return;
    }
    if (written_ + bytes.size() > kLargestJob) {
        std::cerr << "vprinter: the job of " << portName_ << " passed " << kLargestJob
                  << " bytes; the rest of it is not written\n";
        full_ = true;
        return;
    }
    file_.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    written_ += bytes.size();
}

void FilePrintSink::EndOfJob() {
    if (file_.is_open()) {
        file_.close();
    }
    full_ = false;
}

}  // namespace vprinter
