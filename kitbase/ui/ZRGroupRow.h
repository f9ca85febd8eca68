#pragma once

#include "kitbase/ui/ZRGridRow.h"
#include "kitbase/ui/ZRStaticHeader.h"

#include <memory>
#include <string>
#include <vector>

// A collapsible group: a bold caption over columns 1 to 3 and a plus/minus bitmap in column 0. A
// click, Space or OnClicked folds or opens its member rows (which the grid owns). A dynamic group
// reads its members' values only when it is first opened.
class ZRGroupRow : public ZRGridRow {
public:
    static constexpr int kPlusBitmap = 19702;  // shown while collapsed
    static constexpr int kMinusBitmap = 19705; // shown while open

    // The header's caption is the group name; the row owns it.
    explicit ZRGroupRow(std::unique_ptr<ZRStaticHeader> header);

    // Rows after the group's own events.
    int OnLButtonClicked(unsigned long column, unsigned int flags, const QPoint& point) override;
    void OnClickedButton(unsigned long column) override;
    bool ProcessKeys(QWidget* sender, QKeyEvent& event) override;
    void SetRow(int row) override;

    void Initialize(platform::ui::Grid* grid) override;
    // Members neither read their values when placed nor revert until the group first opens.
    virtual void LoadRowsDynamic();
    // Toggles the group (the argument is not used).
    virtual void OnClicked(unsigned long flags);
    // Shows or hides the members when the bitmap does not match the collapsed flag yet.
    using ZRGridRow::Refresh;
    virtual void Refresh();
    virtual void InitCells();

    const std::vector<ZRGridRow*>& GetRows() const { return m_Rows; }
    ZRStaticHeader* GetStaticHeader() const;
    // Adds a member (not owned) and answers it.
    ZRGridRow* AddRow(ZRGridRow* row);

    bool IsCollapsed() const { return m_bCollapsed; }
    bool IsDynamic() const { return m_bDynamic; }

private:
    std::vector<ZRGridRow*> m_Rows;
    bool m_bDynamic = false;
    bool m_bNeedsLoad = true;
    bool m_bCollapsed = false;
    std::string m_Plus;
    std::string m_Minus;
};
