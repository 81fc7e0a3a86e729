// A fresh headless back-end on a virtual clock for each test.
#pragma once

#include <gtest/gtest.h>

#include "platform/Clock.h"
#include "ui/Headless.h"

namespace uitest {

class HeadlessTest : public ::testing::Test {
protected:
    platform::VirtualClock clock_;
    platform::ScopedClock scopedClock_{clock_};
    ui::HeadlessBackend headless_;
    ui::ScopedBackend scopedBackend_{headless_};
};

}  // namespace uitest
