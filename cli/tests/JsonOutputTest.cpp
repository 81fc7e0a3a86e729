// Every reading command's --json output, read back by a JSON reader of its own: exactly one object
// on standard output, whatever bytes the printer keeps in the fields it reports.
#include <gtest/gtest.h>

#include <cctype>
#include <string>

#include "CliOverTcp.h"

namespace {

// Just enough of JSON to tell a document from anything else: objects, arrays, strings with their
// escapes, numbers, true, false, null. Keys of the top object are collected.
class JsonReader {
public:
    explicit JsonReader(const std::string& text) : text_(text) {}

    // True when the text is one object and nothing but white space follows it.
    bool ReadsOneObject() {
        Blank();
        if (Peek() != '{' || !Value(true)) {
            return false;
        }
        Blank();
        return at_ == text_.size();
    }
    const std::vector<std::string>& TopKeys() const { return keys_; }

private:
    char Peek() const { return at_ < text_.size() ? text_[at_] : '\0'; }
    void Blank() {
        while (at_ < text_.size() && std::isspace(static_cast<unsigned char>(text_[at_])) != 0) {
            ++at_;
        }
    }
    bool Literal(const char* word) {
        const std::string expected(word);
        if (text_.compare(at_, expected.size(), expected) != 0) {
            return false;
        }
        at_ += expected.size();
        return true;
    }
    bool String(std::string* out) {
        if (Peek() != '"') {
            return false;
        }
        for (++at_; at_ < text_.size(); ++at_) {
            const auto c = static_cast<unsigned char>(text_[at_]);
            if (c == '"') {
                ++at_;
                return true;
            }
            if (c < 0x20) {
                return false;
            }
            if (c == '\\') {
                const char next = ++at_ < text_.size() ? text_[at_] : '\0';
                if (next == 'u') {
                    for (int i = 0; i < 4; ++i) {
                        if (++at_ >= text_.size() ||
                            std::isxdigit(static_cast<unsigned char>(text_[at_])) == 0) {
                            return false;
                        }
                    }
                } else if (std::string("\"\\/bfnrt").find(next) == std::string::npos || next == '\0') {
                    return false;
                }
                continue;
            }
            out->push_back(static_cast<char>(c));
        }
        return false;
    }
    bool Number() {
        const std::size_t start = at_;
        if (Peek() == '-') {
            ++at_;
        }
        while (std::isdigit(static_cast<unsigned char>(Peek())) != 0) {
            ++at_;
        }
        if (Peek() == '.') {
            ++at_;
            while (std::isdigit(static_cast<unsigned char>(Peek())) != 0) {
                ++at_;
            }
        }
        return at_ > start && std::isdigit(static_cast<unsigned char>(text_[at_ - 1])) != 0;
    }
    bool Members(char close, bool top) {
        ++at_;
        Blank();
        if (Peek() == close) {
            ++at_;
            return true;
        }
        while (true) {
            Blank();
            if (close == '}') {
                std::string key;
                if (!String(&key)) {
                    return false;
                }
                if (top) {
                    keys_.push_back(key);
                }
                Blank();
                if (Peek() != ':') {
                    return false;
                }
                ++at_;
                Blank();
            }
            if (!Value(false)) {
                return false;
            }
            Blank();
            if (Peek() == close) {
                ++at_;
                return true;
            }
            if (Peek() != ',') {
                return false;
            }
            ++at_;
        }
    }
    bool Value(bool top) {
        if (++depth_ > 32) {
            return false;
        }
        bool read = false;
        std::string ignored;
        switch (Peek()) {
            case '{':
                read = Members('}', top);
                break;
            case '[':
                read = Members(']', false);
                break;
            case '"':
                read = String(&ignored);
                break;
            case 't':
                read = Literal("true");
                break;
            case 'f':
                read = Literal("false");
                break;
            case 'n':
                read = Literal("null");
                break;
            default:
                read = Number();
                break;
        }
        --depth_;
        return read;
    }

    const std::string& text_;
    std::size_t at_ = 0;
    int depth_ = 0;
    std::vector<std::string> keys_;
};

TEST(JsonReader, TellsOneObjectFromAnythingElse) {
    for (const char* good : {R"({})", R"({"a":[1,-2.5,true,null,{"b":"\u00FF\"x"}]})"
                                      "\n"}) {
        EXPECT_TRUE(JsonReader(good).ReadsOneObject()) << good;
    }
    for (const char* bad : {"", "[]", "{} {}", R"({"a":1,})", R"({"a":"x
"})",
                            R"({"a":01x})", R"({"a")", "{\"a\":\"\\q\"}"}) {
        EXPECT_FALSE(JsonReader(bad).ReadsOneObject()) << bad;
    }
}

class JsonOutput : public clitest::CliOverTcp {};

TEST_F(JsonOutput, EveryReadingCommandPrintsOneObjectEvenOverTheBytesAPrinterKeeps) {
    // Bytes no text should carry: quotes, backslashes, control and high bytes in the serial field and
    // elsewhere that the readings show.
    Poke(0xE0, '"');
    Poke(0xE1, '\\');
    Poke(0xE2, 0x01);
    Poke(0xE3, 0xFF);
    const std::vector<std::pair<std::vector<std::string>, std::string>> readings = {
        {{"info"}, "model"},
        {{"status"}, "status"},
        {{"sensors"}, "sensors"},
        {{"eeprom", "dump", "--from", "0xE0", "--to", "0xE3"}, "bytes"},
        {{"counters"}, "ribbon"},
        {{"fatal-history"}, "entries"},
        {{"bid", "read"}, "rows"},
        {{"margin", "top", "read"}, "millimetres"},
        {{"serial", "read"}, "serial"},
    };
    for (const auto& [words, key] : readings) {
        std::vector<std::string> arguments = words;
        arguments.push_back("--json");
        const clitest::CliRun run = Run(arguments);
        EXPECT_EQ(run.status, 0) << words[0] << ": " << run.err;
        JsonReader reader(run.out);
        EXPECT_TRUE(reader.ReadsOneObject()) << words[0] << ": " << run.out;
        const auto& keys = reader.TopKeys();
        EXPECT_NE(std::find(keys.begin(), keys.end(), key), keys.end()) << words[0] << ": " << run.out;
    }
}

}  // namespace
