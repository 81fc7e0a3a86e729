// The walk over the printer ports against a selector of the test's own: which ports are opened, in
// which order, what each is asked, and which are closed again.
#include <gtest/gtest.h>

#include <map>
#include <optional>
#include <string>
#include <vector>

#include "portselect/PortNumbers.h"
#include "portselect/PrinterPorts.h"

namespace portselect {
namespace {

// A printer on a port: the model query's status, and the bytes the driver copies (no terminator).
struct FakePrinter {
    std::uint32_t modelStatus = status::kSuccess;
    std::string copied;
};

struct FakeSelector {
    std::map<std::uint32_t, FakePrinter> printers;
    std::vector<std::uint32_t> opened;  // every open asked for, in order
    std::vector<std::uint32_t> closed;
    std::uint32_t open = 0;  // the port open now, 0 for none
    std::vector<std::string> faults;
} fake;

std::uint32_t TOLVANE_STDCALL Open(std::uint32_t number) {
    if (fake.open != 0) {
        fake.faults.push_back("open while another port is open");
    }
    fake.opened.push_back(number);
    if (fake.printers.count(number) == 0) {
        return 0x00001000;
    }
    fake.open = number;
    return 0xABCD0001;  // the high half is noise
}

void TOLVANE_STDCALL Close() {
    fake.closed.push_back(fake.open);
    fake.open = 0;
}

std::uint32_t TOLVANE_STDCALL ModelName(char* name) {
    for (std::size_t i = 0; i < kModelNameBufferSize; ++i) {
        if (name[i] != '\0') {
            fake.faults.push_back("model name buffer not zero-filled");
            break;
        }
    }
    const FakePrinter& printer = fake.printers.at(fake.open);
    if (Succeeded(printer.modelStatus)) {
        printer.copied.copy(name, kModelNameBufferSize);
    }
    return printer.modelStatus;
}

PlexerPortFunctions Functions() {
    PlexerPortFunctions functions;
    functions.portOpen = &Open;
    functions.portClose = &Close;
    functions.getModelName = &ModelName;
    return functions;
}

class PrinterPorts : public ::testing::Test {
protected:
    void SetUp() override { fake = FakeSelector{}; }
    void TearDown() override { EXPECT_EQ(fake.faults, std::vector<std::string>{}); }

    std::vector<std::string> Walk(AfterAnswer (*decide)(const PortAnswer&),
                                  std::optional<std::int16_t>* kept) {
        std::vector<std::string> seen;
        *kept = ForEachPrinterPort(Functions(), [&](const PortAnswer& answer) {
            seen.push_back(PortName(static_cast<std::uint32_t>(answer.number)) + " " +
                           std::to_string(LowWord(answer.modelStatus)) + " " + std::string(answer.model));
            return decide(answer);
        });
        return seen;
    }
};

TEST_F(PrinterPorts, OpensEveryDiscoveryPortInOrderAndClosesEachThatOpened) {
    fake.printers[UsbPort(2)] = {status::kSuccess, "VK-572D"};
    fake.printers[ParallelPort(1)] = {0x1000, "ignored"};
    fake.printers[UsbPort(127)] = {0x12340001, "VK-2240II"};
    std::optional<std::int16_t> kept;
    const auto seen = Walk([](const PortAnswer&) { return AfterAnswer::CloseAndGoOn; }, &kept);
    EXPECT_EQ(seen, (std::vector<std::string>{"USB2 1 VK-572D", "USB127 1 VK-2240II", "LPT1 4096 "}));
    EXPECT_EQ(kept, std::nullopt);
    ASSERT_EQ(fake.opened.size(), 130u);
    for (std::size_t i = 0; i < fake.opened.size(); ++i) {
        EXPECT_EQ(fake.opened[i], 0x0401u + i);
    }
    EXPECT_EQ(fake.closed, (std::vector<std::uint32_t>{0x0402, 0x047F, 0x0480}));
}

TEST_F(PrinterPorts, StopsAtThePortTheVisitorKeepsAndLeavesItOpen) {
    fake.printers[UsbPort(3)] = {0x1000, ""};
    fake.printers[ParallelPort(2)] = {status::kSuccess, "VK-572D"};
    fake.printers[ParallelPort(3)] = {status::kSuccess, "VK-2240II"};
    std::optional<std::int16_t> kept;
    const auto seen = Walk(
        [](const PortAnswer& answer) {
            return Succeeded(answer.modelStatus) ? AfterAnswer::KeepOpenAndStop : AfterAnswer::CloseAndGoOn;
        },
        &kept);
    EXPECT_EQ(seen, (std::vector<std::string>{"USB3 4096 ", "LPT2 1 VK-572D"}));
    EXPECT_EQ(kept, std::optional<std::int16_t>(0x0481));
    EXPECT_EQ(fake.open, 0x0481u);
    EXPECT_EQ(fake.opened.back(), 0x0481u);
    EXPECT_EQ(fake.closed, std::vector<std::uint32_t>{0x0403});
}

TEST_F(PrinterPorts, EachModelIsReadFromAFreshBufferUpToItsLastByte) {
    // A name that fills the whole buffer, then a short one: nothing of the first may show in the second,
    // and the last byte of the buffer is never part of a name.
    fake.printers[UsbPort(1)] = {status::kSuccess, std::string(kModelNameBufferSize, 'x')};
    fake.printers[UsbPort(2)] = {status::kSuccess, "AB"};
    std::vector<std::string> models;
    ForEachPrinterPort(Functions(), [&](const PortAnswer& answer) {
        models.emplace_back(answer.model);
        return AfterAnswer::CloseAndGoOn;
    });
    EXPECT_EQ(models, (std::vector<std::string>{std::string(kModelNameBufferSize - 1, 'x'), "AB"}));
}

TEST_F(PrinterPorts, AskModelSetsTheNameOnlyWhenThePrinterNamedIt) {
    fake.printers[UsbPort(1)] = {status::kSuccess, "VK-572D"};
    fake.printers[UsbPort(2)] = {0x1000, "VK-2240II"};
    const PlexerPortFunctions functions = Functions();
    std::string model = "before";
    fake.open = UsbPort(2);
    EXPECT_EQ(AskModel(functions, &model), 0x1000u);
    EXPECT_EQ(model, "before");
    fake.open = UsbPort(1);
    EXPECT_EQ(AskModel(functions, &model), status::kSuccess);
    EXPECT_EQ(model, "VK-572D");
}

}  // namespace
}  // namespace portselect
