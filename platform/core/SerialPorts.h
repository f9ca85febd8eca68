// The serial ports of this machine, as the kernel lists them: every tty under /sys/class/tty
// that has a device behind it (built-in UARTs only when the hardware is there), described from
// sysfs and /dev/serial/by-id.
#pragma once

#include <string>
#include <vector>

namespace platform::core {

struct SerialPortInfo {
    std::string devicePath;   // "/dev/ttyUSB0": what the program opens and stores as the port
    std::string portName;     // "ttyUSB0"
    std::string friendlyName; // "FT232R USB UART (/dev/ttyUSB0)"
    bool usb = false;
    std::string description; // the USB product, the by-id name, or "Serial port"
};

class SerialPorts {
public:
    // Built-in ports first, then USB ones, each in the order of their numbers. `root` stands for
    // "/" (tests give a directory that holds sys/class/tty and dev/serial/by-id).
    static std::vector<SerialPortInfo> List(const std::string& root = "/");
    // The device path of the first port, or empty when the machine has none.
    static std::string First(const std::string& root = "/");
};

} // namespace platform::core
