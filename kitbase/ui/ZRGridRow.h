#pragma once

#include "kitbase/ui/ZRRowHeader.h"
#include "platform/core/Observer.h"

#include <memory>
#include <string>

class QKeyEvent;
class QPoint;
class QWidget;

namespace platform::ui {
class Grid;
}

// One row of a property grid: column 0 the narrow button column, 1 the name (written by the row's
// header), 2 the value cell, 3 the units. Every row kind derives from it; the grid passes its cell
// events to the row of the cell. A row that is not placed (row number 0) writes nothing.
class ZRGridRow : public platform::core::Observer {
public:
    ZRGridRow() = default;
    ~ZRGridRow() override;
    ZRGridRow(const ZRGridRow&) = delete;
    ZRGridRow& operator=(const ZRGridRow&) = delete;

    virtual void Backup();
    // Hide when hide is true, else Show.
    virtual void DisplayRow(bool hide);
    virtual bool GetDynamicLoad();
    // Stores the grid, marks the row initialized and initializes the header with the grid.
    virtual void Initialize(platform::ui::Grid* grid);
    // A cell button or push button of the row was clicked.
    virtual void OnClickedButton(unsigned long column);
    // A click in the row; flags are the keyboard modifiers. Answers 1 when handled.
    virtual int OnLButtonClicked(unsigned long column, unsigned int flags, const QPoint& point);
    virtual void OnLButtonDown(unsigned long column);
    virtual void OnLButtonUp(unsigned long column);
    // The edit of a cell was stored and ended.
    virtual void OnEndEditing(int column);
    // The user changed the current cell's control (each keystroke, pick or tick).
    virtual void OnModifyCell(int column);
    // A key pressed on the row's current cell; true consumes it.
    virtual bool ProcessKeys(QWidget* sender, QKeyEvent& event);
    virtual void Refresh(bool force);
    virtual void Revert();
    virtual void SetDynamicLoad(bool dynamicLoad);
    // Stores the row number and gives it to the header, which writes the name.
    virtual void SetRow(int row);
    virtual void Show();
    // The text about to be stored in a cell of the row; false keeps the cell current.
    virtual bool Validate(const std::string& text);

    // Fits the row's height to its cells.
    virtual void AdjustRowHeight();
    // Rewrites the name.
    virtual void RefreshName();

    void OnUpdate(platform::core::Subject* subject, platform::core::Message* message) override;

    platform::ui::Grid* GetGrid() const { return m_pGrid; }
    ZRRowHeader* GetHeader() const { return m_pHeader.get(); }
    int GetRow() const { return m_Row; }
    // A hidden row has height 0.
    void Hide();
    bool IsHidden() const { return m_bHidden; }
    bool IsInitialized() const { return m_bInitialized; }
    // The row owns the header (a previous one is deleted).
    void SetHeader(std::unique_ptr<ZRRowHeader> header);

protected:
    // Placed in a grid: initialized and numbered.
    bool IsPlaced() const { return m_pGrid && m_Row > 0; }
    // The value of (row, column); empty while not placed.
    std::string GetCellValue(int column) const;
    // Writes (row, column) when placed and the value differs (writes never redraw unchanged cells).
    void SetCellValue(int column, const std::string& value);
    // Fits the row height to its cells, covered cells included.
    void FitRowHeight();

private:
    // The grid takes every row out of place before it numbers them again.
    friend class ZRPropertiesGrid;

    int m_Row = 0;
    std::unique_ptr<ZRRowHeader> m_pHeader;
    platform::ui::Grid* m_pGrid = nullptr;
    bool m_bInitialized = false;
    bool m_bDynamicLoad = true;
    bool m_bHidden = false;
};
