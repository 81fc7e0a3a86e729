// The print-data builder that the service command engine creates for each job.
#pragma once

#include <utility>

#include "patterns/CVexilCommon.h"

class CPattern : public CVexilCommon {
public:
    explicit CPattern(patterns::PatternModel model) : CVexilCommon(std::move(model)) {}
};
