// The parameter loader on a private-profile (INI) file.
//
// A value's trailing comment starts at the first ';' that is neither the value's first character nor
// preceded by a backslash; it is kept in the binding and written back, padded to column 32, by Save.
// In values "\;" stands for ';' and "\n" for a line break (CR LF); Save writes both back in that form
// so that a value never breaks its line.
// Save writes every value so that it loads back unchanged: a value with blanks at either end or in
// matching quotes goes inside one more pair of quotes, which the profile functions drop on reading.
#pragma once

#include <string>

#include "config/CParamLoaderBase.h"

class CParamLoaderIniFile : public CParamLoaderBase {
public:
    CParamLoaderIniFile() = default;
    ~CParamLoaderIniFile() override = default;

    int ReadValue(ParamRecord& record, std::string& value, const char* defaultValue) override;
    int WriteValue(const ParamRecord& record, const std::string& value) override;

    // The file that Load and Save use; empty after construction. '\' may separate folders.
    void SetPath(const std::string& path) { path_ = path; }
    const std::string& GetPath() const { return path_; }

private:
    std::string path_;
};
