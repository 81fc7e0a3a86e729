// The open-file dialog answered by the scripted technician: a path, a cancel, and a dialog nobody
// expected. Without a scenario the headless back-end cancels, so no test can block on it.
#include <gtest/gtest.h>

#include "HeadlessFixture.h"
#include "testsupport/TemporaryFolder.h"
#include "ui/OpenFileDialog.h"
#include "ui/Scenario.h"

namespace {

using OpenFileDialog = uitest::HeadlessTest;

const ui::OpenFileRequest kRequest{"Choose", "Firmware files (*.rcc)|*.rcc", "RCC"};

TEST_F(OpenFileDialog, TheScenarioChoosesAPathOrCancelsInTurn) {
    std::string error;
    auto scenario = ui::Scenario::Parse("file \"C:\\\\fw\\\\main 2.rcc\"\nfile cancel\n", &error);
    ASSERT_TRUE(scenario.has_value()) << error;
    headless_.AttachScenario(&*scenario);
    std::string path = "unchanged";
    EXPECT_TRUE(ui::ChooseFileToOpen(nullptr, kRequest, &path));
    EXPECT_EQ(path, "C:\\fw\\main 2.rcc");
    path = "unchanged";
    EXPECT_FALSE(ui::ChooseFileToOpen(nullptr, kRequest, &path));
    EXPECT_EQ(path, "unchanged");
    // A third dialog was never expected: cancelled, and the scenario says so.
    EXPECT_FALSE(ui::ChooseFileToOpen(nullptr, kRequest, &path));
    headless_.AttachScenario(nullptr);
    EXPECT_EQ(scenario->Failures().size(), 1u);
    EXPECT_TRUE(scenario->Finished());
}

TEST_F(OpenFileDialog, AFileStepWhereNoDialogIsOpenFailsAndAStrayDialogCancels) {
    std::string error;
    auto scenario = ui::Scenario::Parse("file \"a.rcc\"\nclick 1\n", &error);
    ASSERT_TRUE(scenario.has_value()) << error;
    scenario->RunNextStep();
    ASSERT_EQ(scenario->Failures().size(), 1u);
    EXPECT_NE(scenario->Failures()[0].find("no open-file dialog"), std::string::npos);
    EXPECT_FALSE(ui::Scenario::Parse("file", &error).has_value());
    EXPECT_EQ(error, "line 1: a text in double quotes is missing");

    std::string path;
    EXPECT_FALSE(ui::ChooseFileToOpen(nullptr, kRequest, &path));
    EXPECT_EQ(path, "");
}

TEST_F(OpenFileDialog, TheSaveDialogAddsTheExtensionAndAsksBeforeReplacingAFile) {
    testsupport::TemporaryFolder folder("tolv-save");
    folder.Write("kept.eep", "backup");
    const std::string there = folder.File("kept.eep");
    const ui::SaveFileRequest request{"", "EEP File (*.eep)|*.eep||", "*.eep", true};
    // A path in a scenario's quoted text, its backslashes written twice.
    auto step = [](const std::string& path) {
        std::string text = "file \"";
        for (const char c : path) {
            text += c == '\\' ? std::string("\\\\") : std::string(1, c);
        }
        text += "\"\n";
        return text;
    };
    std::string error;
    const std::string script = step(folder.File("new")) +      // no extension
                               step(there) + "answer no\n" +   // keep it
                               step(there) + "answer yes\n" +  // replace it
                               "file cancel\n";
    auto scenario = ui::Scenario::Parse(script, &error);
    ASSERT_TRUE(scenario.has_value()) << error;
    headless_.AttachScenario(&*scenario);
    std::string path = "unchanged";
    EXPECT_TRUE(ui::ChooseFileToSave(nullptr, request, &path));
    EXPECT_EQ(path, folder.File("new.eep"));
    path = "unchanged";
    EXPECT_FALSE(ui::ChooseFileToSave(nullptr, request, &path));
    EXPECT_EQ(path, "unchanged");
    EXPECT_TRUE(ui::ChooseFileToSave(nullptr, request, &path));
    EXPECT_EQ(path, there);
    EXPECT_FALSE(ui::ChooseFileToSave(nullptr, request, &path));
    headless_.AttachScenario(nullptr);
    EXPECT_TRUE(scenario->Finished() && scenario->Failures().empty()) << scenario->Report();

    // Without a scenario the headless back-end cancels.
    EXPECT_FALSE(ui::ChooseFileToSave(nullptr, request, &path));
}

TEST(DefaultExtension, IsAddedOnlyToANameWithoutOne) {
    using ui::detail::WithDefaultExtension;
    EXPECT_EQ(ui::detail::BareExtension("*.eep"), "eep");
    EXPECT_EQ(ui::detail::BareExtension(".eep"), "eep");
    EXPECT_EQ(ui::detail::BareExtension("RCC"), "RCC");
    EXPECT_EQ(WithDefaultExtension("C:\\backup\\printer", "*.eep"), "C:\\backup\\printer.eep");
    EXPECT_EQ(WithDefaultExtension("C:\\backup.d\\printer", "*.eep"), "C:\\backup.d\\printer.eep");
    EXPECT_EQ(WithDefaultExtension("/tmp/a.bin", "*.eep"), "/tmp/a.bin");
    EXPECT_EQ(WithDefaultExtension("a", ""), "a");
}

}  // namespace
