// The data channel 0x40 as the senders of the library find it: opened by Open, and reopened by the
// next send or production exchange once something closed it.
#pragma once

#include "DriverModule.h"

namespace drvlib {

// 0 when the data channel is open (now or already); -13 when the transport refuses it or is not bound.
inline int OpenDataChannelIfClosed(void* connection, int* dataChannelOpen) {
    if (*dataChannelOpen) {
        return 0;
    }
    if (Transport().openChannel == nullptr || Transport().openChannel(connection, kDataChannel) != 0) {
        return -13;
    }
    *dataChannelOpen = 1;
    return 0;
}

}  // namespace drvlib
