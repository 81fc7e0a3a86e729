// A presenter for the message seam that records every message instead of showing it, installed
// for its own lifetime, and answers with a chosen answer.
#pragma once

#include <string>
#include <vector>

#include "platform/MessageBox.h"

namespace testsupport {

struct RecordedMessage {
    std::string text;
    platform::TextEncoding encoding;
    platform::MessageIcon icon;
    platform::MessageButtons buttons;
};

class MessageRecorder : public platform::IMessagePresenter {
public:
    explicit MessageRecorder(platform::MessageAnswer answer = platform::MessageAnswer::Ok);

    platform::MessageAnswer Show(const std::string& text, platform::TextEncoding encoding,
                                 platform::MessageIcon icon, platform::MessageButtons buttons) override;

    // The texts shown so far, in order.
    std::vector<std::string> Texts() const;
    const std::vector<RecordedMessage>& Messages() const { return messages_; }

private:
    platform::MessageAnswer answer_;
    std::vector<RecordedMessage> messages_;
    platform::ScopedMessagePresenter installed_;
};

}  // namespace testsupport
