#include "quorvance/online/ZRCommSetup.h"

#include "platform/core/FileSystem.h"
#include "platform/core/Modal.h"
#include "platform/ui/CommandIds.h"
#include "quorvance/online/OnlineIds.h"
#include "quorvance/shell/ZRQuorvanceApp.h"

#include <algorithm>
#include <exception>
#include <string>

using platform::ui::ControlSpec;

namespace {
// Where udev keeps a link per serial device, named by its maker, product and serial number.
const std::string kStableNames = "/dev/serial/by-id/";
} // namespace

ZRCommSetup::ZRCommSetup(QWidget* parent)
    : platform::ui::Dialog(
          IDD, "PC Communications Setup",
          {ControlSpec::Static(-1, "Communication Parameters"), ControlSpec::Static(-1, "Serial Port:"),
           ControlSpec::EditCombo(IDC_PORT), ControlSpec::Static(-1, "Baud Rate:"),
           ControlSpec::Combo(IDC_BAUD_RATE, {"1200", "2400", "4800", "9600", "19200", "38400", "57600"}),
           ControlSpec::Static(-1, "Format:"),
           ControlSpec::Combo(IDC_FORMAT, {"7 Data Bits, Even Parity", "7 Data Bits, Odd Parity",
                                           "8 Data Bits, No Parity", "8 Data Bits, Even Parity",
                                           "8 Data Bits, Odd Parity"}),
           ControlSpec::Static(-1, "Merrix only supports 8 Data Bits, No Parity."),
           ControlSpec::DefaultButton(platform::core::IDOK, "OK"),
           ControlSpec::Button(platform::core::IDCANCEL, "Cancel"),
           ControlSpec::Button(static_cast<int>(platform::ui::ids::ID_HELP), "Help")},
          parent) {
    SetButtonHandler(static_cast<int>(platform::ui::ids::ID_HELP), [] {
        if (ZRQuorvanceApp* app = ZRQuorvanceApp::Instance())
            app->WinHelp(online::kHelpTopicCommSetup, 1);
    });
}

std::string ZRCommSetup::DisplayName(const platform::core::SerialPortInfo& port) {
    const std::string& name = port.friendlyName;
    const size_t close = name.rfind(')');
    const size_t open = close == std::string::npos ? std::string::npos : name.rfind('(', close);
    if (open != std::string::npos && close > open + 1)
        return name.substr(open + 1, close - open - 1);
    return port.devicePath.empty() ? port.portName : port.devicePath;
}

bool ZRCommSetup::OnInitDialog() {
    platform::ui::Dialog::OnInitDialog();
    std::vector<std::string> names;
    try {
        for (const platform::core::SerialPortInfo& port : platform::core::SerialPorts::List(s_PortRoot))
            names.push_back(DisplayName(port));
    } catch (const std::exception& error) {
        // The ports found so far stay; a typed path still works.
        platform::core::MessageBox(error.what());
    }
    // The stable names of the same ports: they survive re-plugging an adapter into another socket.
    for (const std::string& name : platform::core::FileSystem::List(s_PortRoot + kStableNames))
        names.push_back(kStableNames + name);
    std::sort(names.begin(), names.end());
    SetItems(IDC_PORT, names);
    UpdateData(false);
    return true;
}

void ZRCommSetup::DoDataExchange(platform::ui::DataExchange& dx) {
    dx.Text(IDC_BAUD_RATE, m_BaudRate, 6);
    dx.Text(IDC_FORMAT, m_Format, 25);
    dx.Text(IDC_PORT, m_Port, kMaxPortChars);
}
