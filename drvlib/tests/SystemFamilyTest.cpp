// The procedures of the older systems, run on the printers in process under a pretended OS version:
// the kinds each system supports, the maker's USB driver names of Windows 98 and Me, and the switch of
// the maker's parallel port driver on Windows 9x.
#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "DriverFixture.h"
#include "platform/OsVersion.h"

namespace drvtest {
namespace {

using platform::DeviceError;

platform::OsVersionInfo Version(std::uint32_t platformId, std::uint32_t major, std::uint32_t minor) {
    platform::OsVersionInfo info;
    info.platformId = platformId;
    info.majorVersion = major;
    info.minorVersion = minor;
    return info;
}

const platform::OsVersionInfo kWindows95 = Version(platform::kPlatformWindows, 4, 0);
const platform::OsVersionInfo kWindows98 = Version(platform::kPlatformWindows, 4, 10);
const platform::OsVersionInfo kWindowsMe = Version(platform::kPlatformWindows, 4, 90);
const platform::OsVersionInfo kWindowsNt4 = Version(platform::kPlatformNt, 4, 0);

constexpr char kPortsClass[] = "System\\CurrentControlSet\\Services\\Class\\Ports";

// The printers in process, with the port class of a Windows 9x registry in front: subkeys 0000, 0001,
// ... each with a "ProviderName".
class PortsRegistry final : public platform::DeviceBackend {
public:
    explicit PortsRegistry(platform::DeviceBackend& printers) : printers_(printers), installed_(*this) {}

    std::vector<std::string> providers;                                     // one subkey each
    std::vector<std::pair<std::string, std::vector<std::uint8_t>>> writes;  // key, value of "KCB"

    const char* Name() const override { return "ports-registry"; }
    DeviceError Open(const platform::PortAddress& a, platform::DevicePortPtr* p) override {
        return printers_.Open(a, p);
    }
    DeviceError Write(platform::DevicePort& p, const std::uint8_t* d, std::uint32_t c,
                      std::uint32_t* w) override {
        return printers_.Write(p, d, c, w);
    }
    DeviceError Read(platform::DevicePort& p, std::uint8_t* b, std::uint32_t c, std::uint32_t* r) override {
        return printers_.Read(p, b, c, r);
    }
    DeviceError GetTimeouts(platform::DevicePort& p, platform::PortTimeouts* t) override {
        return printers_.GetTimeouts(p, t);
    }
    DeviceError SetTimeouts(platform::DevicePort& p, const platform::PortTimeouts& t) override {
        return printers_.SetTimeouts(p, t);
    }
    DeviceError GetLineSettings(platform::DevicePort& p, platform::LineSettings* s) override {
        return printers_.GetLineSettings(p, s);
    }
    DeviceError SetLineSettings(platform::DevicePort& p, const platform::LineSettings& s) override {
        return printers_.SetLineSettings(p, s);
    }
    DeviceError GetComStatus(platform::DevicePort& p, platform::ComStatus* s) override {
        return printers_.GetComStatus(p, s);
    }
    DeviceError GetDeviceId(platform::DevicePort& p, const platform::DeviceRequest& q, std::uint8_t* b,
                            std::uint32_t c, platform::DeviceIdReply* r) override {
        requests.push_back(q.controlCode);
        return printers_.GetDeviceId(p, q, b, c, r);
    }
    DeviceError SoftReset(platform::DevicePort& p, const platform::DeviceRequest& q) override {
        return printers_.SoftReset(p, q);
    }
    DeviceError ListInterfaces(const std::string& c,
                               std::vector<platform::DeviceInterfaceEntry>* e) override {
        return printers_.ListInterfaces(c, e);
    }
    DeviceError QueryDosAlias(const std::string& a, std::string* t) override {
        return printers_.QueryDosAlias(a, t);
    }
    DeviceError DefineDosAlias(const std::string& a, const std::string& t) override {
        return printers_.DefineDosAlias(a, t);
    }
    DeviceError DeviceControl(platform::DevicePort& p, const platform::DeviceRequest& q, std::uint8_t* o,
                              std::uint32_t c, std::uint32_t* r) override {
        return printers_.DeviceControl(p, q, o, c, r);
    }
    DeviceError EnumRegistrySubkey(const std::string& key, std::uint32_t index, std::string* name) override {
        if (key != kPortsClass) {
            return printers_.EnumRegistrySubkey(key, index, name);
        }
        if (index >= providers.size()) {
            return DeviceError::NotFound;
        }
        *name = "000" + std::to_string(index);
        return DeviceError::None;
    }
    DeviceError ReadRegistryValue(const std::string& key, const std::string& name,
                                  std::vector<std::uint8_t>* value) override {
        const std::string prefix = std::string(kPortsClass) + "\\000";
        if (key.rfind(prefix, 0) != 0) {
            return printers_.ReadRegistryValue(key, name, value);
        }
        const std::size_t index = std::stoul(key.substr(prefix.size()));
        if (name != "ProviderName" || index >= providers.size()) {
            return DeviceError::NotFound;
        }
        value->assign(providers[index].begin(), providers[index].end());
        value->push_back(0);
        return DeviceError::None;
    }
    DeviceError WriteRegistryBinary(const std::string& key, const std::string& name,
                                    const std::vector<std::uint8_t>& value) override {
        EXPECT_EQ(name, "KCB");
        writes.emplace_back(key, value);
        return DeviceError::None;
    }

    std::vector<std::uint32_t> requests;  // device-ID request codes, in order

private:
    platform::DeviceBackend& printers_;
    platform::ScopedDeviceBackend installed_;
};

class SystemFamilyTest : public DriverFixture {
protected:
    PortsRegistry registry{ports};
};

TEST_F(SystemFamilyTest, EachSystemOpensOnlyTheKindsItSupports) {
    AddPrinter("USB1");
    CWinVexilDrv driver;
    {
        platform::ScopedOsVersion windows95(kWindows95);
        EXPECT_EQ(driver.Open(11, nullptr, 0), -50);
        EXPECT_EQ(driver.Open(21, nullptr, 0), -50);
    }
    {
        platform::ScopedOsVersion windowsNt4(kWindowsNt4);
        EXPECT_EQ(driver.Open(11, nullptr, 0), -50);
        EXPECT_EQ(driver.Open(21, nullptr, 0), -50);
    }
    {
        // Windows Me knows IEEE 1394 units; none is attached.
        platform::ScopedOsVersion windowsMe(kWindowsMe);
        EXPECT_EQ(driver.Open(21, nullptr, 0), -1);
    }
    EXPECT_TRUE(messages.Texts().empty());
}

TEST_F(SystemFamilyTest, Windows98OpensUsbThroughTheMakersDriverNames) {
    AddPrinter("USB2");
    platform::ScopedOsVersion windows98(kWindows98);
    CWinVexilDrv driver;
    CString model;
    // Any port: KXUSB1: is not there, KXUSB2: is.
    ASSERT_EQ(driver.Open(10, &model, 0), 0);
    EXPECT_EQ(model, "ORLEX VK-572D");
    EXPECT_EQ(ports.OpenNow("USB2"), 1);
    driver.Close();
    EXPECT_EQ(driver.Open(11, &model, 0), -1);
    // The maker's USB driver answers the device ID to its own request.
    ASSERT_FALSE(registry.requests.empty());
    EXPECT_EQ(registry.requests.front(), 0x221804u);
}

TEST_F(SystemFamilyTest, Windows9xSwitchesTheMakersPortDriverOnForTheOpenAndOffAtClose) {
    AddPrinter("LPT1");
    registry.providers = {"Microsoft", "ORLEX"};
    platform::ScopedOsVersion windows98(kWindows98);
    CWinVexilDrv driver;
    ASSERT_EQ(driver.Open(1, nullptr, 1), 0);
    ASSERT_EQ(registry.writes.size(), 1u);
    EXPECT_EQ(registry.writes[0].first, std::string(kPortsClass) + "\\0001");
    EXPECT_EQ(registry.writes[0].second,
              (std::vector<std::uint8_t>{0x0C, 0, 0, 0, 0, 0, 0x00, 0x01, 0, 0, 0, 0}));
    // The parallel driver of Windows 9x answers the device ID to its own request.
    EXPECT_EQ(registry.requests.front(), 0x11u);
    driver.Close();
    ASSERT_EQ(registry.writes.size(), 2u);
    EXPECT_EQ(registry.writes[1].second,
              (std::vector<std::uint8_t>{0x0C, 0, 0, 0, 0, 0, 0x01, 0x01, 0, 0, 0, 0}));
}

TEST_F(SystemFamilyTest, Windows9xWithoutTheMakersPortDriverSaysSoAndGivesMinus60) {
    AddPrinter("LPT1");
    registry.providers = {"Microsoft"};
    platform::ScopedOsVersion windows98(kWindows98);
    CWinVexilDrv driver;
    EXPECT_EQ(driver.Open(1, nullptr, 1), -60);
    EXPECT_EQ(messages.Texts(),
              (std::vector<std::string>{"Communication error\nOrlex Printer Port is not Found.\n"
                                        "Please Install Orlex Printer Driver."}));
    EXPECT_EQ(ports.OpenCount("LPT1"), 0);
    // Without the maker's port the system's own is used.
    EXPECT_EQ(driver.Open(1, nullptr, 0), 0);
    driver.Close();
}

TEST_F(SystemFamilyTest, Windows9xTriesAParallelPortUnderItsPlainNameOnly) {
    registry.providers = {"ORLEX"};
    platform::ScopedOsVersion windows98(kWindows98);
    CWinVexilDrv driver;
    EXPECT_EQ(driver.Open(2, nullptr, 1), -91);
    // Switched on for the open, and off again when the port did not open.
    ASSERT_EQ(registry.writes.size(), 2u);
    EXPECT_EQ(registry.writes[1].second[6], 0x01);
}

}  // namespace
}  // namespace drvtest
