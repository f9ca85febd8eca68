#pragma once

#include "platform/core/SerialPorts.h"
#include "platform/ui/Dialog.h"

#include <string>
#include <vector>

// "PC Communications Setup": the serial port, baud rate and data format of the drive line. The
// port list holds the ports of this machine and their stable names under /dev/serial/by-id; any
// other path (a pseudo-terminal) may be typed.
class ZRCommSetup : public platform::ui::Dialog {
public:
    enum : int { IDD = 254, IDC_PORT = 1024, IDC_BAUD_RATE = 1025, IDC_FORMAT = 1026 };
    // A device path is as long as the system allows, not a five-character port name.
    static constexpr int kMaxPortChars = 255;

    explicit ZRCommSetup(QWidget* parent = nullptr);

    // The name a port is listed by: the text in the last parentheses of its friendly name, else its
    // device path.
    static std::string DisplayName(const platform::core::SerialPortInfo& port);
    // Where the ports are listed from ("/" on a real machine; tests give their own tree).
    static void SetPortRoot(std::string root) { s_PortRoot = std::move(root); }

    std::string m_BaudRate = "38400";
    std::string m_Format = "8 Data, No Parity";
    std::string m_Port;

protected:
    bool OnInitDialog() override;
    void DoDataExchange(platform::ui::DataExchange& dx) override;

private:
    static inline std::string s_PortRoot = "/";
};
