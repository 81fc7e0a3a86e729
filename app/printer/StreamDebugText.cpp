#include "printer/StreamDebugText.h"

#include "platform/DebugOutput.h"

namespace printer {
namespace {

ScopedStreamDebugRecorder* recorder = nullptr;

}  // namespace

void StreamDebugText(const char* text) {
    platform::DebugOutput(text);
    if (recorder != nullptr && text != nullptr) {
        recorder->text_ += text;
    }
}

ScopedStreamDebugRecorder::ScopedStreamDebugRecorder() : previous_(recorder) {
    recorder = this;
}

ScopedStreamDebugRecorder::~ScopedStreamDebugRecorder() {
    recorder = previous_;
}

}  // namespace printer
