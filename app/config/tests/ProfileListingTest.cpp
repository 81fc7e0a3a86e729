#include <string>
#include <vector>

#include "ConfigTest.h"
#include "config/ProfileListing.h"

namespace {

using ProfileListingTest = ConfigTest;

TEST_F(ProfileListingTest, ListsProfileFoldersCutBeforeTheirLastDot) {
    folder_.Write("Parameter/VK-572D/English.mnu", "");
    folder_.Write("Parameter/VK-2240.v2/English.mnu", "");
    folder_.Write("Parameter/.hidden/English.mnu", "");
    folder_.Write("Parameter/.profile/English.mnu", "");
    folder_.Write("Parameter/notes.txt", "");
    // Sorted without regard to case, as NTFS returns them.
    EXPECT_EQ(config::ListProfiles(), (std::vector<std::string>{"VK-2240", "VK-572D"}));
}

TEST_F(ProfileListingTest, ListsTheMenuFilesOfAProfileInAnyCase) {
    folder_.Write("Parameter/VK-572D/English.mnu", "");
    folder_.Write("Parameter/VK-572D/JAPANESE.MNU", "");
    folder_.Write("Parameter/VK-572D/EnglishText.dat", "");
    folder_.Write("Parameter/VK-572D/Parameter.ini", "");
    folder_.Write("Parameter/VK-572D/Old.mnu/English.mnu", "");
    EXPECT_EQ(config::ListLanguages("VK-572D"), (std::vector<std::string>{"English", "JAPANESE"}));
    EXPECT_TRUE(config::ListLanguages("VK-0000").empty());
}

TEST_F(ProfileListingTest, NoParameterFolderListsNothing) {
    EXPECT_TRUE(config::ListProfiles().empty());
}

}  // namespace
