#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "portfinder.h"
#include "tempdir.h"

namespace fs = std::filesystem;

namespace
{
const std::string kDevRoot = "/fake/dev";
const std::string kUsbBus = "devices/pci0000:00/0000:00:14.0/usb1";

struct UsbSerial
{
    std::string tty;
    std::string usbPort;  // position on the bus, "1-1"
    std::string manufacturer;
    std::string product;
    std::string interfaceName;  // empty: the interface has no string
    std::string vendorId;
    std::string productId;
};

void WriteAttribute(const fs::path& folder, const std::string& name, const std::string& value)
{
    fs::create_directories(folder);
    if (!value.empty())
        std::ofstream(folder / name) << value << "\n";
}

// A sysfs tree laid out as the kernel lays it out: class/tty/<name> links into the device tree, the
// port's "device" link points at the USB serial port (ttyUSB) or the USB interface (ttyACM), and
// the USB strings sit in the interface and device folders above. The root hub above them has
// strings of its own, which must never be taken for the port's.
class PortFinderTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        unsetenv("KELTHAR_FRONTEND_PORT");
        const fs::path hub = m_sysfs / kUsbBus;
        WriteAttribute(hub, "manufacturer", "Linux 6.1.0 xhci-hcd");
        WriteAttribute(hub, "product", "xHCI Host Controller");
        WriteAttribute(hub, "idVendor", "1d6b");
        WriteAttribute(hub, "idProduct", "0002");

        AddUsbSerial({"ttyUSB0", "1-1", "Silicon Labs", "CP2102 USB to UART Bridge Controller",
                      "CP2102 USB to UART Bridge Controller", "10c4", "ea60"});
        AddUsbSerial({"ttyUSB10", "1-3", "FTDI", "FT232R USB UART", "", "0403", "6001"});
        AddUsbSerial({"ttyUSB2", "1-4", "FTDI", "FT232R USB UART", "", "0403", "6001"});
        AddUsbSerial({"ttyACM0", "1-2", "MicroPython", "Board in FS mode", "Board CDC", "2e8a", "0005"});
        AddPort("ttyS0", "devices/platform/serial8250", true);
        AddPort("tty0", "devices/virtual", false);
    }
    void TearDown() override { unsetenv("KELTHAR_FRONTEND_PORT"); }

    std::string Find(int mode, const std::string& description) const
    {
        return kplatform::FindSerialPort(mode, description, m_sysfs.string(), kDevRoot);
    }

private:
    void AddUsbSerial(const UsbSerial& port)
    {
        const fs::path device = m_sysfs / kUsbBus / port.usbPort;
        WriteAttribute(device, "manufacturer", port.manufacturer);
        WriteAttribute(device, "product", port.product);
        WriteAttribute(device, "idVendor", port.vendorId);
        WriteAttribute(device, "idProduct", port.productId);
        const fs::path usbInterface = device / (port.usbPort + ":1.0");
        WriteAttribute(usbInterface, "interface", port.interfaceName);
        WriteAttribute(usbInterface, "bInterfaceNumber", "00");
        if (port.tty.rfind("ttyACM", 0) == 0)
            AddPort(port.tty, fs::relative(usbInterface, m_sysfs).string(), true);
        else
            AddPort(port.tty, fs::relative(usbInterface / port.tty, m_sysfs).string(), true);
    }

    // parent: the folder of the device the port belongs to, relative to the root.
    void AddPort(const std::string& tty, const std::string& parent, bool withDevice)
    {
        const fs::path classFolder = m_sysfs / parent / "tty" / tty;
        WriteAttribute(classFolder, "dev", "188:0");
        if (withDevice)
            fs::create_directory_symlink("../../../" + fs::path(parent).filename().string(),
                                         classFolder / "device");
        fs::create_directories(m_sysfs / "class" / "tty");
        fs::create_directory_symlink("../../" + parent + "/tty/" + tty, m_sysfs / "class" / "tty" / tty);
    }

    CTempDir m_root;
    const fs::path m_sysfs = fs::path(m_root.Path()) / "sys";
};

struct FindCase
{
    int mode;
    std::string description;
    std::string port;  // "" when nothing may match
};
}  // namespace

TEST_F(PortFinderTest, FindsThePortWhoseTextContainsTheDescription)
{
    const std::vector<FindCase> cases = {
        // The maker's name is found although the interface string names only the chip.
        {1, "Silicon", "ttyUSB0"},
        {1, "CP2102 USB to UART", "ttyUSB0"},
        // Two equal adapters: the lower number wins, not the lower string.
        {1, "FT232R", "ttyUSB2"},
        {1, "Board CDC", "ttyACM0"},
        {1, "MicroPython", "ttyACM0"},
        {1, "Host Controller", ""},
        {1, "silicon", ""},
        {1, "Nothing like it", ""},
        {2, "MicroPython", "ttyACM0"},
        {2, "Silicon", ""},
        {0, "USB\\VID_10C4&PID_EA60", "ttyUSB0"},
        {0, "VID_0403&PID_6001", "ttyUSB2"},
        {3, "USB\\VID_2E8A", "ttyACM0"},
        {0, "Silicon", ""},
        {0, "VID_1D6B", ""},
    };
    for (const FindCase& c : cases)
    {
        SCOPED_TRACE("mode " + std::to_string(c.mode) + " \"" + c.description + "\"");
        EXPECT_EQ(Find(c.mode, c.description), c.port.empty() ? "" : kDevRoot + "/" + c.port);
    }
}

TEST_F(PortFinderTest, EnvironmentNamesThePortDirectly)
{
    setenv("KELTHAR_FRONTEND_PORT", "/dev/pts/7", 1);
    EXPECT_EQ(Find(1, "Nothing like it"), "/dev/pts/7");
    EXPECT_EQ(Find(0, "Silicon"), "/dev/pts/7");

    setenv("KELTHAR_FRONTEND_PORT", "", 1);
    EXPECT_EQ(Find(1, "Silicon"), kDevRoot + "/ttyUSB0");
}

TEST(PortFinder, MissingTreeFindsNothing)
{
    unsetenv("KELTHAR_FRONTEND_PORT");
    CTempDir empty;
    EXPECT_EQ(kplatform::FindSerialPort(1, "Silicon", empty.File("no-such-sys"), kDevRoot), "");
    EXPECT_EQ(kplatform::FindSerialPort(1, "Silicon", empty.Path(), kDevRoot), "");
}
