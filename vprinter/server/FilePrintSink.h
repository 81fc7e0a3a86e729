// Writes each job's print data to its own file, PORT-NNNN.prn in the print folder, until the page
// renderer takes the data instead. A job is the data between two ends of job (port closed, printer
// reset). A job file stops growing at kLargestJob; the rest of the job is dropped with one report.
#pragma once

#include <cstdint>
#include <fstream>
#include <string>

#include "vprinter/model/IPrintSink.h"

namespace vprinter {

class FilePrintSink : public IPrintSink {
public:
    FilePrintSink(std::string folder, std::string portName);

    void PrintData(std::span<const std::uint8_t> bytes) override;
    void ModeFlag(std::uint8_t) override {}
    void EndOfJob() override;

    static constexpr std::uint64_t kLargestJob = 256ull * 1024 * 1024;

private:
    std::string folder_;
    std::string portName_;
    std::ofstream file_;
    std::uint64_t written_ = 0;
    int job_ = 0;
    bool full_ = false;
};

}  // namespace vprinter
