// The print test page driven by the scripted technician against the virtual printer: which test
// sequences it offers per paper width, what Print sends, and the run that Readjust asks for.
#include <cstdint>
#include <span>
#include <string>
#include <utility>
#include <vector>

#include "ServicePageFixture.h"
#include "config/CTolvLangText.h"
#include "config/CTolvPrnParam.h"
#include "pages/CHeronPrintTestPage.h"
#include "pages/ReadjustRequest.h"
#include "patterns/IJobMessages.h"
#include "patterns/PrintJobStarter.h"
#include "testsupport/ScopedWindow.h"
#include "ui/CDialog.h"
#include "vprinter/model/IPrintSink.h"

namespace pagetest {
namespace {

using Bytes = std::vector<std::uint8_t>;

const char kPrinterReady[] = "click 1@176\n";
const char kFinish[] = "click 12325\n";

// The print data the printer took, the transport stripped off.
class PrintedData : public vprinter::IPrintSink {
public:
    void PrintData(std::span<const std::uint8_t> bytes) override {
        data.insert(data.end(), bytes.begin(), bytes.end());
    }
    void ModeFlag(std::uint8_t) override {}
    void EndOfJob() override {}
    Bytes Take() { return std::exchange(data, {}); }
    Bytes data;
};

// The window that starts runs, as the main window does: it takes the run when the message arrives.
class RunStarter : public ui::CDialog {
public:
    RunStarter() : CDialog(102) {}
    void OnPostedMessage(int code, long, long) override {
        if (code == pages::kPostedReadjust) {
            runs.push_back(pages::TakeReadjustRun());
        }
    }
    std::vector<std::vector<int>> runs;
};

class PrintTestPageTest : public ServicePageTest {
protected:
    PrintTestPageTest() {
        starter_.Create(nullptr);
        pages::SetReadjustWindow(starter_);
        printer_->Core().SetSink(&printed_);
    }
    ~PrintTestPageTest() override {
        printer_->Core().SetSink(nullptr);
        pages::SetReadjustWindow(nullptr);
    }

    // The print data of the engine's job run on its own.
    Bytes JobPrint(int selector, int item) {
        class Silent : public patterns::IJobMessages {
        public:
            int Show(const std::string&, int) override { return patterns::kAnswerOk; }
        } silent;
        printed_.Take();
        patterns::PrintJobRecord job;
        patterns::StartPrintJobFromConfig(silent, selector, item, job);
        EXPECT_FALSE(job.Failed());
        return printed_.Take();
    }

    PrintedData printed_;
    testsupport::ScopedWindow<RunStarter> starter_;
};

TEST_F(PrintTestPageTest, TheGeneralItemListsTheNarrowSequencesAndWaitsForAChoice) {
    CHeronPrintTestPage page(patterns::kAllPrintTests);
    Run(page,
        "expect-rows 1186 4\nexpect-enabled 1186 yes\nexpect-enabled 1127 no\n"
        "expect-visible 1009 yes\nexpect-visible 1128 yes\nexpect-visible 1135 yes\nexpect-visible 1136 yes\n"
        "expect-visible 1137 no\nexpect-visible 1189 no\n"
        "select 1186 \"Passbook\"\nexpect-enabled 1127 yes\n" +
            std::string(kFinish));
    // Nothing was printed before Print.
    EXPECT_EQ(ports_.OpenCount("USB1"), 0);
}

TEST_F(PrintTestPageTest, AWidePrinterOffersThePitchTestsAndASingleSequenceIsChosenAlready) {
    CTolvPrnParam::Instance()->nColumn = 136;
    CHeronPrintTestPage general(patterns::kAllPrintTests);
    Run(general,
        "expect-rows 1186 5\nselect 1186 #4\nexpect-selection 1186 \"Pitch x20\"\n" + std::string(kFinish));

    CHeronPrintTestPage single(4);
    Run(single,
        "expect-rows 1186 1\nexpect-selection 1186 \"FF Paper(1P)\"\nexpect-enabled 1186 no\n"
        "expect-enabled 1127 yes\nexpect-visible 1009 no\nexpect-visible 1128 no\n" +
            std::string(kFinish));
}

TEST_F(PrintTestPageTest, PrintRunsTheSelectedSequenceOnThePrinter) {
    const Bytes ffPaper = JobPrint(1, 2);
    const Bytes passbook = JobPrint(1, 3);
    ASSERT_FALSE(ffPaper.empty());
    ASSERT_NE(ffPaper, passbook);

    CHeronPrintTestPage page(patterns::kAllPrintTests);
    Run(page, "select 1186 \"Passbook\"\nclick 1127\n" + std::string(kPrinterReady) + kFinish);
    EXPECT_EQ(printed_.Take(), passbook);

    CHeronPrintTestPage single(4);
    Run(single, "click 1127\n" + std::string(kPrinterReady) + kFinish);
    EXPECT_EQ(printed_.Take(), ffPaper);
}

TEST_F(PrintTestPageTest, PrintWithoutASequenceOfThisWidthStartsNoJob) {
    // The wide printer's pitch test on a narrow printer: the list is empty, Print only waits.
    CHeronPrintTestPage page(8);
    Run(page,
        "expect-rows 1186 0\nexpect-enabled 1127 yes\nclick 1127\n" + std::string(kPrinterReady) + kFinish);
    EXPECT_TRUE(printed_.Take().empty());
}

TEST_F(PrintTestPageTest, ReadjustPostsTheRunInSequenceOrderAndLeavesThePageToReturn) {
    folder_.Write(
        "Parameter/VK-572D/English.mnu",
        "[SEQUENCE]\r\nstrSequence=404,402,403,100,406,101,105,106,107,102,103,104,301,302,303,200\r\n");
    CTolvLangText::Instance()->SetProfile("VK-572D");
    CHeronPrintTestPage page(patterns::kAllPrintTests);
    // Bi-d ticked before PG: the run still adjusts the platen gap first.
    Run(page, "click 1136\nclick 1135\nclick 1128\n" + std::string(kFinish));
    ASSERT_EQ(starter_.runs.size(), 1u);
    EXPECT_EQ(starter_.runs[0], (std::vector<int>{101, 102, 200}));
    // Nothing touched the printer.
    EXPECT_EQ(ports_.OpenCount("USB1"), 0);
}

TEST_F(PrintTestPageTest, AReadjustRunStartsOnlyOnceTheMessagesAreDispatched) {
    ASSERT_TRUE(pages::PostReadjust({101, 200}));
    EXPECT_TRUE(starter_.runs.empty());
    ui::PumpWaitingMessages();
    ASSERT_EQ(starter_.runs.size(), 1u);
    EXPECT_EQ(starter_.runs[0], (std::vector<int>{101, 200}));
    // The slot was emptied: nothing runs twice.
    EXPECT_TRUE(pages::TakeReadjustRun().empty());

    pages::SetReadjustWindow(nullptr);
    EXPECT_FALSE(pages::PostReadjust({101}));
    EXPECT_TRUE(pages::TakeReadjustRun().empty());
}

}  // namespace
}  // namespace pagetest
