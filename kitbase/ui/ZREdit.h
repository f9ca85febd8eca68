#pragma once

#include "kitbase/ui/ZRModelLink.h"

#include <QLineEdit>

#include <memory>

class ZREditController;
class ZRMvcModel;

// An edit box showing an attribute's text; the controller writes what the user typed.
class ZREdit : public QLineEdit, public platform::core::Observer {
public:
    explicit ZREdit(QWidget* parent = nullptr);
    ~ZREdit() override;

    // Binds the box to the attribute once; takes the controller.
    void SetMvcData(ZRMvcModel* model, ZREditController* controller);
    ZREditController* GetController() const { return m_pController.get(); }
    ZRMvcModel* GetModel() const { return m_Model.Get(); }

    void OnUpdate(platform::core::Subject* subject, platform::core::Message* message) override;

private:
    std::unique_ptr<ZREditController> m_pController;
    ZRModelLink m_Model{*this};
};
