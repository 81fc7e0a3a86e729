// The message seam and the OS version record.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "BuildPlatform.h"
#include "platform/MessageBox.h"
#include "platform/OsVersion.h"
#include "testsupport/MessageRecorder.h"

namespace platform {
namespace {

TEST(ShowMessage, GoesThroughTheInstalledPresenter) {
    {
        testsupport::MessageRecorder recorder(MessageAnswer::No);
        EXPECT_EQ(ShowMessage("Cannot fount DLL files.\nThis program is exit.", MessageIcon::Stop,
                              MessageButtons::YesNo),
                  MessageAnswer::No);
        ASSERT_EQ(recorder.Messages().size(), 1u);
        const testsupport::RecordedMessage& shown = recorder.Messages()[0];
        EXPECT_EQ(shown.text, "Cannot fount DLL files.\nThis program is exit.");
        EXPECT_EQ(shown.encoding, TextEncoding::Program);
        EXPECT_EQ(shown.icon, MessageIcon::Stop);
        EXPECT_EQ(shown.buttons, MessageButtons::YesNo);
    }
    // The recorder is gone: the default presenter answers again.
    if (!tests::kWindowsBuild) {
        ::testing::internal::CaptureStderr();
        EXPECT_EQ(ShowMessage("Done", MessageIcon::None, MessageButtons::YesNo), MessageAnswer::Yes);
        ::testing::internal::GetCapturedStderr();
    }
}

TEST(ShowMessage, TellsThePresenterWhereTheBytesComeFrom) {
    testsupport::MessageRecorder recorder;
    // These bytes are valid UTF-8 and begin a Shift-JIS character as well: only the caller knows
    // which they are.
    ShowMessage("\xE3\x81\x82", TextEncoding::LanguageFile, MessageIcon::Information);
    ShowMessage("\xE3\x81\x82", MessageIcon::Information);
    ASSERT_EQ(recorder.Messages().size(), 2u);
    EXPECT_EQ(recorder.Messages()[0].encoding, TextEncoding::LanguageFile);
    EXPECT_EQ(recorder.Messages()[1].encoding, TextEncoding::Program);
}

TEST(ScopedMessagePresenter, RestoresThePresenterItReplaced) {
    testsupport::MessageRecorder outer;
    {
        testsupport::MessageRecorder inner;
        ShowMessage("inner");
        EXPECT_EQ(inner.Texts(), std::vector<std::string>{"inner"});
    }
    ShowMessage("outer");
    EXPECT_EQ(outer.Texts(), std::vector<std::string>{"outer"});
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
