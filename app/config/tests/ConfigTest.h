// The fixture of the configuration tests: a fresh folder per test, made the executable's folder for
// the configuration classes, with no singleton loaded before or after.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "config/ConfigurationScope.h"
#include "testsupport/MessageRecorder.h"
#include "testsupport/TemporaryFolder.h"

using testsupport::MessageRecorder;

class ConfigTest : public ::testing::Test {
protected:
    testsupport::TemporaryFolder folder_{"tolv-config"};
    config::ScopedConfiguration configuration_{folder_.Path()};
};

// The key=value lines of an INI text, in file order, as "[section]key=value". The INI writers drop
// the blanks at the start of a value, so they are left out here too.
std::vector<std::string> KeyLines(const std::string& iniText);
