// The print streams' debug texts (the retry marks and the port driver's I/O error lines): written to
// the platform's debug output, and to a recorder while one is installed, so a test can read them.
#pragma once

#include <string>

namespace printer {

void StreamDebugText(const char* text);

// Collects every stream debug text for its lifetime.
class ScopedStreamDebugRecorder {
public:
    ScopedStreamDebugRecorder();
    ~ScopedStreamDebugRecorder();
    ScopedStreamDebugRecorder(const ScopedStreamDebugRecorder&) = delete;
    ScopedStreamDebugRecorder& operator=(const ScopedStreamDebugRecorder&) = delete;

    const std::string& Text() const { return text_; }

private:
    friend void StreamDebugText(const char* text);
    std::string text_;
    ScopedStreamDebugRecorder* previous_;
};

}  // namespace printer
