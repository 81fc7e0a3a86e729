// The binding lists and the conversions between member values and file texts. The storage is left to
// two primitives, ReadValue and WriteValue, so that another store can sit under the same bindings.
#pragma once

#include <cstddef>
#include <string>
#include <utility>
#include <vector>

#include "config/IParamLoader.h"

// What every binding holds, whatever its kind.
struct ParamRecord {
    std::string section;
    std::string key;
    // The trailing comment found on the key's line at the last read; written back by Save.
    std::string comment;
    // A string binding: blanks at the start of its text are part of the value, while the number
    // readers skip them.
    bool isText = false;
};

class CParamLoaderBase : public IParamLoader {
public:
    CParamLoaderBase() = default;
    ~CParamLoaderBase() override = default;
    CParamLoaderBase(const CParamLoaderBase&) = delete;
    CParamLoaderBase& operator=(const CParamLoaderBase&) = delete;

    // Reads every binding, kind by kind in the order strings, ints, doubles, bools, words, hexes, int
    // lists, double lists, slices, each kind in binding order.
    int Load() override;
    // Writes every binding in binding order, whatever its kind, so that keys missing from the file are
    // added in the order the owner lists them. Every text written loads back as the value it was made
    // from: an empty list is written as "none", not as the empty text that would load the default.
    int Save() override;

    int AddString(const std::string& section, const std::string& key, std::string* target,
                  const char* defaultValue) override;
    int AddInt(const std::string& section, const std::string& key, int* target, int defaultValue) override;
    int AddDouble(const std::string& section, const std::string& key, double* target,
                  double defaultValue) override;
    int AddBool(const std::string& section, const std::string& key, BOOL* target, BOOL defaultValue) override;
    int AddWord(const std::string& section, const std::string& key, WORD* target, WORD defaultValue) override;
    int AddHex(const std::string& section, const std::string& key, DWORD* target,
               DWORD defaultValue) override;
    int AddIntList(const std::string& section, const std::string& key, std::vector<int>* target,
                   const char* defaultText) override;
    int AddDoubleList(const std::string& section, const std::string& key, std::vector<double>* target,
                      const char* defaultText) override;
    int AddIntListSlice(const std::string& section, const std::string& key, std::vector<int>* target,
                        int first, int count, const char* defaultText) override;

    // The text of the record's key, with its trailing comment split off into record.comment; the
    // default when the key is missing.
    virtual int ReadValue(ParamRecord& record, std::string& value, const char* defaultValue) = 0;
    // Writes the text, with record.comment appended, as the record's key.
    virtual int WriteValue(const ParamRecord& record, const std::string& value) = 0;

private:
    template <class Target, class Default>
    struct Binding : ParamRecord {
        Target* target = nullptr;
        Default defaultValue{};
    };
    struct SliceBinding : ParamRecord {
        std::vector<int>* target = nullptr;
        int first = 0;
        int count = 0;
        std::vector<int> defaultValue;
    };

    enum class Kind { String, Int, Double, Bool, Word, Hex, IntList, DoubleList, Slice };

    // Texts of the numeric kinds: empty means "take the default".
    bool ReadNumberText(ParamRecord& record, std::string& text);
    void SaveBinding(Kind kind, std::size_t index);

    std::vector<Binding<std::string, std::string>> strings_;
    std::vector<Binding<int, int>> ints_;
    std::vector<Binding<double, double>> doubles_;
    std::vector<Binding<BOOL, BOOL>> bools_;
    std::vector<Binding<WORD, WORD>> words_;
    std::vector<Binding<DWORD, DWORD>> hexes_;
    std::vector<Binding<std::vector<int>, std::vector<int>>> intLists_;
    std::vector<Binding<std::vector<double>, std::vector<double>>> doubleLists_;
    std::vector<SliceBinding> slices_;
    // Every binding as (kind, index in its kind's list), in binding order.
    std::vector<std::pair<Kind, std::size_t>> bindingOrder_;
};
