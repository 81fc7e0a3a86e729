// Where the service command engine shows its messages: the program shows them in its message dialog,
// the tests answer them as a technician would. The engine itself knows nothing of windows.
#pragma once

#include <string>

namespace patterns {

// The message types: 0 information (OK), 1 question (OK and Cancel), 2 error (one "NG" button).
inline constexpr int kMessageInformation = 0;
inline constexpr int kMessageQuestion = 1;
inline constexpr int kMessageError = 2;

// What the technician answered.
inline constexpr int kAnswerOk = 1;
inline constexpr int kAnswerCancel = 2;  // also NG, Escape and the close box

class IJobMessages {
public:
    virtual ~IJobMessages() = default;
    // Shows the text as a message of the type and waits for the answer: kAnswerOk or kAnswerCancel.
    virtual int Show(const std::string& text, int type) = 0;
};

}  // namespace patterns
