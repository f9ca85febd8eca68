#pragma once

#include "kitbase/ui/ZRModelLink.h"

#include <QPushButton>

#include <memory>
#include <string>

class ZRButtonController;
class ZRMvcModel;

// A push button that runs a drive command and is enabled while the command is.
class ZRButton : public QPushButton, public platform::core::Observer {
public:
    explicit ZRButton(const std::string& text = {}, QWidget* parent = nullptr);
    ~ZRButton() override;

    // Binds the button to the command once; takes the controller.
    void SetMvcData(ZRMvcModel* model, ZRButtonController* controller);
    ZRButtonController* GetController() const { return m_pController.get(); }
    ZRMvcModel* GetModel() const { return m_Model.Get(); }

    void OnUpdate(platform::core::Subject* subject, platform::core::Message* message) override;

private:
    void Clicked();

    // Declared before the link: the control stops observing before the controller goes.
    std::unique_ptr<ZRButtonController> m_pController;
    ZRModelLink m_Model{*this};
};
