// A setting sink that keeps what the setting reader handed it: each field's last text, the order of
// the texts, the step count it announced and the steps it took.
#pragma once

#include <map>
#include <string>
#include <utility>
#include <vector>

#include "printer/IPrinterSettingReader.h"

namespace printertest {

class RecordingSettingSink : public printer::ISettingSink {
public:
    void Start(int count) override {
        stepCount = count;
        ++starts;
    }
    void Show(printer::SettingField field, const std::string& text) override {
        fields[field] = text;
        shown.emplace_back(field, text);
    }
    void Step() override { ++steps; }
    void Finish() override { ++finishes; }

    std::string Text(printer::SettingField field) const {
        const auto found = fields.find(field);
        return found == fields.end() ? std::string() : found->second;
    }

    std::map<printer::SettingField, std::string> fields;
    std::vector<std::pair<printer::SettingField, std::string>> shown;
    int stepCount = -1;
    int starts = 0;
    int steps = 0;
    int finishes = 0;
};

}  // namespace printertest
