#pragma once

#include <string>

namespace platform::ui {
class Grid;
}

// Writes the name of a property-grid row into column 1 of that row. The row owns its header, hands
// it the grid and the row number, and asks it to rewrite the caption.
class ZRRowHeader {
public:
    ZRRowHeader() = default;
    ZRRowHeader(const ZRRowHeader&) = default;
    ZRRowHeader& operator=(const ZRRowHeader&) = default;

    virtual ~ZRRowHeader();
    virtual void Initialize(platform::ui::Grid* grid);
    // Writes the caption.
    virtual void Refresh() = 0;
    // Stores the row, then rewrites the caption.
    virtual void SetRow(int row);

    platform::ui::Grid* GetGrid() const { return m_pGrid; }
    int GetRow() const { return m_Row; }

protected:
    // Replaces the value of (row, 1); nothing while the header is not placed.
    void WriteCaption(const std::string& caption);

private:
    platform::ui::Grid* m_pGrid = nullptr;
    int m_Row = -1;
};
