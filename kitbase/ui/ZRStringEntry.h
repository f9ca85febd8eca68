#pragma once

#include "platform/ui/Dialog.h"

#include <string>

class ZRAttribute;

// Asks for one line of text, optionally checked by an attribute's validations. Callers fill
// m_strValue before DoModal and read it afterwards.
class ZRStringEntry : public platform::ui::Dialog {
public:
    enum : int { IDD = 265, IDC_VALUE = 1012, IDC_LABEL = 1013 };

    ZRStringEntry(const std::string& label, const std::string& title, QWidget* parent = nullptr);

    // Not owned.
    void SetAttribute(ZRAttribute* attribute) { m_pAttribute = attribute; }
    void SetHelpTopic(unsigned long topic) { m_HelpTopic = topic; }

    std::string m_strValue;

protected:
    // Stays open while the attribute refuses the text; its validation has said why.
    void OnOK() override;
    void OnButton(int id) override;
    void OnHelp();
    bool OnInitDialog() override;
    void DoDataExchange(platform::ui::DataExchange& dx) override;

private:
    std::string m_Title;
    unsigned long m_HelpTopic = 0;
    ZRAttribute* m_pAttribute = nullptr;
    std::string m_Label;
};
