#pragma once

#include "platform/ui/PropertyPage.h"

#include <string>

// Step 1: says that the on-line drives will be removed; only Next goes on.
class ZRRCConfirm : public platform::ui::PropertyPage {
public:
    enum : int { IDD = 272, IDC_TEXT = 1058 };

    ZRRCConfirm();

    bool OnSetActive() override;

    std::string m_Text;

protected:
    bool OnInitDialog() override;
    void DoDataExchange(platform::ui::DataExchange& dx) override;
};
