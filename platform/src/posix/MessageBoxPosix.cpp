#include <cstdio>
#include <string>

#include "../common/DefaultMessagePresenter.h"

namespace platform::detail {
namespace {

// Without a dialog layer there is nobody to ask: the text goes to standard error and the answer is
// the one that lets the program go on.
class StandardErrorPresenter : public IMessagePresenter {
public:
    MessageAnswer Show(const std::string& text, TextEncoding, MessageIcon, MessageButtons buttons) override {
        std::fprintf(stderr, "%s\n", text.c_str());
        return buttons == MessageButtons::YesNo ? MessageAnswer::Yes : MessageAnswer::Ok;
    }
};

}  // namespace

IMessagePresenter& DefaultMessagePresenter() {
    static StandardErrorPresenter presenter;
    return presenter;
}

}  // namespace platform::detail
