#include "platform/MessageBox.h"

#include <atomic>

#include "DefaultMessagePresenter.h"

namespace platform {
namespace {

std::atomic<IMessagePresenter*> installedPresenter{nullptr};

}  // namespace

MessageAnswer ShowMessage(const std::string& text, MessageIcon icon, MessageButtons buttons) {
    return ShowMessage(text, TextEncoding::Program, icon, buttons);
}

MessageAnswer ShowMessage(const std::string& text, TextEncoding encoding, MessageIcon icon,
                          MessageButtons buttons) {
    IMessagePresenter* presenter = installedPresenter.load();
    return (presenter != nullptr ? *presenter : detail::DefaultMessagePresenter())
        .Show(text, encoding, icon, buttons);
}

void SetMessagePresenter(IMessagePresenter* presenter) {
    installedPresenter.store(presenter);
}

ScopedMessagePresenter::ScopedMessagePresenter(IMessagePresenter& presenter)
    : previous_(installedPresenter.exchange(&presenter)) {}

ScopedMessagePresenter::~ScopedMessagePresenter() {
    installedPresenter.store(previous_);
}

}  // namespace platform
