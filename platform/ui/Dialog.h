// Dialogs built from a control table, laid out automatically in table order. Controls are reached by
// id; DoModal goes through the modal hook, so a script can fill the controls and press a button.
#pragma once

#include "platform/core/Modal.h"

#include <QDialog>

#include <functional>
#include <map>
#include <string>
#include <vector>

namespace platform::ui {

enum class ControlKind {
    Static,
    Edit,
    Check,
    Radio,
    Combo,
    EditCombo,
    List,
    Progress,
    Button,
    DefaultButton,
    FileEdit
};

struct ControlSpec {
    int id = -1;
    ControlKind kind = ControlKind::Static;
    std::string text;               // caption, or the initial text of an edit
    std::vector<std::string> items; // combo and list entries
    int maxChars = 0;               // edits: 0 = no limit
    int low = 0, high = 100;        // progress range
    std::string filter;             // file edits: "Text (*.txt)|*.txt||"
    std::string defaultExt;         // file edits

    static ControlSpec Make(int id, ControlKind kind, std::string text = {},
                            std::vector<std::string> items = {}) {
        ControlSpec s;
        s.id = id;
        s.kind = kind;
        s.text = std::move(text);
        s.items = std::move(items);
        return s;
    }
    static ControlSpec Static(int id, std::string text) {
        return Make(id, ControlKind::Static, std::move(text));
    }
    static ControlSpec Edit(int id, int maxChars = 0, std::string text = {}) {
        ControlSpec s = Make(id, ControlKind::Edit, std::move(text));
        s.maxChars = maxChars;
        return s;
    }
    static ControlSpec Check(int id, std::string text) {
        return Make(id, ControlKind::Check, std::move(text));
    }
    // Consecutive radio buttons form one group.
    static ControlSpec Radio(int id, std::string text) {
        return Make(id, ControlKind::Radio, std::move(text));
    }
    static ControlSpec Combo(int id, std::vector<std::string> items = {}) {
        return Make(id, ControlKind::Combo, {}, std::move(items));
    }
    static ControlSpec EditCombo(int id, std::vector<std::string> items = {}) {
        return Make(id, ControlKind::EditCombo, {}, std::move(items));
    }
    static ControlSpec List(int id, std::vector<std::string> items = {}) {
        return Make(id, ControlKind::List, {}, std::move(items));
    }
    static ControlSpec Progress(int id, int low = 0, int high = 100) {
        ControlSpec s = Make(id, ControlKind::Progress);
        s.low = low;
        s.high = high;
        return s;
    }
    // An edit with a browse button beside it, which picks a file to open into the edit.
    static ControlSpec FileEdit(int id, std::string filter, std::string defaultExt) {
        ControlSpec s = Make(id, ControlKind::FileEdit);
        s.filter = std::move(filter);
        s.defaultExt = std::move(defaultExt);
        return s;
    }
    // Buttons go to the button row at the bottom, in table order.
    static ControlSpec Button(int id, std::string text) {
        return Make(id, ControlKind::Button, std::move(text));
    }
    static ControlSpec DefaultButton(int id, std::string text) {
        return Make(id, ControlKind::DefaultButton, std::move(text));
    }
};

class Dialog;

// Moves values between a dialog's controls and the caller's variables. When saving, a value that
// breaks its limit shows a message, puts the focus on its control and fails the exchange.
class DataExchange {
public:
    DataExchange(Dialog& dialog, bool save) : m_dialog(dialog), m_save(save) {}
    bool Saving() const { return m_save; }
    bool Failed() const { return m_failed; }

    void Text(int id, std::string& value, int maxChars = 0);
    void Check(int id, int& value);
    void Check(int id, bool& value);
    // index of the checked button in the group that starts with firstId; -1 for none.
    void Radio(int firstId, int& index);
    // Combo and list selection; -1 for none.
    void Selection(int id, int& index);
    void Number(int id, int& value, int min, int max);

private:
    bool Skip() const { return m_save && m_failed; }
    void Fail(int id, const std::string& message);

    Dialog& m_dialog;
    bool m_save;
    bool m_failed = false;
};

class Dialog : public QDialog {
public:
    Dialog(int templateId, std::string title, std::vector<ControlSpec> controls, QWidget* parent = nullptr);
    ~Dialog() override;

    // Modal: builds the controls, runs OnInitDialog and hands the dialog to the modal hook. Answers
    // the button id that ended it.
    int DoModal();
    // Modeless: builds, initialises and shows the dialog. Answers false when it is up already.
    bool Create();
    bool IsCreated() const { return m_created; }
    void DestroyWindow();
    void EndDialog(int result);
    bool IsEnded() const { return m_ended; }
    int Result() const { return m_result; }

    int TemplateId() const { return m_templateId; }
    const std::string& Title() const { return m_title; }
    void SetTitle(std::string title);

    // true: controls to variables (false when a value breaks its limit); false: variables to controls.
    bool UpdateData(bool save = true);

    // Controls by id. Unknown ids are ignored (getters answer empty values).
    QWidget* Item(int id) const;
    bool HasItem(int id) const { return Item(id) != nullptr; }
    void SetItemText(int id, const std::string& text);
    std::string GetItemText(int id) const;
    void SetCheck(int id, int state); // 0 clear, 1 checked, 2 indeterminate
    int GetCheck(int id) const;
    void SetSelection(int id, int index);
    int GetSelection(int id) const;
    void SetItems(int id, const std::vector<std::string>& items);
    void AddItem(int id, const std::string& item);
    std::vector<std::string> GetItems(int id) const;
    void EnableItem(int id, bool enable);
    bool IsItemEnabled(int id) const;
    void ShowItem(int id, bool show);
    bool IsItemShown(int id) const;
    void SetRange(int id, int low, int high);
    void SetPos(int id, int pos);
    int GetPos(int id) const;
    void FocusItem(int id);

    // Presses a button as the user would: OK and Cancel run OnOK and OnCancel, other ids OnButton.
    // A disabled or hidden button does nothing (answers false).
    bool ClickButton(int id);
    // Presses the browse button of a file edit: the open-file dialog starts from the edit's text and
    // its choice replaces it. Answers false when cancelled or when the edit is disabled.
    bool BrowseFile(int id);
    void SetButtonHandler(int id, std::function<void()> handler);

    // The toolkit's modal loop; the installed modal hook calls it.
    int ExecModal();

protected:
    virtual bool OnInitDialog();
    virtual void DoDataExchange(DataExchange& dx);
    virtual void OnOK();
    virtual void OnCancel();
    virtual void OnButton(int id);
    // The user changed an edit's text, a selection or a check box.
    virtual void OnControlChanged(int id);

    void accept() override;
    void reject() override;

private:
    struct Entry {
        int id;
        ControlKind kind;
        QWidget* widget;
        int group; // radio group number, -1 for other kinds
    };
    const Entry* Find(int id) const;
    // The widget the layout holds for the control.
    QWidget* Outer(int id) const;
    void Build();
    void Initialise();
    void FitToText();
    void Changed(int id);

    int m_templateId;
    std::string m_title;
    std::vector<ControlSpec> m_specs;
    std::vector<Entry> m_entries;
    std::map<int, std::function<void()>> m_handlers;
    bool m_built = false;
    bool m_created = false;
    bool m_ended = false;
    bool m_loading = false;
    int m_result = 0;
};

// An answer for a scripted dialog request: fill runs first (it may set controls and press buttons
// itself), then button is pressed unless it is 0; answers the id that ended the dialog and throws
// when the dialog stayed open.
std::function<int(core::ModalRequest&)> PressDialogButton(int button, std::function<void(Dialog&)> fill = {});

} // namespace platform::ui
