#include "JsonWriter.h"

#include <cmath>
#include <cstdio>

namespace tolvane_cli {

std::string JsonString(const std::string& text) {
    std::string quoted = "\"";
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == '"' || c == '\\') {
            quoted += '\\';
            quoted += c;
        } else if (byte >= 0x20 && byte < 0x7F) {
            quoted += c;
        } else {
            char escape[8];
            std::snprintf(escape, sizeof escape, "\\u%04X", static_cast<unsigned>(byte));
            quoted += escape;
        }
    }
    return quoted + "\"";
}

JsonValue JsonValue::String(const std::string& text) {
    JsonValue value;
    value.scalar_ = JsonString(text);
    return value;
}

JsonValue JsonValue::Number(long long number) {
    JsonValue value;
    value.scalar_ = std::to_string(number);
    return value;
}

JsonValue JsonValue::Real(double number) {
    JsonValue value;
    if (!std::isfinite(number)) {
        value.scalar_ = "null";
        return value;
    }
    char text[40];
    std::snprintf(text, sizeof text, "%.2f", number);
    std::string shown = text;
    // 1.50 -> 1.5, 2.00 -> 2
    while (shown.back() == '0') {
        shown.pop_back();
    }
    if (shown.back() == '.') {
        shown.pop_back();
    }
    value.scalar_ = shown == "-0" ? "0" : shown;
    return value;
}

JsonValue JsonValue::Bool(bool flag) {
    JsonValue value;
    value.scalar_ = flag ? "true" : "false";
    return value;
}

JsonValue JsonValue::Null() {
    JsonValue value;
    value.scalar_ = "null";
    return value;
}

JsonValue JsonValue::Object() {
    JsonValue value;
    value.kind_ = Kind::Object;
    return value;
}

JsonValue JsonValue::Array() {
    JsonValue value;
    value.kind_ = Kind::Array;
    return value;
}

JsonValue& JsonValue::Add(const std::string& name, JsonValue value) {
    members_.emplace_back(name, std::move(value));
    return *this;
}

JsonValue& JsonValue::Push(JsonValue value) {
    return Add("", std::move(value));
}

std::string JsonValue::Text() const {
    if (kind_ == Kind::Scalar) {
        return scalar_;
    }
    std::string text = kind_ == Kind::Object ? "{" : "[";
    bool first = true;
    for (const auto& [name, member] : members_) {
        text += first ? "" : ",";
        first = false;
        if (kind_ == Kind::Object) {
            text += JsonString(name) + ":";
        }
        text += member.Text();
    }
    return text + (kind_ == Kind::Object ? "}" : "]");
}

}  // namespace tolvane_cli
