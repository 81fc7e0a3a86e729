#include "PrinterTestSupport.h"

#include <gtest/gtest.h>

namespace vprintertest {

vprinter::ModelProfile Profile(const std::string& name) {
    vprinter::ModelProfile profile;
    std::string error;
    EXPECT_TRUE(vprinter::LoadModelProfile(name, &profile, &error)) << error;
    return profile;
}

Bytes Concat(std::initializer_list<Bytes> parts) {
    Bytes all;
    for (const Bytes& part : parts) {
        all.insert(all.end(), part.begin(), part.end());
    }
    return all;
}

Bytes Text(const std::string& text) {
    return Bytes(text.begin(), text.end());
}

Bytes ReadAllBytes(vprinter::VirtualPrinter& printer) {
    Bytes all;
    std::uint8_t buffer[4096];
    for (std::size_t n; (n = printer.Read(buffer, sizeof buffer)) > 0;) {
        all.insert(all.end(), buffer, buffer + n);
    }
    return all;
}

std::string ReadAll(vprinter::VirtualPrinter& printer) {
    const Bytes all = ReadAllBytes(printer);
    return std::string(all.begin(), all.end());
}

void Write(vprinter::VirtualPrinter& printer, const Bytes& bytes) {
    const auto result = printer.Write(bytes);
    EXPECT_EQ(result.taken, bytes.size());
    EXPECT_FALSE(result.disconnected);
}

}  // namespace vprintertest
