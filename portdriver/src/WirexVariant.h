// The builds of the port driver differ only in the rows of this table; one source serves them all.
#pragma once

#include <cstdint>

#include "platform/Device.h"

namespace wirex {

enum class ParallelReceive : std::uint8_t {
    Polled,      // up to 1024 bytes, polled every 10 ms until something comes
    SingleRead,  // one read per receive type, bounded by the port's own time-outs
};

struct WirexVariant {
    const char* name;
    bool resetsIoErrorAtOpen;
    platform::OpenProcedure parallelOpen;
    bool hasUsb;  // without it, USB port numbers are outside the table
    platform::OpenProcedure usbOpen;
    ParallelReceive parallelReceive;
    bool usbPollLimitFromReadTotal;  // else from the write total constant
    std::uint32_t parallelDeviceIdCode;
    std::uint32_t parallelDeviceIdAttempts;
    std::uint32_t usbDeviceIdCode;
    std::uint32_t longestDeviceId;  // longer replies fail as too long
    std::uint32_t parallelResetCode;
    bool parallelResetTakesInitByte;  // the parallel class's set-information request pulses init
    std::uint32_t usbResetCode;
};

// The NT family: IOCTL_PAR_QUERY_DEVICE_ID, IOCTL_USBPRINT_GET_1284_ID, IOCTL_PAR_SET_INFORMATION,
// IOCTL_USBPRINT_SOFT_RESET.
inline constexpr WirexVariant kVariantXp{"XP",
                                         true,
                                         platform::OpenProcedure::ParallelDosAlias,
                                         true,
                                         platform::OpenProcedure::UsbPrinterClass,
                                         ParallelReceive::Polled,
                                         false,
                                         0x0016000C,
                                         3,
                                         0x00220034,
                                         1023,
                                         0x00160008,
                                         true,
                                         0x00220040};

// Windows 98 and Me: the parallel VxD answers request 17 for the device ID and 7 for a reset; USB goes
// through the maker's own class driver.
inline constexpr WirexVariant kVariant98{"98",
                                         true,
                                         platform::OpenProcedure::ParallelDosName,
                                         true,
                                         platform::OpenProcedure::UsbMakerClass,
                                         ParallelReceive::SingleRead,
                                         true,
                                         17,
                                         1,
                                         0x00221804,
                                         1024,
                                         7,
                                         false,
                                         0x0022180C};

// Windows 95: no USB at all, and PortOpen keeps the I/O error code of the call before.
inline constexpr WirexVariant kVariant95{"95",
                                         false,
                                         platform::OpenProcedure::ParallelDosName,
                                         false,
                                         platform::OpenProcedure::Default,
                                         ParallelReceive::SingleRead,
                                         true,
                                         17,
                                         1,
                                         0,
                                         1024,
                                         7,
                                         false,
                                         0};

// Linux: /dev/usb/lp, /dev/parport and /dev/ttyS through the linux back-end; it behaves as the NT
// family, and the request codes are not sent to the kernel (the back-end knows its own requests).
inline constexpr WirexVariant kVariantLinux{"Linux",
                                            true,
                                            platform::OpenProcedure::Default,
                                            true,
                                            platform::OpenProcedure::Default,
                                            ParallelReceive::Polled,
                                            false,
                                            0x0016000C,
                                            3,
                                            0x00220034,
                                            1023,
                                            0x00160008,
                                            true,
                                            0x00220040};

}  // namespace wirex
