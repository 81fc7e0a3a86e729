#include "platform/MessageBox.h"

#include <atomic>

#include "DefaultMessagePresenter.h"

namespace platform {
namespace {

std::atomic<IMessagePresenter*> installedPresenter{nullptr};

}  // namespace

MessageAnswer ShowMessage(const std::string& text, MessageIcon icon, MessageButtons buttons) {
    IMessagePresenter* presenter = installedPresenter.load();
    return (presenter != nullptr ? *presenter : detail::DefaultMessagePresenter()).Show(text, icon, buttons);
}

void SetMessagePresenter(IMessagePresenter* presenter) {
    installedPresenter.store(presenter);
}

}  // namespace platform
