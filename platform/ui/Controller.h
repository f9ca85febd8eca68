// A controller: holds the model it acts on and plugs into a window, whose events it sees before the
// window does.
#pragma once

#include <memory>

class QEvent;
class QWidget;

namespace platform::core {
class Subject;
}

namespace platform::ui {

class Controller {
public:
    Controller();
    virtual ~Controller();
    Controller(const Controller&) = delete;
    Controller& operator=(const Controller&) = delete;

    virtual void SetModel(core::Subject* model) { m_model = model; }
    core::Subject* GetModel() const { return m_model; }

    // Plugs into the window, unplugging from an earlier one; null only unplugs. A window that goes
    // away unplugs by itself.
    void PlugInto(QWidget* window);
    QWidget* GetWindow() const;

protected:
    // Sees each event of the window first; true means handled, and the window never sees it.
    virtual bool OnWindowEvent(QEvent* event);

private:
    class Plug;
    std::unique_ptr<Plug> m_plug;
    core::Subject* m_model = nullptr;
};

} // namespace platform::ui
