#pragma once

#include "kitbase/ui/ZRAttributeRow.h"

#include <memory>

class ZRValAttribute;

// A number with spin arrows bounded by the attribute's range; every arrow click writes at once.
class ZRSpinRow : public ZRAttributeRow {
public:
    ZRSpinRow(ZRValAttribute* attribute, std::unique_ptr<ZRRowHeader> header);

    void Backup() override;
    void OnClickedButton(unsigned long column) override;
    void OnEndEditing(int column) override;
    int OnLButtonClicked(unsigned long column, unsigned int flags, const QPoint& point) override;
    void OnUpdate(platform::core::Subject* subject, platform::core::Message* message) override;
    void Refresh(bool force) override;
    void Revert() override;
    void Show() override;

protected:
    void InitCells() override;

private:
    ZRValAttribute* ValAttribute() const;

    std::string m_Backup = "0";
    // One height for every spin row of the process, taken from the first one shown.
    static int s_RowHeight;
};
