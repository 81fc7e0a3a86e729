// The full factory test as the program runs it: the engine and the device-driver library against a
// VK-572D of the vprinter server over loopback TCP (in the Windows build, under Wine), checked at the
// printer: the pages it printed, the customer's bytes in its EEPROM.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "config/CTolvLangText.h"
#include "config/ConfigurationScope.h"
#include "patterns/OverprintFlag.h"
#include "patterns/PrintJobRunner.h"
#include "platform/Clock.h"
#include "testsupport/TemporaryFolder.h"
#include "vprinter/server/LoopbackPrinters.h"

namespace {

class AnsweringOk : public patterns::IJobMessages {
public:
    int Show(const std::string& text, int) override {
        shown += text;
        return patterns::kAnswerOk;
    }
    std::string shown;
};

class FactoryTestOverTcp : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(printers.Ok()) << printers.Error();
        printers.InstallAsDeviceBackend();
    }

    std::string Control(const std::string& words) {
        std::string answer;
        EXPECT_EQ(printers.Control("USB1", words, &answer), platform::VirtualPrinterClient::Result::Ok)
            << answer;
        return answer;
    }

    int PagesPrinted() const {
        int pages = 0;
        for (const auto& entry : std::filesystem::directory_iterator(prints.Root())) {
            if (entry.path().extension() == ".png") {
                ++pages;
            }
        }
        return pages;
    }

    platform::VirtualClock clock;
    platform::ScopedClock scopedClock{clock};
    config::ScopedConfiguration configuration;
    testsupport::TemporaryFolder prints{"tolv-engine-prints"};
    vprinter::LoopbackPrinters printers{{"USB1=VK-572D"}, "", {"--print-dir", prints.Path()}};
};

TEST_F(FactoryTestOverTcp, PrintsThePagesWritesTheCustomerBytesAndClearsTheOverprintFlag) {
    Control("poke=0x21:0x77 poke=0x26:0x77");
    patterns::SetOverprintPending(true);

    // The VK-572D's profile with its first customer.
    patterns::PatternModel model;
    model.firstIdByte = 0x57;
    model.secondIdByte = 0x2D;
    model.columns = 80;
    model.usbSerialAddress = 0xE0;
    model.customerAddresses = {0x20, 0x21, 0x22, 0x23, 0x24, 0x25, 0x26, 0x27, -1};
    model.customerValues = {0x01, 0x05, 0x00, 0x02, 0x00, 0xE0, 0x10, 0x00};
    AnsweringOk technician;
    const patterns::PrintJobContext context{model, 0, technician, *CTolvLangText::Instance()};
    patterns::PrintJobRecord job;
    job.selector = 1;
    job.item = 2;
    job.portIndex = 11;
    job.usbSerialText = "VPRTUSB1";
    patterns::RunPrintJob(context, job);

    EXPECT_EQ(job.item, 2);
    EXPECT_EQ(technician.shown, "");
    EXPECT_FALSE(patterns::OverprintPending());
    EXPECT_NE(Control("peek=0x21").find("peek=0x21:0x05"), std::string::npos);
    EXPECT_NE(Control("peek=0x26").find("peek=0x26:0x10"), std::string::npos);
    EXPECT_GE(PagesPrinted(), 1);
}

}  // namespace
