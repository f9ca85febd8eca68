#pragma once

#include <QObject>

class QComboBox;
class ZRComboBox;

// Key handling of a combo cell's open list, after the list has handled the key: Tab takes the
// highlighted entry and moves on like Tab in the grid, Enter takes it, Escape closes without taking
// it; any other key that moved the highlight makes the highlighted entry the control's choice.
class ZRComboListBox : public QObject {
public:
    ZRComboListBox(ZRComboBox& owner, QComboBox& combo);

    // A key went up in the list.
    void OnKeyUp(int key);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    ZRComboBox& m_Owner;
    QComboBox& m_Combo;
    int m_LastSelection = -1;
};
