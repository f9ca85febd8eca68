#include "platform/core/SerialPorts.h"

#include "platform/core/Text.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <tuple>

namespace fs = std::filesystem;

namespace platform::core {

namespace {

std::string FirstLine(const fs::path& file) {
    std::ifstream in(file);
    std::string line;
    if (in)
        ReadLine(in, line);
    return Trim(line);
}

// "ttyUSB12" -> ("ttyUSB", 12), so ports sort by number and not by text.
std::pair<std::string, long> SplitNumber(const std::string& name) {
    size_t digits = name.size();
    while (digits > 0 && std::isdigit(static_cast<unsigned char>(name[digits - 1])))
        --digits;
    long number = digits < name.size() ? std::strtol(name.c_str() + digits, nullptr, 10) : -1;
    return {name.substr(0, digits), number};
}

// A built-in UART's tty exists whether or not the chip does; its type is 0 when there is none.
bool IsMissingUart(const fs::path& tty, const fs::path& device) {
    std::error_code ec;
    std::string driver = fs::read_symlink(device / "driver", ec).filename().string();
    if (driver != "serial8250" && tty.filename().string().rfind("ttyS", 0) != 0)
        return false;
    return FirstLine(tty / "type") == "0";
}

// The USB product name, from the device directory or one of the USB directories above it.
std::string UsbProduct(fs::path device) {
    for (int up = 0; up < 5 && !device.empty(); ++up, device = device.parent_path()) {
        std::error_code ec;
        if (fs::exists(device / "product", ec))
            return FirstLine(device / "product");
    }
    return {};
}

// Port name -> its stable name under /dev/serial/by-id.
std::map<std::string, std::string> ById(const fs::path& dir) {
    std::map<std::string, std::string> names;
    std::error_code ec;
    for (fs::directory_iterator it(dir, ec), end; !ec && it != end; it.increment(ec)) {
        std::error_code linkError;
        fs::path target = fs::read_symlink(it->path(), linkError);
        if (!linkError)
            names.emplace(target.filename().string(), it->path().filename().string());
    }
    return names;
}

} // namespace

std::vector<SerialPortInfo> SerialPorts::List(const std::string& root) {
    const fs::path base = root.empty() ? fs::path("/") : fs::path(root);
    const fs::path ttys = base / "sys/class/tty";
    const auto byId = ById(base / "dev/serial/by-id");
    std::vector<SerialPortInfo> ports;
    std::error_code ec;
    for (fs::directory_iterator it(ttys, ec), end; !ec && it != end; it.increment(ec)) {
        const fs::path tty = it->path();
        const fs::path link = tty / "device";
        std::error_code deviceError;
        fs::path device = fs::canonical(link, deviceError);
        // Consoles and pseudo-terminals have no device behind them.
        if (deviceError || IsMissingUart(tty, link))
            continue;
        SerialPortInfo port;
        port.portName = tty.filename().string();
        port.devicePath = "/dev/" + port.portName;
        port.usb = device.string().find("/usb") != std::string::npos;
        if (port.usb)
            port.description = UsbProduct(device);
        if (auto id = byId.find(port.portName); port.description.empty() && id != byId.end())
            port.description = id->second;
        if (port.description.empty())
            port.description = "Serial port";
        port.friendlyName = port.description + " (" + port.devicePath + ")";
        ports.push_back(std::move(port));
    }
    std::sort(ports.begin(), ports.end(), [](const SerialPortInfo& a, const SerialPortInfo& b) {
        return std::make_tuple(a.usb, SplitNumber(a.portName)) <
               std::make_tuple(b.usb, SplitNumber(b.portName));
    });
    return ports;
}

std::string SerialPorts::First(const std::string& root) {
    std::vector<SerialPortInfo> ports = List(root);
    return ports.empty() ? std::string() : ports.front().devicePath;
}

} // namespace platform::core
