#pragma once

#include "platform/ui/Dialog.h"

#include <string>

// "Insert Variable": the name, type and element count of a new program variable.
class ZRNewVariableDlg : public platform::ui::Dialog {
public:
    enum : int { IDD = 262, IDC_NAME = 1017, IDC_LONG = 1042, IDC_FLOAT = 1041, IDC_ELEMENTS = 1015 };
    enum : int { LongInt = 0, Float = 1 };

    explicit ZRNewVariableDlg(QWidget* parent = nullptr);

    // While the self tests run, the answers come from the test response queue.
    int DoModal();

    int m_Size = 0;
    std::string m_Name;
    int m_Type = -1;

protected:
    void DoDataExchange(platform::ui::DataExchange& dx) override;

private:
    // Takes the three answers in order; false after the message of the first of the wrong type.
    bool TakeTestAnswers();
};
