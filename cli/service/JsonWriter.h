// The one JSON object a reading command prints with --json: members in the order they are added,
// strings escaped (every byte outside printable ASCII as \u00XX, so a printer's bytes can never break
// the document), nested objects and arrays.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace tolvane_cli {

class JsonValue {
public:
    static JsonValue String(const std::string& text);
    static JsonValue Number(long long value);
    static JsonValue Real(double value);  // printed with up to 2 decimals
    static JsonValue Bool(bool value);
    static JsonValue Null();
    static JsonValue Object();
    static JsonValue Array();

    // Object: appends a member. Array: appends an element (the name is ignored).
    JsonValue& Add(const std::string& name, JsonValue value);
    JsonValue& Push(JsonValue value);

    std::string Text() const;

private:
    enum class Kind { Scalar, Object, Array };
    Kind kind_ = Kind::Scalar;
    std::string scalar_;
    std::vector<std::pair<std::string, JsonValue>> members_;
};

// The text as a JSON string literal, quotes included.
std::string JsonString(const std::string& text);

}  // namespace tolvane_cli
