#include "platform/ui/Controller.h"

#include "platform/ui/Guard.h"

#include <QEvent>
#include <QObject>
#include <QPointer>
#include <QWidget>

namespace platform::ui {

class Controller::Plug : public QObject {
public:
    Plug(Controller& owner, QWidget* window) : m_owner(owner), m_window(window) {
        window->installEventFilter(this);
    }
    ~Plug() override {
        if (m_window)
            m_window->removeEventFilter(this);
    }
    QWidget* Window() const { return m_window; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched != m_window)
            return false;
        return GuardResult("controller", false, [&] { return m_owner.OnWindowEvent(event); });
    }

private:
    Controller& m_owner;
    QPointer<QWidget> m_window;
};

Controller::Controller() = default;
Controller::~Controller() = default;

void Controller::PlugInto(QWidget* window) {
    m_plug.reset();
    if (window)
        m_plug = std::make_unique<Plug>(*this, window);
}

QWidget* Controller::GetWindow() const {
    return m_plug ? m_plug->Window() : nullptr;
}

bool Controller::OnWindowEvent(QEvent*) {
    return false;
}

} // namespace platform::ui
