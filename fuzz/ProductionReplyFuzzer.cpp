// The production reply decoders of the device-driver library, on any text a printer might answer.
//
// Properties: the decoders read nothing past the text they are given (the input is copied into a
// buffer of exactly its size, so the sanitizers see any overrun); every answer of the table decodes to
// what a plain reader of the same text gives: the two characters in front of the ';' that closes the
// key's group, or the characters from the answer's offset up to that ';'; and a text that lacks the
// key, the ';' or the hexadecimal digits decodes to nothing.
#include <cctype>
#include <cstring>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "FuzzSupport.h"
#include "ProductionReplies.h"

namespace {

const drvlib::ProductionAnswer* const kAnswers[] = {
    &drvlib::kEepromAnswer,      &drvlib::kSensorsAnswer,         &drvlib::kFlashAnswer,
    &drvlib::kCsicAnswer,        &drvlib::kRomVersionAnswer,      &drvlib::kTimerIcAnswer,
    &drvlib::kAcknowledgeAnswer, &drvlib::kHeadTemperatureAnswer, &drvlib::kRemoteRomVersionAnswer,
};

bool AllHex(const std::string& digits) {
    for (const char c : digits) {
        if (std::isxdigit(static_cast<unsigned char>(c)) == 0) {
            return false;
        }
    }
    return true;
}

std::optional<int> ReferenceByte(const std::string& text, const drvlib::ProductionAnswer& answer) {
    const std::string key(answer.key);
    const std::size_t at = text.find(key);
    if (at == std::string::npos) {
        return std::nullopt;
    }
    const std::size_t semicolon = text.find(';', at + key.size());
    if (semicolon == std::string::npos) {
        return std::nullopt;
    }
    std::string digits;
    if (answer.shape == drvlib::AnswerShape::ByteBeforeSemicolon) {
        if (semicolon < at + key.size() + 2) {
            return std::nullopt;
        }
        digits = text.substr(semicolon - 2, 2);
    } else if (answer.shape == drvlib::AnswerShape::HexFromOffset) {
        if (at + answer.offset > semicolon) {
            return std::nullopt;
        }
        digits = text.substr(at + answer.offset, semicolon - at - answer.offset);
        if (digits.empty() || digits.size() > 2) {
            return std::nullopt;
        }
    } else {
        return std::nullopt;
    }
    if (!AllHex(digits)) {
        return std::nullopt;
    }
    return static_cast<int>(std::stoul(digits, nullptr, 16));
}

std::optional<std::string> ReferenceText(const std::string& text, const drvlib::ProductionAnswer& answer) {
    const std::string key(answer.key);
    const std::size_t at = text.find(key);
    if (at == std::string::npos) {
        return std::nullopt;
    }
    const std::size_t semicolon = text.find(';', at + key.size());
    if (semicolon == std::string::npos) {
        return std::nullopt;
    }
    if (answer.shape == drvlib::AnswerShape::KeyItself) {
        return key;
    }
    if (answer.shape != drvlib::AnswerShape::TextFromOffset || at + answer.offset > semicolon) {
        return std::nullopt;
    }
    return text.substr(at + answer.offset, semicolon - at - answer.offset);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::unique_ptr<char[]> buffer(new char[size == 0 ? 1 : size]);
    if (size != 0) {
        std::memcpy(buffer.get(), data, size);
    }
    const std::string_view reply(buffer.get(), size);
    const std::string text(reply);
    for (const drvlib::ProductionAnswer* answer : kAnswers) {
        const std::optional<std::uint8_t> byte = drvlib::DecodeAnswerByte(reply, *answer);
        const std::optional<int> expectedByte = ReferenceByte(text, *answer);
        FUZZ_CHECK(byte.has_value() == expectedByte.has_value() && (!byte || *byte == *expectedByte),
                   fuzz::Printable(text) + ": the byte of " + std::string(answer->key) + " differs");
        const std::optional<std::string> value = drvlib::DecodeAnswerText(reply, *answer);
        FUZZ_CHECK(value == ReferenceText(text, *answer),
                   fuzz::Printable(text) + ": the text of " + std::string(answer->key) + " differs");
        FUZZ_CHECK(!value || value->find(';') == std::string::npos,
                   fuzz::Printable(text) + ": a text runs past its group");
    }
    return 0;
}
