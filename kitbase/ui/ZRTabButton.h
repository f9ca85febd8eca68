#pragma once

#include <QPushButton>

// A push button that hands the focus on to another window when it would take it.
class ZRTabButton : public QPushButton {
public:
    explicit ZRTabButton(QWidget* parent = nullptr);

    // Not owned; null keeps the focus on the button.
    void SetTarget(QWidget* target) { m_pTarget = target; }
    QWidget* GetTarget() const { return m_pTarget; }

protected:
    void focusInEvent(QFocusEvent* event) override;

private:
    QWidget* m_pTarget = nullptr;
};
