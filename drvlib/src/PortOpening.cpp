// Opening a port by port code or by device path, the device-ID check every open makes, the bring-up
// of the transport connection, and Close.
#include <string>
#include <vector>

#include "DeviceIdText.h"
#include "DriverModule.h"
#include "EcpDriver.h"
#include "UsbDiscovery.h"
#include "drvlib/CWinVexilDrv.h"
#include "platform/Clock.h"
#include "protocol/PrinterCommandCodes.h"

namespace {

namespace request {
// The parallel and USB printer classes' query-device-ID request (NT 5 and later, every kind).
constexpr std::uint32_t kClassDeviceId = 0x16000C;
// The parallel port driver of Windows 9x.
constexpr std::uint32_t kParallelDeviceId9x = 0x11;
// The maker's USB driver of Windows 98 and Me.
constexpr std::uint32_t kMakerUsbDeviceId = 0x221804;
// IEEE 1284 negotiation: read in nibble mode, write in compatibility (Centronics) mode.
constexpr std::uint32_t kNegotiate1284 = 0x160018;
}  // namespace request

constexpr char kOrlexPortMissing[] =
    "Communication error\nOrlex Printer Port is not Found.\nPlease Install Orlex Printer Driver.";
// The parallel device ID of a printer of the maker carries this in its model text.
constexpr char kMakerName[] = "ORLEX";
constexpr int kForeignIdRetries = 10;
constexpr std::uint32_t kSettleMilliseconds = 100;
constexpr int kEcpPortNumber = 1;
constexpr int kEcpMode = 5;
constexpr int kUsbCandidatesWhenAny = 4;

void Pause(std::uint32_t milliseconds) {
    platform::Clock().Sleep(milliseconds);
}

// A name with a decimal number in it ("LPT" 1 -> "LPT1", "KXUSB" 2 ":" -> "KXUSB2:").
std::string Numbered(const char* prefix, int number, const char* suffix = "") {
    return prefix + std::to_string(number) + suffix;
}

void Negotiate1284(std::int32_t handle) {
    platform::DevicePort* port = drvlib::FindPort(handle);
    if (port == nullptr) {
        return;
    }
    // PARCLASS_NEGOTIATION_MASK: read mask 4 (nibble), write mask 1 (compatibility), 16 bits each.
    platform::DeviceRequest negotiate{request::kNegotiate1284, {0x04, 0x00, 0x01, 0x00}};
    std::uint8_t answer[4] = {};
    std::uint32_t returned = 0;
    platform::ActiveDeviceBackend().DeviceControl(*port, negotiate, answer, sizeof answer, &returned);
}

void SetPortTimeouts(std::int32_t handle) {
    platform::DevicePort* port = drvlib::FindPort(handle);
    if (port == nullptr) {
        return;
    }
    platform::PortTimeouts timeouts;
    if (platform::ActiveDeviceBackend().GetTimeouts(*port, &timeouts) != platform::DeviceError::None) {
        return;
    }
    timeouts.readInterval = 10;
    timeouts.readTotalMultiplier = 0;
    timeouts.readTotalConstant = 1000;
    timeouts.writeTotalMultiplier = 0;
    timeouts.writeTotalConstant = 10;
    platform::ActiveDeviceBackend().SetTimeouts(*port, timeouts);
}

}  // namespace

int CWinVexilDrv::CheckDeviceID(CString* pModel, int* pD4, int* pSpc) {
    platform::DevicePort* port = drvlib::FindPort(m_hPort);
    if (port == nullptr) {
        return 0;
    }
    std::uint32_t code = request::kClassDeviceId;
    if (!drvlib::IsNt5OrLater()) {
        if (m_nPortKind == drvlib::kParallelPort) {
            code = request::kParallelDeviceId9x;
        } else if (m_nPortKind == drvlib::kUsbPort) {
            code = request::kMakerUsbDeviceId;
        }
    }
    std::uint8_t buffer[256] = {};
    platform::DeviceIdReply reply;
    if (platform::ActiveDeviceBackend().GetDeviceId(*port, platform::DeviceRequest{code, {}}, buffer,
                                                    sizeof buffer, &reply) != platform::DeviceError::None) {
        return 0;
    }
    std::size_t skip = reply.lengthPrefixed ? 2 : 0;
    if (skip > reply.received) {
        skip = reply.received;
    }
    const std::string deviceId = drvlib::DeviceIdFromBuffer(buffer + skip, reply.received - skip);
    if (pModel != nullptr) {
        *pModel = CString(drvlib::ModelText(deviceId));
    }
    if (pD4 != nullptr) {
        *pD4 = deviceId.find("D4") != std::string::npos ? 1 : 0;
    }
    if (pSpc != nullptr) {
        *pSpc = deviceId.find("SPC") != std::string::npos ? 1 : 0;
    }
    return 1;
}

void CWinVexilDrv::Local_Close(std::int32_t handle) {
    if (m_bEcpDriver) {
        drvlib::EcpClosePort(handle);
        m_bEcpDriver = 0;
    } else if (drvlib::IsRealHandle(handle)) {
        drvlib::ReleasePort(handle);
    }
}

int CWinVexilDrv::Open(int portCode, CString* pModel, int useOrlexPort) {
    const int kind = portCode / 10;
    int number = portCode % 10;
    // The port of an earlier open goes first, by the rules of the mode it was opened in: an ECP-driver
    // port closed as an OS handle would stay held by the driver and refuse the printer.
    if (drvlib::IsRealHandle(m_hPort)) {
        Local_Close(m_hPort);
        m_hPort = drvlib::kInvalidHandle;
    }
    m_bEcpDriver = 0;
    m_bDataChannelOpen = 0;
    m_nPortKind = kind;
    m_bUseOrlexPort = useOrlexPort;
    if (pModel != nullptr) {
        pModel->Empty();
    }
    m_strModel.Empty();
    if (portCode < 0 || kind > drvlib::kIeee1394Port) {
        return -1;
    }

    int d4 = 0;
    if (kind == drvlib::kParallelPort) {
        bool switched = false;
        if (drvlib::IsWindows9x() && useOrlexPort) {
            if (!drvlib::SwitchPortDriver(true)) {
                drvlib::ShowPlainMessage(kOrlexPortMissing);
                return -60;
            }
            switched = true;
        }
        if (number == 0) {
            number = 1;
        }
        const bool nt5 = drvlib::IsNt5OrLater();
        bool secondName = false;
        int retries = 0;
        int spc = 0;
        for (;;) {
            if (nt5 && secondName) {
                // The plain name is taken (by a spooler port, say): map "LPT" onto the raw parallel device.
                if (platform::ActiveDeviceBackend().DefineDosAlias(
                        "LPT", Numbered("\\Device\\Parallel", number - 1)) != platform::DeviceError::None) {
                    return -1;
                }
                m_hPort = drvlib::OpenPath("\\\\.\\LPT");
            } else {
                platform::PortAddress address;
                address.kind = platform::PortKind::Parallel;
                address.number = static_cast<std::uint32_t>(number);
                address.procedure = platform::OpenProcedure::ParallelDosName;
                m_hPort = drvlib::OpenPort(address);
            }
            Pause(kSettleMilliseconds);
            if (nt5 && drvlib::IsRealHandle(m_hPort)) {
                Negotiate1284(m_hPort);
            }
            if (!drvlib::IsRealHandle(m_hPort)) {
                if (switched) {
                    drvlib::SwitchPortDriver(false);
                }
                if (!nt5 || secondName) {
                    return -91;
                }
                secondName = true;
                continue;
            }
            if (!CheckDeviceID(&m_strModel, &d4, &spc)) {
                Local_Close(m_hPort);
                m_hPort = drvlib::kInvalidHandle;
                if (!nt5 || secondName) {
                    return -1;
                }
                secondName = true;
                continue;
            }
            if (m_strModel.Find(kMakerName) >= 0) {
                break;
            }
            if (retries < kForeignIdRetries && m_bRetryForeignId == 1) {
                Local_Close(m_hPort);
                m_hPort = drvlib::kInvalidHandle;
                ++retries;
                Pause(kSettleMilliseconds);
                continue;
            }
            m_bRetryForeignId = 0;
            if (switched) {
                drvlib::SwitchPortDriver(false);
            }
            return -5;
        }
        m_bRetryForeignId = 1;
        if (spc) {
            // The printer is on the maker's ECP driver: the transport moves its bytes through the
            // driver's requests instead of the OS handle.
            Local_Close(m_hPort);
            m_hPort = drvlib::EcpOpenPort(kEcpPortNumber, kEcpMode);
            m_bEcpDriver = 1;
        }
    } else if (kind == drvlib::kUsbPort) {
        if (drvlib::IsWindows98() || drvlib::IsWindowsMe()) {
            const int first = number == 0 ? 1 : number;
            const int last = number == 0 ? kUsbCandidatesWhenAny : number;
            for (int candidate = first; candidate <= last && !drvlib::IsRealHandle(m_hPort); ++candidate) {
                const std::string name = Numbered("KXUSB", candidate, ":");
                m_hPort =
                    IsKXUSBHDD3() ? OpenKxusbHDD3(CString(name.c_str())) : drvlib::OpenPath("\\\\.\\" + name);
            }
        } else if (drvlib::IsNt5OrLater()) {
            const std::string path = drvlib::FindUsbPrinterPath(number);
            m_hPort = path.empty() ? drvlib::kInvalidHandle : drvlib::OpenPath(path);
        } else {
            return -50;
        }
        if (!CheckDeviceID(&m_strModel, &d4, nullptr)) {
            return -1;
        }
    } else {
        if (!drvlib::IsWindowsMe() && !drvlib::IsNt5OrLater()) {
            return -50;
        }
        const int first = number == 0 ? 1 : number;
        const int last = number == 0 ? kUsbCandidatesWhenAny : number;
        for (int unit = first; unit <= last && !drvlib::IsRealHandle(m_hPort); ++unit) {
            m_hPort = OpenIEEE1394(CString(Numbered(protocol::ieee1394::kPortNamePrefix, unit).c_str()));
        }
        if (!CheckDeviceID(&m_strModel, &d4, nullptr)) {
            return -1;
        }
    }

    // Common completion.
    if (m_bEcpDriver && m_hPort < 0) {
        m_strModel.Empty();
        Local_Close(m_hPort);
        m_hPort = 0;
        return -90;
    }
    if (!m_bEcpDriver && !drvlib::IsRealHandle(m_hPort)) {
        m_strModel.Empty();
        return -1;
    }
    if (kind != drvlib::kIeee1394Port && !d4) {
        return -6;
    }
    if (m_bEcpDriver) {
        drvlib::EcpSetTimeouts(m_hPort);
    } else {
        SetPortTimeouts(m_hPort);
    }
    if (kind == drvlib::kIeee1394Port) {
        // The IEEE 1394 unit is reached through its driver's own exchanges, without a connection.
        if (pModel != nullptr) {
            *pModel = m_strModel;
        }
        return 0;
    }
    return StartConnection(pModel);
}

int CWinVexilDrv::StartConnection(CString* pModel) {
    if (!CBT_Init()) {
        Local_Close(m_hPort);
        m_hPort = 0;
        m_strModel.Empty();
        return -11;
    }
    const drvlib::TransportEntries& transport = drvlib::Transport();
    const std::int32_t opened = m_bEcpDriver ? transport.open(this, &drvlib::EcpHookTable(m_hPort), &m_hCbt)
                                             : transport.open(drvlib::FindPort(m_hPort), nullptr, &m_hCbt);
    if (opened != 0 || m_hCbt == nullptr) {
        m_hCbt = nullptr;
        m_strModel.Empty();
        Local_Close(m_hPort);
        // An ECP port handle is the driver's number, not one of the port table: it is gone as well.
        m_hPort = 0;
        return -80;
    }
    m_pChannel[0] = drvlib::kControlChannel;
    if (transport.openChannel(m_hCbt, drvlib::kControlChannel) != 0) {
        transport.sleep(m_hCbt);
        m_pChannel[0] = drvlib::kNoChannel;
        m_hCbt = nullptr;
        m_strModel.Empty();
        Local_Close(m_hPort);
        m_hPort = 0;
        return -13;
    }
    transport.closeChannel(m_hCbt, drvlib::kControlChannel);
    if (pModel != nullptr) {
        *pModel = m_strModel;
    }
    m_pChannel[0] = drvlib::kDataChannel;
    if (transport.openChannel(m_hCbt, drvlib::kDataChannel) != 0) {
        return 1;
    }
    m_bDataChannelOpen = 1;
    return 0;
}

int CWinVexilDrv::Open(CString portName, CString* pModel) {
    if (!portName.IsEmpty() && drvlib::IsRealHandle(m_hPort)) {
        Local_Close(m_hPort);
        m_hPort = drvlib::kInvalidHandle;
    }
    m_nPortKind = drvlib::kUsbPort;
    m_bUseOrlexPort = 0;
    m_bEcpDriver = 0;
    m_bDataChannelOpen = 0;
    if (portName.IsEmpty()) {
        return -1;
    }
    if (pModel != nullptr) {
        pModel->Empty();
    }
    m_strModel.Empty();
    m_hPort = drvlib::OpenPath(portName.ToStdString());
    if (!drvlib::IsRealHandle(m_hPort)) {
        m_strModel.Empty();
        return -1;
    }
    int d4 = 0;
    if (!CheckDeviceID(&m_strModel, &d4, nullptr)) {
        return -1;
    }
    if (!d4) {
        return -6;
    }
    SetPortTimeouts(m_hPort);
    return StartConnection(pModel);
}

int CWinVexilDrv::Close() {
    if (m_nPortKind == drvlib::kIeee1394Port) {
        Local_Close(m_hPort);
        m_hPort = 0;
        return 0;
    }
    const drvlib::TransportEntries& transport = drvlib::Transport();
    // Only a bound library and a live connection are called: a failed open leaves neither.
    const bool connected = drvlib::TransportBound() && m_hCbt != nullptr;
    if (m_pChannel[0] != drvlib::kNoChannel && m_bDataChannelOpen == 1) {
        if (connected) {
            transport.closeChannel(m_hCbt, m_pChannel[0]);
        }
        m_pChannel[0] = drvlib::kNoChannel;
    }
    if (connected) {
        transport.sleep(m_hCbt);
    }
    m_hCbt = nullptr;
    Local_Close(m_hPort);
    m_hPort = 0;
    if (m_nPortKind == drvlib::kParallelPort && m_bUseOrlexPort == 1 && drvlib::IsWindows9x()) {
        drvlib::SwitchPortDriver(false);
    }
    return 0;
}
