#include "kitbase/ui/ZRProgressMeter.h"

#include "kitbase/model/ZRProgress.h"
#include "kitbase/model/ZRUpdate.h"
#include "platform/core/Modal.h"
#include "platform/core/Text.h"
#include "platform/ui/AppWindow.h"
#include "platform/ui/Events.h"

#include <memory>

using platform::core::IDCANCEL;
using platform::ui::ControlSpec;

namespace {

const char* const kCancelQuestion = "Warning! Copy is incomplete. The drive properties may be inconsistent.\n"
                                    "Are you sure you want to cancel?";

// Owns the one open meter.
class MeterHost : public ZRProgress::Host {
public:
    bool OpenMeter(ZRProgress* model, const std::string& text, bool cancellable) override {
        CloseMeter();
        m_pMeter = std::make_unique<ZRProgressMeter>(model, text, cancellable);
        return true;
    }
    void CloseMeter() override {
        if (!m_pMeter)
            return;
        // A meter inside its own Cancel handler goes once that handler has returned.
        if (m_pMeter->IsBusy())
            m_pMeter.release()->deleteLater();
        else
            m_pMeter.reset();
    }
    void PumpMessages() override { platform::ui::PumpEvents(); }
    void EnableMainWindow() override { platform::ui::EnableMainWindow(true); }

private:
    std::unique_ptr<ZRProgressMeter> m_pMeter;
};

MeterHost g_host;

} // namespace

ZRProgressMeter::ZRProgressMeter(ZRProgress* model, const std::string& text, bool cancellable)
    : Dialog(IDD, "Working...",
             {ControlSpec::Button(IDCANCEL, "Cancel"), ControlSpec::Progress(IDC_PROGRESS, 0, 100),
              ControlSpec::Static(IDC_MESSAGE, {}), ControlSpec::Static(IDC_PERCENT, "0 %")}),
      m_bCancellable(cancellable), m_pModel(model), m_Message(text) {
    // No parent: the caller disables the main window, and the meter must stay usable.
    if (m_pModel)
        m_pModel->AddObserver(this);
    Create();
}

ZRProgressMeter::~ZRProgressMeter() {
    if (m_pModel)
        m_pModel->RemoveObserver(this);
}

bool ZRProgressMeter::OnInitDialog() {
    Dialog::OnInitDialog();
    SetRange(IDC_PROGRESS, 0, 100);
    if (!m_bCancellable)
        ShowItem(IDCANCEL, false);
    return true;
}

void ZRProgressMeter::DoDataExchange(platform::ui::DataExchange& dx) {
    dx.Text(IDC_MESSAGE, m_Message);
    dx.Text(IDC_PERCENT, m_Percent);
}

void ZRProgressMeter::OnUpdate(platform::core::Subject* subject, platform::core::Message* message) {
    if (!m_pModel || subject != static_cast<platform::core::Subject*>(m_pModel))
        return;
    switch (ReasonOf(message)) {
    case ZRUpdate::ValueChanged: {
        const int percent = m_pModel->GetPercentDone();
        SetPos(IDC_PROGRESS, percent);
        m_Percent = platform::core::Format("%d %%", percent);
        SetItemText(IDC_PERCENT, m_Percent);
        break;
    }
    case ZRUpdate::Destroying:
        Close();
        break;
    default:
        break;
    }
}

void ZRProgressMeter::OnCancel() {
    // Escape and the window's close box come here too; a transfer that may not be stopped ignores them.
    if (!m_bCancellable || !m_pModel)
        return;
    m_bBusy = true;
    struct Reset {
        bool& busy;
        ~Reset() { busy = false; }
    } reset{m_bBusy};
    if (platform::core::MessageBox(kCancelQuestion, {}, platform::core::MB_YESNO) == platform::core::IDYES &&
        m_pModel)
        m_pModel->SetCancelled(true);
}

void ZRProgressMeter::Close() {
    m_pModel->RemoveObserver(this);
    m_pModel = nullptr;
    DestroyWindow();
}

void ZRProgressMeter::InstallHost() {
    ZRProgress::SetHost(&g_host);
}

void ZRProgressMeter::RemoveHost() {
    if (ZRProgress::GetHost() == &g_host) {
        g_host.CloseMeter();
        ZRProgress::SetHost(nullptr);
    }
}
