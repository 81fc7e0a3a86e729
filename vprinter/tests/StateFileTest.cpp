#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>

#include "PrinterTestSupport.h"
#include "testsupport/TemporaryFolder.h"
#include "vprinter/model/StateFile.h"

namespace {

using namespace vprintertest;

class StateFile : public ::testing::Test {
protected:
    testsupport::TemporaryFolder folder{"vprinter-state"};
    vprinter::StateStore store{folder.Path()};
    std::ostringstream report;
};

TEST_F(StateFile, SaveAndLoadRoundTripEepromCountersAndTimingErrors) {
    vprinter::PrinterCore saved(Profile("VK-2240II"), "LPT2", nullptr);
    saved.EepromImage().Write(0x1FE, 0x42);
    saved.State().hiddenTimingError = {4, 0, -5};
    saved.State().romVersion = "2.01";
    saved.PrintData(Text("\n\n"));
    ASSERT_TRUE(store.Save(saved, report)) << report.str();
    EXPECT_FALSE(saved.Dirty());
    EXPECT_FALSE(std::filesystem::exists(store.PathOf("LPT2") + ".tmp"));

    vprinter::PrinterCore loaded(Profile("VK-2240II"), "LPT2", nullptr);
    store.Load(loaded, report);
    EXPECT_EQ(loaded.State().eeprom, saved.State().eeprom);
    EXPECT_EQ(loaded.State().hiddenTimingError, saved.State().hiddenTimingError);
    EXPECT_EQ(loaded.State().romVersion, "2.01");
    EXPECT_EQ(loaded.State().linesFed, 2u);
    EXPECT_EQ(report.str(), "");
}

TEST_F(StateFile, DamagedFilesAreReportedSetAsideAndReplacedByFactoryDefaults) {
    vprinter::PrinterCore core(Profile("VK-572D"), "USB1", nullptr);
    const std::vector<std::uint8_t> factory = core.State().eeprom;
    core.EepromImage().Write(0x30, 0x99);
    const std::string good = vprinter::EncodeState(core);
    std::string flipped = good;
    flipped[good.find("eeprom") + 20] ^= 0x01;
    const std::string damaged[] = {good.substr(0, good.size() / 2), flipped, "", std::string(5000, '\xFF'),
                                   "tolvane-vprinter-state 1\ncrc32 00000000\n"};
    for (const std::string& text : damaged) {
        testsupport::WriteBytes(store.PathOf("USB1"), text);
        vprinter::PrinterCore loaded(Profile("VK-572D"), "USB1", nullptr);
        std::ostringstream out;
        store.Load(loaded, out);
        EXPECT_EQ(loaded.State().eeprom, factory);
        EXPECT_NE(out.str().find("is damaged"), std::string::npos);
        EXPECT_FALSE(std::filesystem::exists(store.PathOf("USB1")));
    }
    EXPECT_TRUE(std::filesystem::exists(store.PathOf("USB1") + ".damaged"));
    EXPECT_TRUE(std::filesystem::exists(store.PathOf("USB1") + ".damaged-5"));
}

TEST_F(StateFile, AFileOfAnotherModelOrPortIsNotTaken) {
    vprinter::PrinterCore narrow(Profile("VK-572D"), "USB1", nullptr);
    std::string problem;
    vprinter::PrinterCore wide(Profile("VK-2240II"), "USB1", nullptr);
    EXPECT_FALSE(vprinter::DecodeState(vprinter::EncodeState(narrow), wide, &problem));
    EXPECT_EQ(problem, "it holds another model");
    vprinter::PrinterCore other(Profile("VK-572D"), "USB2", nullptr);
    EXPECT_FALSE(vprinter::DecodeState(vprinter::EncodeState(narrow), other, &problem));
}

TEST_F(StateFile, AMissingFolderIsMadeAndAnUnwritableOneIsReportedNotFatal) {
    vprinter::PrinterCore core(Profile("VK-572D"), "USB1", nullptr);
    vprinter::StateStore missing(folder.File("missing/deeper"));
    EXPECT_TRUE(missing.Save(core, report)) << report.str();
    EXPECT_TRUE(std::filesystem::exists(missing.PathOf("USB1")));

    // A folder below a plain file can be neither made nor written, whoever runs the test.
    folder.Write("plain-file", "x");
    vprinter::StateStore nowhere(folder.File("plain-file/state"));
    EXPECT_FALSE(nowhere.Save(core, report));
    EXPECT_NE(report.str().find("not saved"), std::string::npos);
}

}  // namespace
