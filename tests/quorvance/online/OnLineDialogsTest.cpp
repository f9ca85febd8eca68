#include "platform/core/SerialPorts.h"
#include "platform/core/Settings.h"
#include "platform/ui/Dialog.h"
#include "quorvance/online/ZRCommSetup.h"
#include "quorvance/online/ZROnLine.h"
#include "quorvance/online/ZRRescanDlg.h"
#include "quorvance/shell/ZRGlobalDataMgr.h"
#include "support/ModalScript.h"
#include "support/ScopedEnv.h"
#include "support/TempDir.h"

#include <QAbstractButton>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

namespace {

using platform::core::IDCANCEL;
using platform::core::IDOK;
using platform::core::ModalKind;
using platform::ui::Dialog;
using platform::ui::PressDialogButton;
using D = ZRRescanDlg;

// The dialog as it opens at the baud rate; the fill inspects it and the button ends it. The
// messages are those the fill's actions bring up.
void RunRescanDialog(ZROnLine& root, int baud, int button, std::function<void(Dialog&)> fill,
                     const std::vector<std::string>& messages = {}) {
    root.SetLinkSettingsSource([baud] {
        ZRLinkSettings link;
        link.baudRate = baud;
        return link;
    });
    ModalScript script;
    script.Expect(ModalKind::Dialog, "Rescan Options", PressDialogButton(button, std::move(fill)));
    for (const std::string& message : messages)
        script.ExpectMessage(message, IDOK);
    ZRRescanDlg dialog(&root);
    EXPECT_EQ(dialog.DoModal(), button);
}

// A check box clicked as the user clicks it.
void Click(Dialog& d, int id) {
    if (auto* box = qobject_cast<QAbstractButton*>(d.Item(id)))
        box->click();
}

} // namespace

TEST(RescanOptions, BaudRateGreysTheFamiliesThatCannotTalkAtIt) {
    struct Case {
        int baud;
        bool tarvik, fenwa; // ticked and enabled
    };
    for (const Case& c : {Case{38400, true, true}, Case{19200, true, false}, Case{57600, false, false}}) {
        SCOPED_TRACE(c.baud);
        ZROnLine root;
        root.GetScanSettings().scanZelna = 0;
        RunRescanDialog(root, c.baud, IDCANCEL, [&](Dialog& d) {
            EXPECT_EQ(d.GetCheck(D::IDC_TARVIK), c.tarvik ? 1 : 0);
            EXPECT_EQ(d.IsItemEnabled(D::IDC_TARVIK), c.tarvik);
            EXPECT_EQ(d.GetCheck(D::IDC_FENWA), c.fenwa ? 1 : 0);
            EXPECT_EQ(d.IsItemEnabled(D::IDC_FENWA), c.fenwa);
            EXPECT_EQ(d.GetItemText(D::IDC_TARVIK_FROM), "0");
            EXPECT_EQ(d.GetItemText(D::IDC_MERRIX_TO), "10");
        });
        // Cancel keeps what the root had.
        EXPECT_EQ(root.GetScanSettings().scanTarvik, 1);
    }
}

TEST(RescanOptions, ZelnaAndFenwaExcludeEachOtherAndNodesStayInRangeWhenSaved) {
    TempDir config;
    ScopedEnv env("QUORVANCE_CONFIG_DIR", config.Path().string());
    ZRGlobalDataMgr::DestroyInstance();
    ZRGlobalDataMgr::Instance()->GetUserKey().Connect(platform::core::Settings::User());
    ZROnLine root;
    root.GetScanSettings().scanFenwa = 0;
    RunRescanDialog(
        root, 38400, IDOK,
        [](Dialog& d) {
            Click(d, D::IDC_FENWA);
            EXPECT_EQ(d.GetCheck(D::IDC_ZELNA), 0);
            Click(d, D::IDC_ZELNA);
            EXPECT_EQ(d.GetCheck(D::IDC_FENWA), 0);
            // Node 300 would reach the drives as node 44: refused, the dialog stays open.
            d.SetItemText(D::IDC_TARVIK_TO, "300");
            d.ClickButton(IDOK);
            EXPECT_FALSE(d.IsEnded());
            d.SetItemText(D::IDC_TARVIK_TO, "254");
        },
        {"Enter a whole number from 0 to 254."});
    EXPECT_EQ(root.GetScanSettings().tarvikTo, 254);
    EXPECT_EQ(root.GetScanSettings().scanZelna, 1);
    EXPECT_EQ(root.GetScanSettings().scanFenwa, 0);

    // Saved: a new root reads the same.
    ZROnLine reread;
    reread.LoadScanSettings();
    EXPECT_EQ(reread.GetScanSettings(), root.GetScanSettings());
    ZRGlobalDataMgr::DestroyInstance();
}

TEST(CommSetup, DisplayNameNeverReadsOutsideTheFriendlyName) {
    struct Case {
        const char* friendly;
        const char* path;
        const char* shown;
    };
    for (const Case& c : {Case{"FT232R USB UART (/dev/ttyUSB0)", "/dev/ttyUSB0", "/dev/ttyUSB0"},
                          Case{"Communications Port (COM1)", "/dev/ttyS0", "COM1"},
                          Case{"COM", "/dev/ttyS3", "/dev/ttyS3"}, Case{"", "/dev/ttyACM0", "/dev/ttyACM0"},
                          Case{"odd ()", "/dev/ttyS1", "/dev/ttyS1"}, Case{")(", "/dev/ttyS2", "/dev/ttyS2"}}) {
        platform::core::SerialPortInfo port;
        port.friendlyName = c.friendly;
        port.devicePath = c.path;
        EXPECT_EQ(ZRCommSetup::DisplayName(port), c.shown) << c.friendly;
    }
}

TEST(CommSetup, ListsThePortsFoundAndTakesATypedPath) {
    // A machine with a built-in port and a USB adapter, as sysfs shows them.
    TempDir root;
    namespace fs = std::filesystem;
    auto port = [&](const std::string& name, const std::string& device, const char* uart) {
        fs::create_directories(root.Path() / "sys/devices" / device);
        fs::create_directories(root.Path() / "sys/class/tty" / name);
        fs::create_symlink(root.Path() / "sys/devices" / device, root.Path() / "sys/class/tty" / name / "device");
        if (uart)
            std::ofstream(root.Path() / "sys/class/tty" / name / "type") << uart << "\n";
    };
    port("ttyUSB0", "pci0/usb1/1-1/1-1:1.0/ttyUSB0", nullptr);
    port("ttyS0", "pnp0/00:04", "4");
    // The adapter's stable name, as udev links it.
    fs::create_directories(root.Path() / "dev/serial/by-id");
    fs::create_symlink("../../ttyUSB0", root.Path() / "dev/serial/by-id/usb-FTDI_FT232R_USB_UART_A1B2C3-if00-port0");
    ZRCommSetup::SetPortRoot(root.Path().string() + "/");
    std::vector<std::string> listed;
    ModalScript script;
    script.Expect(ModalKind::Dialog, "PC Communications Setup", PressDialogButton(IDOK, [&](Dialog& d) {
                      listed = d.GetItems(ZRCommSetup::IDC_PORT);
                      EXPECT_EQ(d.GetItemText(ZRCommSetup::IDC_PORT), "/dev/pts/7");
                      // The default format is no item of the list: nothing is selected.
                      EXPECT_EQ(d.GetSelection(ZRCommSetup::IDC_FORMAT), -1);
                      EXPECT_EQ(d.GetItemText(ZRCommSetup::IDC_BAUD_RATE), "38400");
                      d.SetItemText(ZRCommSetup::IDC_PORT, "/tmp/simulated-line");
                      d.SetItemText(ZRCommSetup::IDC_BAUD_RATE, "9600");
                  }));
    ZRCommSetup dialog;
    dialog.m_Port = "/dev/pts/7";
    EXPECT_EQ(dialog.DoModal(), IDOK);
    ZRCommSetup::SetPortRoot("/");
    EXPECT_EQ(dialog.m_Port, "/tmp/simulated-line");
    EXPECT_EQ(dialog.m_BaudRate, "9600");
    EXPECT_EQ(dialog.m_Format, "");
    EXPECT_EQ(listed, (std::vector<std::string>{"/dev/serial/by-id/usb-FTDI_FT232R_USB_UART_A1B2C3-if00-port0",
                                                "/dev/ttyS0", "/dev/ttyUSB0"}));
}
