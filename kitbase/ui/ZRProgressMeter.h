#pragma once

#include "platform/core/Observer.h"
#include "platform/ui/Dialog.h"

#include <string>

class ZRProgress;

// The modeless "Working..." window of a long transfer: a bar with the percentage done and, when the
// transfer may be stopped, a Cancel button. It observes the progress model and follows its steps;
// its window closes when the model is cleaned up (reason Destroying), and the host that opened it
// deletes it then.
class ZRProgressMeter : public platform::ui::Dialog, public platform::core::Observer {
public:
    enum : int { IDD = 279, IDC_PROGRESS = 1059, IDC_MESSAGE = 1060, IDC_PERCENT = 1061 };

    // Opens at once.
    ZRProgressMeter(ZRProgress* model, const std::string& text, bool cancellable);
    ~ZRProgressMeter() override;

    void OnUpdate(platform::core::Subject* subject, platform::core::Message* message) override;

    ZRProgress* GetModel() const { return m_pModel; }
    bool IsBusy() const { return m_bBusy; }
    bool IsCancellable() const { return m_bCancellable; }

    // Lends the progress model this window, the message pump and the main window.
    static void InstallHost();
    static void RemoveHost();

protected:
    bool OnInitDialog() override;
    void DoDataExchange(platform::ui::DataExchange& dx) override;
    void OnCancel() override;

private:
    void Close();

    bool m_bCancellable;
    ZRProgress* m_pModel;
    std::string m_Message;
    std::string m_Percent = "0 %";
    // Set while the meter runs its own handler, where it must not be deleted.
    bool m_bBusy = false;
};
