#include "PseudoTerminalPrinter.h"

#include <fcntl.h>
#include <poll.h>
#include <pty.h>
#include <termios.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <filesystem>
#include <span>

#include "vprinter/model/ModelProfile.h"

namespace clitest {
namespace {

// A hung-up terminal gives no event when it is opened again: look again this often meanwhile.
constexpr int kUnlinkedPollMilliseconds = 5;

}  // namespace

PseudoTerminalPrinter::PseudoTerminalPrinter(const testsupport::TemporaryFolder& folder,
                                             const std::string& profile, int usbNumber) {
    vprinter::ModelProfile model;
    if (!vprinter::LoadModelProfile(profile, &model, &error_)) {
        return;
    }
    printer_ =
        std::make_unique<vprinter::VirtualPrinter>(std::move(model), "USB" + std::to_string(usbNumber));

    int slave = -1;
    char terminal[256] = {};
    if (openpty(&master_, &slave, terminal, nullptr, nullptr) != 0) {
        error_ = "no pseudo-terminal";
        return;
    }
    // Raw: the printer's bytes pass untouched both ways (no echo, no line editing, no CR/NL mapping).
    // The setting belongs to the pair and outlives this descriptor.
    termios line{};
    tcgetattr(slave, &line);
    cfmakeraw(&line);
    tcsetattr(slave, TCSANOW, &line);
    close(slave);
    fcntl(master_, F_SETFL, fcntl(master_, F_GETFL) | O_NONBLOCK);

    const std::string node = "lp" + std::to_string(usbNumber - 1);
    std::error_code fault;
    std::filesystem::create_directories(folder.File("usb"), fault);
    std::filesystem::create_symlink(terminal, folder.File("usb/" + node), fault);
    if (fault) {
        error_ = "cannot link " + folder.File("usb/" + node) + ": " + fault.message();
        return;
    }
    folder.Write("sys/class/usbmisc/" + node + "/device/ieee1284_id", printer_->DeviceId());
}

PseudoTerminalPrinter::~PseudoTerminalPrinter() {
    if (master_ >= 0) {
        close(master_);
    }
}

int PseudoTerminalPrinter::WaitDescriptor() const {
    return linked_ ? master_ : -1;
}

int PseudoTerminalPrinter::WaitMilliseconds() const {
    if (!linked_) {
        return kUnlinkedPollMilliseconds;
    }
    if (!unsent_.empty()) {
        return 1;
    }
    const auto due = printer_->MillisecondsUntilReply();
    return due ? static_cast<int>(*due) : -1;
}

void PseudoTerminalPrinter::Serve() {
    if (master_ < 0 || printer_ == nullptr) {
        return;
    }
    pollfd state{master_, POLLIN, 0};
    poll(&state, 1, 0);
    const bool hungUp = (state.revents & POLLHUP) != 0;
    if ((!hungUp || (state.revents & POLLIN) != 0) && !printerOpen_) {
        printerOpen_ = printer_->Open();
        opens_ += printerOpen_ ? 1 : 0;
    }
    linked_ = !hungUp;
    TakeHostBytes();
    if (linked_) {
        GiveAnswers();
    } else if (printerOpen_) {
        // Every descriptor of the node closed: the cable's session ends, as a port close does.
        printer_->Close();
        printerOpen_ = false;
        unsent_.clear();
    }
}

void PseudoTerminalPrinter::TakeHostBytes() {
    std::uint8_t buffer[4096];
    for (;;) {
        const ssize_t count = read(master_, buffer, sizeof buffer);
        if (count <= 0) {
            return;  // nothing more now (EAGAIN), or hung up (EIO)
        }
        if (printerOpen_) {
            printer_->Write(std::span<const std::uint8_t>(buffer, static_cast<std::size_t>(count)));
        }
    }
}

void PseudoTerminalPrinter::GiveAnswers() {
    std::uint8_t buffer[4096];
    for (;;) {
        if (unsent_.empty()) {
            const std::size_t count = printer_->Read(buffer, sizeof buffer);
            if (count == 0) {
                return;
            }
            unsent_.assign(reinterpret_cast<const char*>(buffer), count);
        }
        const ssize_t written = write(master_, unsent_.data(), unsent_.size());
        if (written <= 0) {
            return;  // the terminal's queue is full: the rest goes when the host has read
        }
        unsent_.erase(0, static_cast<std::size_t>(written));
    }
}

}  // namespace clitest
