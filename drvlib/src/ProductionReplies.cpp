#include "ProductionReplies.h"

#include "protocol/HexDigit.h"

namespace drvlib {
namespace {

// Where the key's group lies: the key's first character and the ';' that closes the group.
struct Group {
    std::size_t key = 0;
    std::size_t semicolon = 0;
};

std::optional<Group> FindGroup(std::string_view reply, std::string_view key) {
    const std::size_t at = reply.find(key);
    if (key.empty() || at == std::string_view::npos) {
        return std::nullopt;
    }
    const std::size_t semicolon = reply.find(';', at + key.size());
    if (semicolon == std::string_view::npos) {
        return std::nullopt;
    }
    return Group{at, semicolon};
}

// One or two hexadecimal digits; anything else is no byte.
std::optional<std::uint8_t> HexByte(std::string_view digits) {
    if (digits.empty() || digits.size() > 2) {
        return std::nullopt;
    }
    int value = 0;
    for (const char c : digits) {
        const int digit = protocol::HexDigit(c);
        if (digit < 0) {
            return std::nullopt;
        }
        value = value * 16 + digit;
    }
    return static_cast<std::uint8_t>(value);
}

// The group's characters from the offset up to its ';'; nullopt when the ';' comes first.
std::optional<std::string_view> FromOffset(std::string_view reply, const Group& group, std::size_t offset) {
    const std::size_t from = group.key + offset;
    if (from > group.semicolon) {
        return std::nullopt;
    }
    return reply.substr(from, group.semicolon - from);
}

}  // namespace

std::optional<std::uint8_t> DecodeAnswerByte(std::string_view reply, const ProductionAnswer& answer) {
    const std::optional<Group> group = FindGroup(reply, answer.key);
    if (!group) {
        return std::nullopt;
    }
    switch (answer.shape) {
        case AnswerShape::ByteBeforeSemicolon:
            // The two characters must lie after the key: "EE;" holds no value, not the byte 0xEE.
            if (group->semicolon < group->key + answer.key.size() + 2) {
                return std::nullopt;
            }
            return HexByte(reply.substr(group->semicolon - 2, 2));
        case AnswerShape::HexFromOffset: {
            const std::optional<std::string_view> digits = FromOffset(reply, *group, answer.offset);
            return digits ? HexByte(*digits) : std::nullopt;
        }
        case AnswerShape::TextFromOffset:
        case AnswerShape::KeyItself:
            break;
    }
    return std::nullopt;
}

std::optional<std::string> DecodeAnswerText(std::string_view reply, const ProductionAnswer& answer) {
    const std::optional<Group> group = FindGroup(reply, answer.key);
    if (!group) {
        return std::nullopt;
    }
    switch (answer.shape) {
        case AnswerShape::TextFromOffset: {
            const std::optional<std::string_view> text = FromOffset(reply, *group, answer.offset);
            return text ? std::optional<std::string>(std::string(*text)) : std::nullopt;
        }
        case AnswerShape::KeyItself:
            return std::string(reply.substr(group->key, answer.key.size()));
        case AnswerShape::ByteBeforeSemicolon:
        case AnswerShape::HexFromOffset:
            break;
    }
    return std::nullopt;
}

}  // namespace drvlib
