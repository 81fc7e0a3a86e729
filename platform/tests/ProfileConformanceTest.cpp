// Runs the conformance table against every private-profile implementation of the build: in the
// Windows build the real Win32 functions and our PortableProfile, natively PortableProfile directly
// and through PrivateProfile.h.
#include <gtest/gtest.h>

#include <cctype>
#include <cstring>
#include <memory>
#include <string>

#include "BuildPlatform.h"
#include "ProfileConformanceCases.h"
#include "platform/PortableProfile.h"
#include "platform/PrivateProfile.h"
#include "testsupport/TemporaryFolder.h"

namespace platform::tests {
namespace {

using testsupport::ReadBytes;
using testsupport::TemporaryFolder;
using testsupport::WriteBytes;

struct ProfileImplementation {
    const char* name;
    bool isWin32;
    std::uint32_t (*readString)(const char*, const char*, const char*, char*, std::uint32_t, const char*);
    std::uint32_t (*readInt)(const char*, const char*, int, const char*);
    bool (*write)(const char*, const char*, const char*, const char*);
};

const ProfileImplementation kImplementations[] = {
    {"PrivateProfile", kWindowsBuild, &platform::ProfileReadString, &platform::ProfileReadInt,
     &platform::ProfileWriteString},
    {"PortableProfile", false, &platform::portable::ProfileReadString, &platform::portable::ProfileReadInt,
     &platform::portable::ProfileWriteString},
};

std::string Printable(const std::string& bytes) {
    std::string text;
    for (unsigned char c : bytes) {
        if (c >= 0x20 && c < 0x7F && c != '\\') {
            text.push_back(static_cast<char>(c));
        } else {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\x%02X", c);
            text += escaped;
        }
    }
    return text;
}

class ProfileConformance : public ::testing::TestWithParam<std::tuple<int, std::size_t>> {
public:
    static void SetUpTestSuite() { folder_ = std::make_unique<TemporaryFolder>("tolvane-profile"); }
    static void TearDownTestSuite() { folder_.reset(); }

protected:
    const ProfileImplementation& Implementation() const { return kImplementations[std::get<0>(GetParam())]; }
    const ProfileCase& Case() const { return ProfileConformanceCases()[std::get<1>(GetParam())]; }

    // Every case has a file name of its own: Windows keeps profile files it has read in a cache.
    std::string CasePath() const {
        std::string name =
            std::string(Implementation().name) + "-" + std::to_string(std::get<1>(GetParam())) + ".ini";
        return Case().inMissingFolder ? folder_->File("no such folder") + "\\" + name : folder_->File(name);
    }

    static std::unique_ptr<TemporaryFolder> folder_;
};

std::unique_ptr<TemporaryFolder> ProfileConformance::folder_;

TEST_P(ProfileConformance, GivesTheResultWrittenInTheTable) {
    const ProfileImplementation& implementation = Implementation();
    const ProfileCase& c = Case();
    const WineDeviation* wine = implementation.isWin32 && c.wine.reason != nullptr ? &c.wine : nullptr;
    if (wine != nullptr) {
        RecordProperty("wine_deviation", wine->reason);
    }
    std::string path = CasePath();
    if (c.file) {
        WriteBytes(path, *c.file);
    }
    std::uint32_t expectedResult = wine && wine->result ? *wine->result : c.result;
    switch (c.call) {
        case ProfileCall::ReadString: {
            char buffer[512];
            std::memset(buffer, '~', sizeof buffer);
            std::uint32_t result =
                implementation.readString(c.section, c.key, c.text, buffer, c.size, path.c_str());
            EXPECT_EQ(result, expectedResult);
            const std::string& expected = wine && wine->returned ? *wine->returned : c.returned;
            EXPECT_EQ(Printable(std::string(buffer, expected.size())), Printable(expected));
            if (c.size > 0) {
                EXPECT_EQ(buffer[result], '\0') << "the text must end in a NUL";
            }
            break;
        }
        case ProfileCall::ReadInt:
            EXPECT_EQ(implementation.readInt(c.section, c.key, c.intDefault, path.c_str()), expectedResult);
            break;
        case ProfileCall::Write: {
            bool written = implementation.write(c.section, c.key, c.text, path.c_str());
            EXPECT_EQ(written ? 1u : 0u, expectedResult);
            bool exists = std::filesystem::exists(path);
            if (c.fileMissingAfter) {
                EXPECT_FALSE(exists);
            }
            const std::optional<std::string>& fileAfter =
                wine && wine->fileAfter ? wine->fileAfter : c.fileAfter;
            if (fileAfter && !(wine && wine->fileUnchecked)) {
                EXPECT_EQ(Printable(ReadBytes(path)), Printable(*fileAfter));
            }
            if (c.readBack != nullptr) {
                char buffer[256];
                implementation.readString(c.section, c.key, "(none)", buffer, sizeof buffer, path.c_str());
                EXPECT_STREQ(buffer, c.readBack);
            }
            break;
        }
    }
}

std::string CaseName(const ::testing::TestParamInfo<std::tuple<int, std::size_t>>& info) {
    std::string name = std::string(kImplementations[std::get<0>(info.param)].name) + "_" +
                       std::to_string(std::get<1>(info.param)) + "_";
    for (const char* p = ProfileConformanceCases()[std::get<1>(info.param)].name; *p != '\0'; ++p) {
        name.push_back(std::isalnum(static_cast<unsigned char>(*p)) ? *p : '_');
    }
    return name;
}

INSTANTIATE_TEST_SUITE_P(
    Table, ProfileConformance,
    ::testing::Combine(::testing::Range(0, static_cast<int>(std::size(kImplementations))),
                       ::testing::Range(std::size_t{0}, ProfileConformanceCases().size())),
    CaseName);

}  // namespace
}  // namespace platform::tests
