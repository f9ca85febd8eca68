#pragma once

#include "kitbase/ui/ZRModelLink.h"

#include <QLabel>

#include <string>

class ZRMvcModel;

// A static text that follows an attribute's enabled state and, unless it is a label only, shows the
// attribute's text.
class ZRStatic : public QLabel, public platform::core::Observer {
public:
    explicit ZRStatic(const std::string& text = {}, QWidget* parent = nullptr);
    ~ZRStatic() override;

    // Binds the text to the attribute once.
    void SetMvcData(ZRMvcModel* model, bool labelOnly);
    ZRMvcModel* GetModel() const { return m_Model.Get(); }
    bool IsLabelOnly() const { return m_bLabelOnly; }

    void OnUpdate(platform::core::Subject* subject, platform::core::Message* message) override;

private:
    ZRModelLink m_Model{*this};
    bool m_bLabelOnly = true;
};
