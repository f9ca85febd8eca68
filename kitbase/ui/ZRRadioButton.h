#pragma once

#include "kitbase/ui/ZRModelLink.h"

#include <QRadioButton>

#include <memory>
#include <string>

class ZRMvcModel;
class ZRRadioController;

// A radio button standing for one value of an index selection: checked exactly while the selection
// holds that value.
class ZRRadioButton : public QRadioButton, public platform::core::Observer {
public:
    explicit ZRRadioButton(const std::string& text = {}, QWidget* parent = nullptr);
    ~ZRRadioButton() override;

    // Binds the button to the selection's value once; takes the controller.
    void SetMvcData(ZRMvcModel* model, ZRRadioController* controller, int value);
    ZRRadioController* GetController() const { return m_pController.get(); }
    ZRMvcModel* GetModel() const { return m_Model.Get(); }
    int GetValue() const { return m_Value; }

    void OnUpdate(platform::core::Subject* subject, platform::core::Message* message) override;

private:
    void Clicked();

    std::unique_ptr<ZRRadioController> m_pController;
    ZRModelLink m_Model{*this};
    int m_Value = 0;
};
