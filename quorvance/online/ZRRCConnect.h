#pragma once

#include "platform/ui/PropertyPage.h"

class ZROnLine;

// Step 2: the user connects the drive alone, powered down; showing the step removes every on-line
// drive from the workspace.
class ZRRCConnect : public platform::ui::PropertyPage {
public:
    enum : int { IDD = 273 };

    explicit ZRRCConnect(ZROnLine* root);

    bool OnSetActive() override;

private:
    ZROnLine* m_pRoot;
};
