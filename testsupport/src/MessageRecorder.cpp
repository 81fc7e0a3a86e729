#include "testsupport/MessageRecorder.h"

namespace testsupport {

MessageRecorder::MessageRecorder(platform::MessageAnswer answer) : answer_(answer), installed_(*this) {}

platform::MessageAnswer MessageRecorder::Show(const std::string& text, platform::TextEncoding encoding,
                                              platform::MessageIcon icon, platform::MessageButtons buttons) {
    messages_.push_back({text, encoding, icon, buttons});
    return answer_;
}

std::vector<std::string> MessageRecorder::Texts() const {
    std::vector<std::string> texts;
    for (const RecordedMessage& message : messages_) {
        texts.push_back(message.text);
    }
    return texts;
}

}  // namespace testsupport
