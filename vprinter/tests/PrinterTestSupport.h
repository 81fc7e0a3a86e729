// What the printer-model tests share: the shipped profiles, a sink that records, byte helpers.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <string>
#include <vector>

#include "vprinter/model/IPrintSink.h"
#include "vprinter/model/ModelProfile.h"
#include "vprinter/model/VirtualPrinter.h"

namespace vprintertest {

using Bytes = std::vector<std::uint8_t>;

// The shipped profile of that name; the test fails when it cannot be read.
vprinter::ModelProfile Profile(const std::string& name);

class RecordingSink : public vprinter::IPrintSink {
public:
    void PrintData(std::span<const std::uint8_t> bytes) override { data.append(bytes.begin(), bytes.end()); }
    void ModeFlag(std::uint8_t value) override { modeFlags.push_back(value); }
    void EndOfJob() override { ++jobs; }

    std::string data;
    std::vector<int> modeFlags;
    int jobs = 0;
};

Bytes Concat(std::initializer_list<Bytes> parts);
Bytes Text(const std::string& text);
// Everything the printer has to say now.
std::string ReadAll(vprinter::VirtualPrinter& printer);
Bytes ReadAllBytes(vprinter::VirtualPrinter& printer);
void Write(vprinter::VirtualPrinter& printer, const Bytes& bytes);

}  // namespace vprintertest
