// The message seam and the OS version record.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "BuildPlatform.h"
#include "platform/MessageBox.h"
#include "platform/OsVersion.h"

namespace platform {
namespace {

class RecordingPresenter : public IMessagePresenter {
public:
    MessageAnswer Show(const std::string& text, MessageIcon icon, MessageButtons buttons) override {
        texts.push_back(text);
        lastIcon = icon;
        lastButtons = buttons;
        return MessageAnswer::No;
    }
    std::vector<std::string> texts;
    MessageIcon lastIcon = MessageIcon::None;
    MessageButtons lastButtons = MessageButtons::Ok;
};

TEST(ShowMessage, GoesThroughTheInstalledPresenter) {
    RecordingPresenter recorder;
    SetMessagePresenter(&recorder);
    EXPECT_EQ(ShowMessage("Cannot fount DLL files.\nThis program is exit.", MessageIcon::Stop,
                          MessageButtons::YesNo),
              MessageAnswer::No);
    SetMessagePresenter(nullptr);
    ASSERT_EQ(recorder.texts.size(), 1u);
    EXPECT_EQ(recorder.texts[0], "Cannot fount DLL files.\nThis program is exit.");
    EXPECT_EQ(recorder.lastIcon, MessageIcon::Stop);
    EXPECT_EQ(recorder.lastButtons, MessageButtons::YesNo);
}

TEST(ShowMessage, DefaultOnLinuxWritesStandardErrorAndGoesOn) {
    if (tests::kWindowsBuild) {
        GTEST_SKIP() << "the Windows default shows a real message box";
    }
    ::testing::internal::CaptureStderr();
    MessageAnswer answer = ShowMessage("Paper out", MessageIcon::Question, MessageButtons::YesNo);
    std::string written = ::testing::internal::GetCapturedStderr();
    EXPECT_EQ(answer, MessageAnswer::Yes);
    EXPECT_EQ(written, "Paper out\n");
    EXPECT_EQ(ShowMessage("Done"), MessageAnswer::Ok);
}

TEST(GetOsVersion, FillsTheRecord) {
    EXPECT_FALSE(GetOsVersion(nullptr));
    OsVersionInfo info;
    ASSERT_TRUE(GetOsVersion(&info));
    EXPECT_GT(info.majorVersion, 0u);
    EXPECT_EQ(info.platformId, tests::kWindowsBuild ? kPlatformNt : kPlatformLinux);
}

}  // namespace
}  // namespace platform
