// The process's binding to the driver selector (Plexer.dll) and the IEEE 1284.4 channel library
// (ChanLink.dll), both loaded by file name at start-up. Every operation looks its function up by its
// export name at the moment of the call and caches nothing, so a library that lacks a function
// answers 0xB000 for that operation alone and the rest keep working.
//
// The binder, the port driver and the channel library each hold one port per process: at most one
// exchange may be in progress at a time, on one thread. Nothing here shows a message; failures are
// status words (compare them with printer::Succeeded, the low 16 bits only).
#pragma once

#include <cstdint>
#include <string>

#include "platform/DynamicLibrary.h"
#include "printer/PortStatus.h"
#include "printer/ReceiveWindow.h"

class CPortLibraryBinder {
public:
    // Frees what is bound, then loads the two libraries by their Windows names (the platform's file
    // names on Linux), the driver selector first; loading it loads the port driver for the running
    // system at once. The cancel flag goes back to 0. False when either library did not load; the one
    // that did stays bound.
    static bool BindLibraries(const std::string& selectorName = "Plexer.dll",
                              const std::string& channelName = "ChanLink.dll");
    // Frees both libraries (process exit, and the test suites between cases).
    static void UnbindLibraries();
    static bool SelectorBound() { return selector_ != nullptr; }
    static bool ChannelLibraryBound() { return channel_ != nullptr; }

    // --- Driver selector ----------------------------------------------------------------------
    // Opens the port; on success the driver's I/O error code is read once and dropped, as the
    // driver resets it on that read.
    static printer::Status OpenPort(std::int16_t port);
    // 0x0001 once the close was called.
    static printer::Status ClosePort();
    // 0x0001 only when the printer's device ID announces the D4 channel protocol.
    static printer::Status CheckD4Support();
    // Plain bytes to the open port; never cancelled.
    static printer::Status SendRaw(const std::uint8_t* data, std::uint32_t count);
    // How many bytes the last send put on the wire before it stopped. Bound by name, beside the
    // eight delayed imports the plain stream otherwise uses: both reach the one loaded selector.
    static printer::Status PreviousSentSize(std::uint32_t* size);

    // --- Channel library ----------------------------------------------------------------------
    static printer::Status NegotiateChannel();
    static printer::Status TerminateChannel();
    // 0x0001 once called: the two bytes become the command code of the following EEPROM reads.
    static printer::Status SetCommandCode(std::uint8_t code1, std::uint8_t code2);
    static printer::Status SendChannelData(const std::uint8_t* data, std::uint32_t count);
    // The buffer must hold kReceiveWindow bytes: the library writes one reply packet's data and takes
    // no length.
    static printer::Status ReceiveChannelData(std::uint8_t* buffer);
    static printer::Status ReadChannelEeprom(std::uint32_t address, std::uint8_t* value);
    // buffer: kReceiveWindow bytes; the text is NUL-terminated in it.
    static printer::Status ReadStatusReply(char* buffer);

private:
    static void* Find(platform::LibraryHandle library, const char* name);

    // Passed by address to the channel library's calls that take one. Nothing sets it: the
    // technician cannot interrupt an exchange.
    static inline std::uint8_t cancel_ = 0;
    static inline platform::LibraryHandle channel_ = nullptr;
    static inline platform::LibraryHandle selector_ = nullptr;
};
