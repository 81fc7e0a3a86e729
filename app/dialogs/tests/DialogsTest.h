// The fixture of the dialog tests: a fresh headless back-end on a virtual clock for each test.
#pragma once

#include <gtest/gtest.h>

#include "platform/Clock.h"
#include "ui/Headless.h"

class DialogsTest : public ::testing::Test {
protected:
    platform::VirtualClock clock_;
    platform::ScopedClock scopedClock_{clock_};
    ui::HeadlessBackend headless_;
    ui::ScopedBackend scopedBackend_{headless_};
};
