#include "config/CParamLoaderBase.h"

#include <algorithm>
#include <cstdio>
#include <span>

#include "config/ListText.h"
#include "config/NumberText.h"

namespace {

template <class Record>
Record MakeRecord(const std::string& section, const std::string& key) {
    Record record;
    record.section = section;
    record.key = key;
    return record;
}

const char* OrEmpty(const char* text) {
    return text == nullptr ? "" : text;
}

// Numbers are written in hexadecimal by Save for the word and hex kinds, so "0x" (lower-case x only)
// marks hexadecimal on reading for every integer kind.
std::uint32_t IntegerFromText(const std::string& text) {
    if (text.compare(0, 2, "0x") == 0) {
        return config::HexToUint32(text.c_str() + 2);
    }
    return static_cast<std::uint32_t>(config::DecimalToInt(text.c_str()));
}

std::string DecimalText(int value) {
    char text[16];
    std::snprintf(text, sizeof text, "%d", value);
    return text;
}

std::string HexText(unsigned value) {
    char text[16];
    std::snprintf(text, sizeof text, "0x%x", value);
    return text;
}

// An empty text reads as "take the default", so an empty list is written as a word without a
// number, which the list parser reads back as an empty list.
constexpr const char* kEmptyListText = "none";

template <class Value, class Format>
std::string ListText(const std::vector<Value>& values, Format format) {
    return values.empty() ? std::string(kEmptyListText) : format(values);
}

}  // namespace

int CParamLoaderBase::AddString(const std::string& section, const std::string& key, std::string* target,
                                const char* defaultValue) {
    bindingOrder_.emplace_back(Kind::String, strings_.size());
    auto& record = strings_.emplace_back(MakeRecord<Binding<std::string, std::string>>(section, key));
    record.isText = true;
    record.target = target;
    record.defaultValue = OrEmpty(defaultValue);
    return 0;
}

int CParamLoaderBase::AddInt(const std::string& section, const std::string& key, int* target,
                             int defaultValue) {
    bindingOrder_.emplace_back(Kind::Int, ints_.size());
    auto& record = ints_.emplace_back(MakeRecord<Binding<int, int>>(section, key));
    record.target = target;
    record.defaultValue = defaultValue;
    return 0;
}

int CParamLoaderBase::AddDouble(const std::string& section, const std::string& key, double* target,
                                double defaultValue) {
    bindingOrder_.emplace_back(Kind::Double, doubles_.size());
    auto& record = doubles_.emplace_back(MakeRecord<Binding<double, double>>(section, key));
    record.target = target;
    record.defaultValue = defaultValue;
    return 0;
}

int CParamLoaderBase::AddBool(const std::string& section, const std::string& key, BOOL* target,
                              BOOL defaultValue) {
    bindingOrder_.emplace_back(Kind::Bool, bools_.size());
    auto& record = bools_.emplace_back(MakeRecord<Binding<BOOL, BOOL>>(section, key));
    record.target = target;
    record.defaultValue = defaultValue;
    return 0;
}

int CParamLoaderBase::AddWord(const std::string& section, const std::string& key, WORD* target,
                              WORD defaultValue) {
    bindingOrder_.emplace_back(Kind::Word, words_.size());
    auto& record = words_.emplace_back(MakeRecord<Binding<WORD, WORD>>(section, key));
    record.target = target;
    record.defaultValue = defaultValue;
    return 0;
}

int CParamLoaderBase::AddHex(const std::string& section, const std::string& key, DWORD* target,
                             DWORD defaultValue) {
    bindingOrder_.emplace_back(Kind::Hex, hexes_.size());
    auto& record = hexes_.emplace_back(MakeRecord<Binding<DWORD, DWORD>>(section, key));
    record.target = target;
    record.defaultValue = defaultValue;
    return 0;
}

int CParamLoaderBase::AddIntList(const std::string& section, const std::string& key, std::vector<int>* target,
                                 const char* defaultText) {
    bindingOrder_.emplace_back(Kind::IntList, intLists_.size());
    auto& record =
        intLists_.emplace_back(MakeRecord<Binding<std::vector<int>, std::vector<int>>>(section, key));
    record.target = target;
    record.defaultValue = config::ParseIntList(OrEmpty(defaultText));
    return 0;
}

int CParamLoaderBase::AddDoubleList(const std::string& section, const std::string& key,
                                    std::vector<double>* target, const char* defaultText) {
    bindingOrder_.emplace_back(Kind::DoubleList, doubleLists_.size());
    auto& record = doubleLists_.emplace_back(
        MakeRecord<Binding<std::vector<double>, std::vector<double>>>(section, key));
    record.target = target;
    record.defaultValue = config::ParseDoubleList(OrEmpty(defaultText));
    return 0;
}

int CParamLoaderBase::AddIntListSlice(const std::string& section, const std::string& key,
                                      std::vector<int>* target, int first, int count,
                                      const char* defaultText) {
    // A slice with a negative position or size has no elements to own; it is left out.
    if (first < 0 || count < 0) {
        return 0;
    }
    bindingOrder_.emplace_back(Kind::Slice, slices_.size());
    auto& record = slices_.emplace_back(MakeRecord<SliceBinding>(section, key));
    record.target = target;
    record.first = first;
    record.count = count;
    record.defaultValue = config::ParseIntList(OrEmpty(defaultText));
    return 0;
}

bool CParamLoaderBase::ReadNumberText(ParamRecord& record, std::string& text) {
    text.clear();
    ReadValue(record, text, "");
    return !text.empty();
}

int CParamLoaderBase::Load() {
    std::string text;
    for (auto& record : strings_) {
        ReadValue(record, *record.target, record.defaultValue.c_str());
    }
    for (auto& record : ints_) {
        *record.target =
            ReadNumberText(record, text) ? static_cast<int>(IntegerFromText(text)) : record.defaultValue;
    }
    for (auto& record : doubles_) {
        *record.target =
            ReadNumberText(record, text) ? config::TextToDouble(text.c_str()) : record.defaultValue;
    }
    for (auto& record : bools_) {
        *record.target =
            ReadNumberText(record, text) ? static_cast<BOOL>(IntegerFromText(text)) : record.defaultValue;
    }
    for (auto& record : words_) {
        *record.target =
            ReadNumberText(record, text) ? static_cast<WORD>(IntegerFromText(text)) : record.defaultValue;
    }
    for (auto& record : hexes_) {
        *record.target = ReadNumberText(record, text) ? IntegerFromText(text) : record.defaultValue;
    }
    for (auto& record : intLists_) {
        *record.target = ReadNumberText(record, text) ? config::ParseIntList(text) : record.defaultValue;
    }
    for (auto& record : doubleLists_) {
        *record.target = ReadNumberText(record, text) ? config::ParseDoubleList(text) : record.defaultValue;
    }
    for (auto& record : slices_) {
        const std::vector<int> values =
            ReadNumberText(record, text) ? config::ParseIntList(text) : record.defaultValue;
        std::vector<int>& target = *record.target;
        target.resize(static_cast<std::size_t>(record.first) + static_cast<std::size_t>(record.count));
        // A text with fewer numbers than the slice holds leaves the rest at the default, and at 0 past
        // the default's end, so that nothing of a previously loaded file survives a reload.
        for (int i = 0; i < record.count; ++i) {
            const auto index = static_cast<std::size_t>(i);
            int value = 0;
            if (index < values.size()) {
                value = values[index];
            } else if (index < record.defaultValue.size()) {
                value = record.defaultValue[index];
            }
            target[static_cast<std::size_t>(record.first) + index] = value;
        }
    }
    return 0;
}

int CParamLoaderBase::Save() {
    for (const auto& [kind, index] : bindingOrder_) {
        SaveBinding(kind, index);
    }
    return 0;
}

void CParamLoaderBase::SaveBinding(Kind kind, std::size_t index) {
    switch (kind) {
        case Kind::String:
            WriteValue(strings_[index], *strings_[index].target);
            break;
        case Kind::Int:
            WriteValue(ints_[index], DecimalText(*ints_[index].target));
            break;
        case Kind::Double:
            WriteValue(doubles_[index], config::DoubleToText(*doubles_[index].target));
            break;
        case Kind::Bool:
            WriteValue(bools_[index], DecimalText(static_cast<int>(*bools_[index].target)));
            break;
        case Kind::Word:
            WriteValue(words_[index], HexText(static_cast<unsigned>(*words_[index].target)));
            break;
        case Kind::Hex:
            WriteValue(hexes_[index], HexText(static_cast<unsigned>(*hexes_[index].target)));
            break;
        case Kind::IntList:
            WriteValue(intLists_[index],
                       ListText(*intLists_[index].target, [](const std::vector<int>& values) {
                           return config::FormatIntList(values, true);
                       }));
            break;
        case Kind::DoubleList:
            WriteValue(doubleLists_[index],
                       ListText(*doubleLists_[index].target, [](const std::vector<double>& values) {
                           return config::FormatDoubleList(values);
                       }));
            break;
        case Kind::Slice: {
            // The vector may have been shortened since Load; only the elements it still holds are written.
            const SliceBinding& record = slices_[index];
            const std::vector<int>& target = *record.target;
            const std::size_t first = std::min(target.size(), static_cast<std::size_t>(record.first));
            const std::size_t end = std::min(target.size(), first + static_cast<std::size_t>(record.count));
            WriteValue(record, config::FormatIntList(std::span<const int>(target).subspan(first, end - first),
                                                     false));
            break;
        }
    }
}
