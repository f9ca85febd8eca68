#pragma once

#include "platform/ui/View.h"

#include <QWidget>

class QAbstractButton;
class ZRServicesGrid;

// The small form around the services grid in its splitter pane of a property sheet. It sizes the
// grid to the pane and tells the grid, and the pane's show box, whether the pane is collapsed.
class ZRServicesView : public QWidget, public platform::ui::View {
public:
    static constexpr int kGridId = 19806;

    explicit ZRServicesView(QWidget* parent = nullptr);
    ~ZRServicesView() override;

    ZRServicesGrid* GetGrid() const { return m_pGrid; }
    // The check box that mirrors whether the pane is shown (not owned).
    void SetShowButton(QAbstractButton* button) { m_pShowButton = button; }
    QAbstractButton* GetShowButton() const { return m_pShowButton; }

    void OnInitialUpdate() override;
    // The pane commands go to the grid.
    bool OnCommand(unsigned id) override;
    bool OnUpdateCommand(unsigned id, platform::ui::CommandState& state) override;
    bool HasCommand(unsigned id) const override;

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    ZRServicesGrid* m_pGrid; // a child window
    QAbstractButton* m_pShowButton = nullptr;
};
