#pragma once

#include "kitbase/model/ZRError.h"
#include "kitbase/ui/ZRGridRow.h"

#include <memory>
#include <string>
#include <vector>

class ZRAttribute;

// A row that shows one attribute: its name in column 1, its value in column 2 (each kind sets up that
// cell), its units in column 3. The row observes its attribute and keeps the cells in step with it.
class ZRAttributeRow : public ZRGridRow {
public:
    // Without a header the row writes the attribute's name. The row observes the attribute.
    ZRAttributeRow(ZRAttribute* attribute, std::unique_ptr<ZRRowHeader> header);
    ~ZRAttributeRow() override;

    void AdjustRowHeight() override;
    void DisplayRow(bool hide) override;
    void OnClickedButton(unsigned long column) override;
    int OnLButtonClicked(unsigned long column, unsigned int flags, const QPoint& point) override;
    void OnUpdate(platform::core::Subject* subject, platform::core::Message* message) override;
    void SetRow(int row) override;
    bool Validate(const std::string& text) override;

    ZRAttribute* GetAttribute() const { return m_pAttribute; }
    // Replaces the attribute (and what the row observes); null hides the row. The cells are rebuilt.
    void SetAttribute(ZRAttribute* attribute);

protected:
    virtual void InitCells();
    virtual void RefreshUnits();

    // Whether a message came from the row's own attribute.
    bool IsOwnAttribute(platform::core::Subject* subject) const;
    // Grey text and a read-only value cell while the attribute is disabled.
    void ApplyEnabledLook();
    // For a kind's OnUpdate: the reason of a change of the row's own attribute once the row is
    // initialized, else -1. An enabled change is applied to the look here.
    int OwnChange(platform::core::Subject* subject, platform::core::Message* message);
    // Whether the value cell's control is open and active.
    bool IsValueControlActive() const;
    // The entry just picked in the value cell's list control, as its index text; empty when the
    // column is not the value's, the control is not active or nothing is picked.
    std::string PickedEntry(int column) const;
    // Fills a freshly set-up value cell; a disabled attribute gets its look at once.
    void InitValueCell(const std::string& text);
    // Writes the value cell's text with SetAsString when it differs from the attribute's. The cell then
    // shows the text as the attribute normalised it; on an error it keeps the typed text.
    void WriteCellText();
    // A dynamically loaded row writes its backup text back.
    void RestoreText(const std::string& backup);
    // Runs a write of the attribute; a ZRError is shown ("%s (error #%d)") and answered with false.
    template <class F> bool GuardWrite(F&& write);
    static void ShowWriteError(const ZRError& error);

    // Subjects whose value changes rewrite the row's name; derived rows fill it and observe them.
    std::vector<platform::core::Subject*>& GetNameRefreshList() { return m_NameRefresh; }
    bool IsForcedHidden() const { return m_bForcedHidden; }

private:
    // The attribute is going away: forget it without touching it again.
    void DropAttribute();

    ZRAttribute* m_pAttribute; // not owned
    std::vector<platform::core::Subject*> m_NameRefresh;
    bool m_bForcedHidden = false;
};

template <class F> bool ZRAttributeRow::GuardWrite(F&& write) {
    try {
        write();
        return true;
    } catch (const ZRError& error) {
        ShowWriteError(error);
        return false;
    }
}
