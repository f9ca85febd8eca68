#pragma once

#include "platform/ui/Controller.h"

class QAbstractButton;
class ZRCommand;

// Runs the bound command when its button is clicked.
class ZRButtonController : public platform::ui::Controller {
public:
    ZRButtonController() = default;
    ~ZRButtonController() override = default;

    virtual void OnClick();
    // Plugs the controller into the button's window.
    virtual void SetCtl(QAbstractButton* button);

    QAbstractButton* GetCtl() const { return m_pButton; }

protected:
    ZRCommand* GetCommand() const;

private:
    QAbstractButton* m_pButton = nullptr;
};
