#include "kitbase/ui/ZRViewControls.h"

#include "kitbase/model/ZRTest.h"
#include "kitbase/ui/CSizableChildFrame.h"
#include "kitbase/ui/ZRPropertiesGrid.h"
#include "platform/ui/ChildFrame.h"
#include "platform/ui/Command.h"
#include "platform/ui/Guard.h"
#include "platform/ui/HelpRequest.h"
#include "platform/ui/View.h"

#include <QCheckBox>
#include <QPushButton>

#include <algorithm>
#include <string>

namespace ZRViewControls {

QPushButton* AddButton(QWidget& view, platform::ui::CommandTarget& target, int id, const char* text,
                       const char* where) {
    auto* button = new QPushButton(QString::fromLatin1(text), &view);
    QObject::connect(button, &QPushButton::clicked, &view, [&view, &target, id, where] {
        RunControl(view, target, static_cast<unsigned>(id), where);
    });
    return button;
}

QCheckBox* AddCheck(QWidget& view, platform::ui::CommandTarget& target, int id, const char* text,
                    const char* where) {
    auto* box = new QCheckBox(QString::fromLatin1(text), &view);
    QObject::connect(box, &QCheckBox::clicked, &view, [&view, &target, id, where] {
        RunControl(view, target, static_cast<unsigned>(id), where);
    });
    return box;
}

void RunControl(QWidget& view, platform::ui::CommandTarget& target, unsigned id, const char* where) {
    platform::ui::Guard(where, [&] {
        if (target.OnCommand(id))
            return;
        if (platform::ui::ChildFrame* frame = platform::ui::ChildFrame::FrameOf(&view))
            for (platform::ui::CommandTarget* next : frame->CommandChain())
                if (next != &target && next->OnCommand(id))
                    return;
    });
}

void ControlState(const QWidget* control, platform::ui::CommandState& state) {
    state.enabled = !control || control->isEnabled();
}

void ShowFrameHelp(QWidget& view) {
    auto* frame = dynamic_cast<CSizableChildFrame*>(platform::ui::ChildFrame::FrameOf(&view));
    platform::ui::ShowHelpTopic(frame ? frame->GetHelpTopic() : 0);
}

void PlaceSheetControls(int cx, int cy, QWidget* const (&buttons)[4], QWidget* upperBox, int upperWidth,
                        QWidget* lowerBox, int lowerWidth) {
    int right = cx - 5;
    for (QWidget* button : buttons) {
        button->setGeometry(right - 60, cy - 30, 60, 25);
        right -= 65;
    }
    // A box narrower than its text would clip its label.
    upperBox->setGeometry(2, cy - 38, std::max(upperWidth, upperBox->sizeHint().width()), 17);
    lowerBox->setGeometry(2, cy - 19, std::max(lowerWidth, lowerBox->sizeHint().width()), 17);
}

void FocusPane(QWidget* pane) {
    if (!pane)
        return;
    pane->setFocus(Qt::OtherFocusReason);
    platform::ui::ActivateViewOfFocus(pane);
}

void UnpackCell(long cell, int& row, int& col) {
    const auto bits = static_cast<unsigned long>(cell);
    row = static_cast<int>((bits >> 16) & 0xFFFF);
    col = static_cast<int>(bits & 0xFFFF);
}

void WriteRect(ZRTest& test, const QRect& rect) {
    test.WriteRect(rect.left(), rect.left() + rect.width(), rect.top(), rect.top() + rect.height());
}

bool AnswerGridQuery(ZRTest& test, ZRPropertiesGrid& grid, unsigned type, long cell) {
    int row = 0, col = 0;
    UnpackCell(cell, row, col);
    switch (type) {
    case 1:
        test.WriteText(grid.Value(row, col));
        return true;
    case 2: {
        std::string text;
        if (test.ReadText(text))
            grid.SetValue(row, col, text);
        return true;
    }
    case 3:
        WriteRect(test, grid.CellRect(row, col).translated(grid.viewport()->pos()));
        return true;
    default:
        return false;
    }
}

} // namespace ZRViewControls
