#pragma once

#include <QObject>

class QWidget;
namespace platform::ui {
class Dialog;
}

// Lets only hexadecimal digits (either case) and backspace be typed into an edit control; every
// other character is dropped. It is put onto an existing edit, as dialogs build theirs from tables.
class ZRHexEdit : public QObject {
public:
    explicit ZRHexEdit(QObject* parent = nullptr);

    // Filters the edit's typing from now on; false for a null edit.
    bool Attach(QWidget* edit);
    // The dialog's control of that id.
    bool SubclassDlgItem(int id, platform::ui::Dialog& dialog);

    // Whether a typed character passes.
    static bool IsAccepted(char c);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
};
