#pragma once

#include "platform/ui/Controller.h"

class QLineEdit;

// Writes the edit box's text into the bound attribute when Enter is released or the box loses the
// focus.
class ZREditController : public platform::ui::Controller {
public:
    ZREditController() = default;
    ~ZREditController() override = default;

    void SetCtl(QLineEdit* edit);
    QLineEdit* GetCtl() const { return m_pEdit; }

protected:
    bool OnWindowEvent(QEvent* event) override;
    void OnKillFocus();

private:
    void Commit();

    QLineEdit* m_pEdit = nullptr;
    // A message box raised by the write takes the focus away; that loss must not write again.
    bool m_bCommitting = false;
};
