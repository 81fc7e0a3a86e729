// What the library holds once per process, shared by every CWinVexilDrv: the port table behind the
// 32-bit port handles, the bound transport library, the system family, and the two ways a message
// reaches the technician.
#pragma once

#include <cstdint>
#include <string>

#include "cbt/Kcbt.h"
#include "platform/Device.h"
#include "platform/DynamicLibrary.h"

namespace drvlib {

// ---- Port handles ----------------------------------------------------------------------------------
// The object keeps a 32-bit handle, as the system's callers expect; the port behind it is a port of
// the device seam held in this table. A copy of an object takes another reference to the same port, so
// the port closes when the last holder lets go. -1 and 0 are never handles.
inline constexpr std::int32_t kInvalidHandle = -1;

bool IsRealHandle(std::int32_t handle);
// A handle for a port just opened; the table takes it over.
std::int32_t AdoptPort(platform::DevicePortPtr port);
// The port of a handle, or null when the handle names none.
platform::DevicePort* FindPort(std::int32_t handle);
// One more holder of the handle (a copied object).
void RetainPort(std::int32_t handle);
// One holder less; the last one closes the port.
void ReleasePort(std::int32_t handle);

// Opens a port through the process's device back-end; the invalid handle when it does not open.
std::int32_t OpenPort(const platform::PortAddress& address);
std::int32_t OpenPath(const std::string& path);

// ---- System family -----------------------------------------------------------------------------------
// From the OS version query. The native build reports its own platform id; the library treats it as
// the NT line, whose procedures (the class device-ID request, the printer-class USB discovery) are
// the ones the device seam provides on every back-end.
bool IsWindows9x();
bool IsWindows98();
bool IsWindowsMe();
bool IsNt5OrLater();

// ---- The transport library ----------------------------------------------------------------------------
struct TransportEntries {
    platform::LibraryHandle library = nullptr;
    decltype(&::KCBT_Open) open = nullptr;
    decltype(&::KCBT_Close) close = nullptr;
    decltype(&::KCBT_Awake) awake = nullptr;
    decltype(&::KCBT_Sleep) sleep = nullptr;
    decltype(&::KCBT_Write) write = nullptr;
    decltype(&::KCBT_Read) read = nullptr;
    decltype(&::KCBT_OpenChannel) openChannel = nullptr;
    decltype(&::KCBT_CloseChannel) closeChannel = nullptr;
    decltype(&::KCBT_GetSocketID) getSocketId = nullptr;
    decltype(&::KCBT_GetServiceName) getServiceName = nullptr;
};

// The process's binding; every slot is null until CBT_Init succeeds.
TransportEntries& Transport();
bool TransportBound();

// ---- Messages ------------------------------------------------------------------------------------------
// A plain box with an OK button.
void ShowPlainMessage(const std::string& text);
// A box with the warning icon and an OK button.
void ShowWarningMessage(const std::string& text);

// ---- Port kinds (m_nPortKind, the tens digit of a port code)
// ------------------------------------------------
inline constexpr int kParallelPort = 0;
inline constexpr int kUsbPort = 1;
inline constexpr int kIeee1394Port = 2;

// ---- Channel numbers ---------------------------------------------------------------------------------
inline constexpr std::uint8_t kNoChannel = 0x00;
inline constexpr std::uint8_t kControlChannel = 0x02;
inline constexpr std::uint8_t kDataChannel = 0x40;

// The size of a reply buffer of the command exchanges and of Receive.
inline constexpr int kReplyBufferSize = 256;

}  // namespace drvlib
