#pragma once

#include "kitbase/ui/ZRModelLink.h"

#include <QCheckBox>

#include <memory>
#include <string>

class ZRMvcModel;
class ZRToggleButtonController;

// A check box that shows and sets a yes/no attribute.
class ZRToggleButton : public QCheckBox, public platform::core::Observer {
public:
    explicit ZRToggleButton(const std::string& text = {}, QWidget* parent = nullptr);
    ~ZRToggleButton() override;

    // Binds the check box to the attribute once; takes the controller.
    void SetMvcData(ZRMvcModel* model, ZRToggleButtonController* controller);
    ZRToggleButtonController* GetController() const { return m_pController.get(); }
    ZRMvcModel* GetModel() const { return m_Model.Get(); }

    void OnUpdate(platform::core::Subject* subject, platform::core::Message* message) override;

private:
    void Clicked();

    std::unique_ptr<ZRToggleButtonController> m_pController;
    ZRModelLink m_Model{*this};
};
