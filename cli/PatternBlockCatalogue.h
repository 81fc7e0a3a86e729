// The blocks that tolvane-patterns can write, with their parameters: the names a reviewer and the
// virtual printer's renderer ask for, mapped onto the builders of CVexilCommon.
#pragma once

#include <functional>
#include <map>
#include <string>
#include <vector>

#include "patterns/CVexilCommon.h"

namespace pattern_tool {

struct BlockParameter {
    enum class Kind { Number, Text };
    enum class Default { None, Value, ModelColumns };

    std::string name;
    Kind kind = Kind::Number;
    long long minimum = 0;
    long long maximum = 0;
    Default defaultKind = Default::None;  // None: the parameter must be given
    long long defaultNumber = 0;
    std::string defaultText;
    // An EEPROM address: the largest value is the largest address of the model's address form.
    bool eepromAddress = false;
};

// The parameter values of one call, every parameter of the block filled in.
struct BlockArguments {
    std::map<std::string, long long> numbers;
    std::map<std::string, std::string> texts;
    long long Number(const std::string& name) const { return numbers.at(name); }
    const std::string& TextOf(const std::string& name) const { return texts.at(name); }
};

struct PatternBlock {
    std::string name;
    std::string summary;
    std::vector<BlockParameter> parameters;
    // Appends the block; on failure returns false with the reason in error.
    std::function<bool(CVexilCommon&, const BlockArguments&, std::string& error)> build;
    // Puts the run's texts into the model record before the pattern is made; empty for most blocks.
    std::function<void(patterns::PatternModel&, const BlockArguments&)> prepareModel = nullptr;
};

const std::vector<PatternBlock>& PatternBlocks();
const PatternBlock* FindBlock(const std::string& name);

}  // namespace pattern_tool
