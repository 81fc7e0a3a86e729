// A fresh folder per test, made the executable's folder for the configuration classes, and a
// recorder for the message seam.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "platform/MessageBox.h"

class TempFolder {
public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    // The folder with its trailing separator.
    std::string Path() const;
    // Path of a file inside; relative names use '/'.
    std::string File(const std::string& relative) const;
    void Write(const std::string& relative, const std::string& bytes) const;
    std::string Read(const std::string& relative) const;

private:
    std::filesystem::path root_;
};

// Every configuration test starts with no singletons and the temporary folder as executable folder.
class ConfigTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    TempFolder folder_;
};

class MessageRecorder : public platform::IMessagePresenter {
public:
    MessageRecorder() { platform::SetMessagePresenter(this); }
    ~MessageRecorder() override { platform::SetMessagePresenter(nullptr); }
    platform::MessageAnswer Show(const std::string& text, platform::MessageIcon icon,
                                 platform::MessageButtons) override {
        texts.push_back(text);
        icons.push_back(icon);
        return platform::MessageAnswer::Ok;
    }
    std::vector<std::string> texts;
    std::vector<platform::MessageIcon> icons;
};

// The key=value lines of an INI text, in file order, as "[section]key=value". The INI writers drop
// the blanks at the start of a value, so they are left out here too.
std::vector<std::string> KeyLines(const std::string& iniText);
