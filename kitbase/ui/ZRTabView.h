#pragma once

#include "kitbase/model/ZRMvcModel.h"
#include "platform/ui/View.h"

#include <QRect>
#include <QWidget>

#include <string>
#include <vector>

class QPushButton;

namespace platform::ui {
class TabView;
}

// A form that shows a set of windows as the pages of a tab window, with a Close button. The pages
// are collected before the initial update and stay their makers' own.
class ZRTabView : public QWidget, public platform::ui::View, public ZRMvcModel {
public:
    explicit ZRTabView(QWidget* parent = nullptr);
    // Tells the observers (reason Destroying) first; the pages are not deleted.
    ~ZRTabView() override;

    // Before the initial update only: later pages are not shown.
    void AddTab(QWidget* page, const char* label);
    // The tab font in tenths of a point; false, keeping the font, when it cannot be made.
    bool SetTabFont(int pointSizeTimes10, const char* face);

    void OnInitialUpdate() override;

    // Null before the initial update.
    platform::ui::TabView* GetTabWindow() const { return m_pTabWnd; }
    unsigned int GetTabWindowId() const { return m_TabWndId; }
    QPushButton* GetCloseButton() const { return m_pClose; }
    // The union of the pages' sizes, each moved to the origin.
    const QRect& GetPageRect() const { return m_PageRect; }

    // The control id the next tab window gets.
    static unsigned int m_ID;

private:
    platform::ui::TabView* m_pTabWnd = nullptr;
    unsigned int m_TabWndId = 0;
    std::vector<QWidget*> m_Pages; // not owned
    std::vector<std::string> m_Labels;
    QRect m_PageRect{0, 0, 0, 0};
    QPushButton* m_pClose;
};
