// The presenter used until the dialog layer installs its own; one implementation per platform.
#pragma once

#include "platform/MessageBox.h"

namespace platform::detail {

IMessagePresenter& DefaultMessagePresenter();

}  // namespace platform::detail
