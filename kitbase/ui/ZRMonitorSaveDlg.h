#pragma once

#include "platform/ui/Dialog.h"

#include <string>

class ZRMonitorView;

// Names a monitor set-up to save or picks one to load, from the set-ups in the view's set-up
// directory; it also deletes set-ups. The default set-up's entry carries " (default)".
class ZRMonitorSaveDlg : public platform::ui::Dialog {
public:
    enum : int {
        IDD = 19737,
        IDC_NAME = 19840,
        IDC_LIST = 19841,
        IDC_DEFAULT = 19842,
        IDC_DELETE = 19738,
    };
    enum Mode : int { kLoad = 0, kSave = 1 };

    static constexpr const char* kDefaultSuffix = " (default)";

    ZRMonitorSaveDlg(ZRMonitorView* view, int mode, QWidget* parent = nullptr);

    // After OK: the name chosen, and whether it is to become the default.
    const std::string& GetName() const { return m_Name; }
    bool IsSaveAsDefault() const { return m_bSaveAsDefault; }

protected:
    bool OnInitDialog() override;
    void DoDataExchange(platform::ui::DataExchange& dx) override;
    void OnOK() override;
    void OnButton(int id) override;
    void OnControlChanged(int id) override;

    void OnSelChange();
    void OnDelete();

private:
    // The name of an entry without " (default)".
    static std::string EntryName(const std::string& entry);
    // The list's entry for a set-up name: with " (default)" when it is the default.
    std::string EntryOf(const std::string& name) const;
    int FindEntry(const std::string& entry) const;

    std::string m_Name;
    bool m_bSaveAsDefault = false;
    ZRMonitorView* m_pView;
    int m_Mode;
    std::string m_Default;
};
