#pragma once

#include "platform/ui/PropertyPage.h"
#include "platform/ui/TimerOwner.h"

#include <string>

class ZROnLine;

// Step 3: polls the recovery node every 500 ms while the user powers the drive up, and moves on by
// itself once a drive answers. The search runs only while this step shows.
class ZRRCScanning : public platform::ui::PropertyPage, public platform::ui::TimerOwner {
public:
    enum : int { IDD = 274, IDC_CONTACT = 1055, IDC_SEARCHING = 1047 };
    static constexpr int kTimerId = 1;
    static constexpr unsigned kPeriodMs = 500;

    explicit ZRRCScanning(ZROnLine* root);

    bool OnSetActive() override;
    bool OnKillActive() override;

    std::string m_Text;

protected:
    bool OnInitDialog() override;
    void DoDataExchange(platform::ui::DataExchange& dx) override;
    void OnCancel() override;
    void OnTimer(int id) override;

private:
    // Starts the next poll; false (after its message) when no timer can be had.
    bool StartTimer();
    void Search();

    ZROnLine* m_pRoot;
};
