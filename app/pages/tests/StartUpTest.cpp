// The binding the program makes first, and the model preamble that rides on it: which selected model
// gets it.
#include <gtest/gtest.h>

#include "BoundPrinterFixture.h"
#include "config/CTolvAppParam.h"
#include "config/CTolvPrnParam.h"
#include "pages/StartUpBinding.h"
#include "patterns/SelectedPrinter.h"
#include "printer/SendModelPreamble.h"
#include "ui/CDialog.h"
#include "ui/Headless.h"

namespace printertest {
namespace {

int endedWith = -1;
void RecordEnd(int exitCode) {
    endedWith = exitCode;
}

class StartUp : public ::testing::Test {
protected:
    StartUp() { pages::SetProgramEnd(RecordEnd); }
    ~StartUp() override {
        pages::SetProgramEnd(nullptr);
        CPortLibraryBinder::UnbindLibraries();
    }
    ui::HeadlessBackend headless;
    ui::ScopedBackend useHeadless{headless};
};

TEST_F(StartUp, WithoutTheChannelLibraryTheProgramSaysSoAndEnds) {
    endedWith = -1;
    EXPECT_FALSE(pages::BindPortLibrariesAtStartUp("Plexer.dll", "NoSuchChannelLibrary.dll"));
    ASSERT_EQ(headless.MessageBoxes().size(), 1u);
    EXPECT_EQ(headless.MessageBoxes()[0].text, "Cannot fount DLL files.\nThis program is exit.");
    EXPECT_EQ(headless.MessageBoxes()[0].caption, "error");
    EXPECT_EQ(headless.MessageBoxes()[0].icon, ui::BoxIcon::Stop);
    EXPECT_EQ(endedWith, pages::kExitLibrariesMissing);
}

TEST_F(StartUp, WithBothLibrariesNothingIsShown) {
    endedWith = -1;
    EXPECT_TRUE(pages::BindPortLibrariesAtStartUp());
    EXPECT_TRUE(headless.MessageBoxes().empty());
    EXPECT_EQ(endedWith, -1);
}

class ModelPreamble : public BoundPrinter {
protected:
    void SetUp() override {
        BoundPrinter::SetUp();
        savedIndex = CTolvAppParam::Instance()->nCustomerIndex;
        savedId = CTolvPrnParam::Instance()->customer[1].strDeviceID;
        savedPreambleId = CTolvPrnParam::Instance()->strPreambleDeviceID;
        savedPort = CTolvAppParam::Instance()->strPortName;
        CTolvAppParam::Instance()->strPortName = "USB1";
        // The profile row of a model that must be told its model.
        CTolvPrnParam::Instance()->strPreambleDeviceID = "ORLEX VK-418RT";
    }
    void TearDown() override {
        CTolvAppParam::Instance()->nCustomerIndex = savedIndex;
        CTolvPrnParam::Instance()->customer[1].strDeviceID = savedId;
        CTolvPrnParam::Instance()->strPreambleDeviceID = savedPreambleId;
        CTolvAppParam::Instance()->strPortName = savedPort;
        BoundPrinter::TearDown();
    }
    void SelectCustomer(int index, const std::string& deviceId) {
        CTolvAppParam::Instance()->nCustomerIndex = index;
        if (index >= 0 && index < CTolvPrnParam::kCustomerSlots) {
            CTolvPrnParam::Instance()->customer[index].strDeviceID = deviceId;
        }
    }
    int savedIndex = 0;
    std::string savedId;
    std::string savedPreambleId;
    std::string savedPort;
};

TEST_F(ModelPreamble, TheModelThatNeedsItGetsExactlyTheSixBytesAndThePortIsClosedAgain) {
    SelectCustomer(1, "ORLEX VK-418RT");
    SendModelPreamble(patterns::SelectedPrinter());
    EXPECT_EQ(ports.Written("USB1"), (std::vector<std::uint8_t>{0x1C, 0x28, 0x45, 0x01, 0x00, 0x01}));
    EXPECT_TRUE(printer->Core().State().modelPreambleSeen);
    EXPECT_EQ(ports.OpenNow("USB1"), 0);
}

TEST_F(ModelPreamble, OtherModelsAndIndexesOutsideTheListSendNothing) {
    for (const auto& [index, id] : std::vector<std::pair<int, std::string>>{
             {1, "ORLEX VK-418RT "}, {1, "orlex vk-418rt"}, {1, ""}, {-1, ""}, {15, ""}}) {
        SelectCustomer(index, id);
        SendModelPreamble(patterns::SelectedPrinter());
    }
    EXPECT_TRUE(ports.Written("USB1").empty());
    EXPECT_EQ(ports.OpenCount("USB1"), 0);
}

TEST_F(ModelPreamble, AProfileWithoutTheRowSendsItToNoModel) {
    CTolvPrnParam::Instance()->strPreambleDeviceID.clear();
    for (const char* id : {"ORLEX VK-418RT", ""}) {
        SelectCustomer(1, id);
        SendModelPreamble(patterns::SelectedPrinter());
    }
    EXPECT_TRUE(ports.Written("USB1").empty());
    EXPECT_EQ(ports.OpenCount("USB1"), 0);
}

TEST_F(ModelPreamble, APortThatDoesNotOpenGetsNothing) {
    SelectCustomer(1, "ORLEX VK-418RT");
    ports.Control("USB1", "offline=refuse");
    SendModelPreamble(patterns::SelectedPrinter());
    EXPECT_TRUE(ports.Written("USB1").empty());
    EXPECT_EQ(ports.OpenNow("USB1"), 0);
}

}  // namespace
}  // namespace printertest
