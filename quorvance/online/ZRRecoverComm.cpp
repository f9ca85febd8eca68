#include "quorvance/online/ZRRecoverComm.h"

#include "kitbase/model/ZRObject.h"
#include "kitbase/model/ZRUpdate.h"
#include "platform/core/Modal.h"
#include "platform/ui/HelpRequest.h"
#include "platform/ui/MainWindow.h"
#include "quorvance/online/OnlineIds.h"
#include "quorvance/online/ZROnLine.h"
#include "quorvance/online/ZRRCCommSetup.h"
#include "quorvance/online/ZRRCConfirm.h"
#include "quorvance/online/ZRRCConnect.h"
#include "quorvance/online/ZRRCScanning.h"
#include "quorvance/shell/ZRGlobalDataMgr.h"
#include "quorvance/shell/ZRQuorvanceApp.h"

#include <functional>
#include <memory>

namespace {
// The search always runs so, whatever the drive was set to.
constexpr const char* kRecoveryBaud = "9600";
constexpr const char* kRecoveryFormat = "8 Data Bits, No Parity";
} // namespace

ZRRecoverComm::ZRRecoverComm(const std::string& caption, QWidget* parent, int firstPage)
    : PropertySheet(caption, parent, firstPage) {}

ZRRecoverComm::~ZRRecoverComm() {
    SetDrive(nullptr);
}

void ZRRecoverComm::SetDrive(ZRObject* drive) {
    if (drive == m_pDrive)
        return;
    if (m_pDrive)
        m_pDrive->RemoveObserver(this);
    m_pDrive = drive;
    if (m_pDrive)
        m_pDrive->AddObserver(this);
}

void ZRRecoverComm::OnUpdate(platform::core::Subject* subject, platform::core::Message* message) {
    // Whoever deletes the drive (a removal of all drives, a new search at the node), the sheet
    // must not hold on to it.
    if (m_pDrive && subject == static_cast<platform::core::Subject*>(m_pDrive) &&
        ReasonOf(message) == ZRUpdate::Destroying)
        m_pDrive = nullptr;
}

void ZRRecoverComm::ReleaseDrive(ZROnLine* root) {
    ZRObject* drive = m_pDrive;
    SetDrive(nullptr);
    if (!drive || !root || drive->GetParent() != root)
        return;
    std::unique_ptr<ZRObject> removed = root->RemoveChild(drive);
}

void ZRRecoverComm::OnHelp() {
    if (ZRQuorvanceApp* app = ZRQuorvanceApp::Instance())
        app->WinHelp(online::kHelpTopicRecoverComm, platform::ui::HELP_CONTEXT);
}

void ZRRecoverComm::RunCommand(ZRQuorvanceApp& app) {
    ZROnLine* root = app.GetOnLine();
    ZRGlobalDataMgr* data = ZRGlobalDataMgr::Instance();
    const std::string port = app.GetPortName();
    const std::string oldBaud = app.GetBaudRateText();
    const std::string oldFormat = app.GetFormatText();

    ZRRecoverComm sheet("Recover Communications", app.GetMainWindow());
    sheet.AddPage(std::make_unique<ZRRCConfirm>());
    sheet.AddPage(std::make_unique<ZRRCConnect>(root));
    sheet.AddPage(std::make_unique<ZRRCScanning>(root));
    ZRRCCommSetup* setup = sheet.AddPage(std::make_unique<ZRRCCommSetup>(root));
    setup->SetPCBaud(oldBaud);
    setup->SetPCFormat(oldFormat);

    // Whatever ends the run (an error included), the old line settings come back unless Finish
    // stored new ones, and the help topic is the program's again.
    bool finished = false;
    struct Restore {
        std::function<void()> run;
        ~Restore() { run(); }
    } restore{[&] {
        if (!finished) {
            app.SetSerialSettings(port, oldBaud, oldFormat);
            if (root)
                root->OpenSerialLink();
        }
        data->m_HelpTopicOverride = 0;
    }};

    data->m_HelpTopicOverride = online::kHelpTopicRecoverComm;
    app.SetSerialSettings(port, kRecoveryBaud, kRecoveryFormat);
    if (root)
        root->OpenSerialLink();
    if (sheet.DoModal() != ID_WIZFINISH)
        return;

    finished = true;
    if (data->OpenUserSection(online::kSerialSection, true, true)) {
        ZRRegistryKey& key = data->GetUserKey();
        key.SetStringValue("Baud Rate", setup->GetPCBaud());
        key.SetStringValue("Format", setup->GetPCFormat());
    }
    app.SetSerialSettings(port, setup->GetPCBaud(), setup->GetPCFormat());
    if (root)
        root->OpenSerialLink();
    platform::core::MessageBox("Communications Recovery complete. Use Tools/Rescan to attach to the drive.");
}
