// Binds an owner's plain members to section/key pairs of one configuration file, with a default each,
// and moves every value between the file and the members in one Load or Save.
//
// The operations keep this order in every class of the family; every one returns 0 and none of them
// reports a failure: a missing file or key yields the defaults.
#pragma once

#include <string>
#include <vector>

#include "config/WinTypes.h"

class IParamLoader {
public:
    virtual ~IParamLoader() = default;

    virtual int Load() = 0;
    virtual int Save() = 0;

    // The bindings copy section, key and default; the target is owned by the caller and must outlive
    // the loader. A null default text reads as "".
    virtual int AddString(const std::string& section, const std::string& key, std::string* target,
                          const char* defaultValue) = 0;
    virtual int AddInt(const std::string& section, const std::string& key, int* target, int defaultValue) = 0;
    virtual int AddDouble(const std::string& section, const std::string& key, double* target,
                          double defaultValue) = 0;
    virtual int AddBool(const std::string& section, const std::string& key, BOOL* target,
                        BOOL defaultValue) = 0;
    virtual int AddWord(const std::string& section, const std::string& key, WORD* target,
                        WORD defaultValue) = 0;
    virtual int AddHex(const std::string& section, const std::string& key, DWORD* target,
                       DWORD defaultValue) = 0;
    // List defaults are texts, parsed once here with the list parser.
    virtual int AddIntList(const std::string& section, const std::string& key, std::vector<int>* target,
                           const char* defaultText) = 0;
    virtual int AddDoubleList(const std::string& section, const std::string& key, std::vector<double>* target,
                              const char* defaultText) = 0;
    // Binds elements first .. first+count-1 of target. Each Load resizes target to first+count, so
    // slices of one vector are bound in increasing order of first.
    virtual int AddIntListSlice(const std::string& section, const std::string& key, std::vector<int>* target,
                                int first, int count, const char* defaultText) = 0;
};
