// Linked as the program links it: one object per print job, made and destroyed, many times over.
#include <gtest/gtest.h>

#include <memory>

#include "numora/CWinNumora.h"

TEST(CWinNumora, IsConstructedAndDestroyedPerJob) {
    for (int job = 0; job < 3; ++job) {
        auto numora = std::make_unique<CWinNumora>();
        EXPECT_NE(numora, nullptr);
    }
    CWinNumora onTheStack;
    (void)onTheStack;
}
