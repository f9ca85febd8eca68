// Serial ports found in a made-up sysfs and /dev tree.
#include "platform/core/SerialPorts.h"

#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace fs = std::filesystem;
using platform::core::SerialPorts;

namespace {

// A machine in miniature: devices under sys/devices, their ttys under sys/class/tty.
class Machine {
public:
    // A tty with a device; `uartType` is written for built-in UARTs ("0": no chip behind it).
    void Port(const std::string& name, const std::string& device, const std::string& driver = {},
              const std::string& uartType = {}) {
        fs::path dev = Root() / "sys/devices" / device;
        fs::create_directories(dev);
        fs::path tty = Root() / "sys/class/tty" / name;
        fs::create_directories(tty);
        fs::create_symlink(dev, tty / "device");
        if (!driver.empty()) {
            fs::create_directories(Root() / "sys/bus/drivers" / driver);
            fs::create_symlink(Root() / "sys/bus/drivers" / driver, dev / "driver");
        }
        if (!uartType.empty())
            std::ofstream(tty / "type") << uartType << "\n";
    }
    // A tty with nothing behind it (a console, a pseudo-terminal).
    void Virtual(const std::string& name) { fs::create_directories(Root() / "sys/class/tty" / name); }
    void Product(const std::string& usbDevice, const std::string& product) {
        std::ofstream(Root() / "sys/devices" / usbDevice / "product") << product << "\n";
    }
    void ById(const std::string& id, const std::string& name) {
        fs::create_directories(Root() / "dev/serial/by-id");
        fs::create_symlink("../../" + name, Root() / "dev/serial/by-id" / id);
    }
    fs::path Root() const { return dir.Path(); }

private:
    TempDir dir;
};

} // namespace

TEST(SerialPorts, ListsRealPortsBuiltInFirstThenUsbInNumberOrder) {
    Machine m;
    m.Virtual("tty0");
    m.Virtual("ttyp0");
    m.Port("ttyS0", "platform/serial8250", "serial8250", "4");
    m.Port("ttyS1", "platform/serial8250.1", "serial8250", "0"); // no chip
    m.Port("ttyS10", "pnp0/00:05", "serial", "4");
    m.Port("ttyS2", "pnp0/00:04", "serial", "4");
    m.Port("ttyUSB10", "pci0/usb1/1-2/1-2:1.0/ttyUSB10");
    m.Port("ttyUSB1", "pci0/usb1/1-1/1-1:1.0/ttyUSB1");
    m.Product("pci0/usb1/1-1", "FT232R USB UART");
    m.Port("ttyACM0", "pci0/usb2/2-1/2-1:1.0");
    m.ById("usb-Maker_Board_1234-if00", "ttyACM0");

    auto ports = SerialPorts::List(m.Root().string());
    std::vector<std::string> names;
    for (const auto& p : ports)
        names.push_back(p.devicePath);
    EXPECT_EQ(names, (std::vector<std::string>{"/dev/ttyS0", "/dev/ttyS2", "/dev/ttyS10", "/dev/ttyACM0",
                                               "/dev/ttyUSB1", "/dev/ttyUSB10"}));
    ASSERT_EQ(ports.size(), 6u);
    EXPECT_FALSE(ports[0].usb);
    EXPECT_EQ(ports[0].portName, "ttyS0");
    EXPECT_EQ(ports[0].description, "Serial port");
    EXPECT_EQ(ports[0].friendlyName, "Serial port (/dev/ttyS0)");
    EXPECT_TRUE(ports[3].usb);
    EXPECT_EQ(ports[3].description, "usb-Maker_Board_1234-if00");
    EXPECT_EQ(ports[4].description, "FT232R USB UART");
    EXPECT_EQ(ports[4].friendlyName, "FT232R USB UART (/dev/ttyUSB1)");
    EXPECT_EQ(ports[5].description, "Serial port");
    EXPECT_EQ(SerialPorts::First(m.Root().string()), "/dev/ttyS0");
}

TEST(SerialPorts, AMachineWithoutPortsHasNoFirstPort) {
    Machine m;
    EXPECT_EQ(SerialPorts::First(m.Root().string()), "");
    m.Virtual("tty1");
    m.Port("ttyS0", "platform/serial8250", "serial8250", "0");
    EXPECT_TRUE(SerialPorts::List(m.Root().string()).empty());
    m.Port("ttyUSB0", "pci0/usb1/1-1/1-1:1.0/ttyUSB0");
    EXPECT_EQ(SerialPorts::First(m.Root().string()), "/dev/ttyUSB0");
}
