#include "kitbase/ui/ZRAttributeRow.h"

#include "kitbase/model/ZRAttribute.h"
#include "kitbase/model/ZRUpdate.h"
#include "kitbase/ui/ZRAttributeHeader.h"
#include "kitbase/ui/ZRStaticHeader.h"
#include "platform/core/Modal.h"
#include "platform/ui/Grid.h"

#include <algorithm>

namespace CellControlId = platform::ui::CellControlId;
using platform::ui::Colour;

ZRAttributeRow::ZRAttributeRow(ZRAttribute* attribute, std::unique_ptr<ZRRowHeader> header)
    : m_pAttribute(attribute) {
    if (!header && attribute)
        header = std::make_unique<ZRAttributeHeader>(attribute);
    SetHeader(std::move(header));
    if (m_pAttribute)
        m_pAttribute->AddObserver(this);
}

ZRAttributeRow::~ZRAttributeRow() {
    if (m_pAttribute)
        m_pAttribute->RemoveObserver(this);
    m_NameRefresh.clear();
}

void ZRAttributeRow::AdjustRowHeight() {
    // Hidden attributes stay at height 0 through a layout.
    if (m_pAttribute && !m_pAttribute->IsHidden())
        ZRGridRow::AdjustRowHeight();
}

void ZRAttributeRow::DisplayRow(bool hide) {
    m_bForcedHidden = hide;
    if (!m_pAttribute || hide || m_pAttribute->IsHidden())
        Hide();
    else
        Show();
}

void ZRAttributeRow::OnClickedButton(unsigned long) {}

int ZRAttributeRow::OnLButtonClicked(unsigned long, unsigned int, const QPoint&) {
    return 0;
}

void ZRAttributeRow::OnUpdate(platform::core::Subject* subject, platform::core::Message* message) {
    int reason = ReasonOf(message);
    if (reason == ZRUpdate::Destroying) {
        // Whatever the row's state, it must never touch a subject that is going away.
        if (IsOwnAttribute(subject))
            DropAttribute();
        else
            std::erase(m_NameRefresh, subject);
        return;
    }
    if (!IsInitialized())
        return;
    switch (reason) {
    case ZRUpdate::ValueChanged:
        if (std::find(m_NameRefresh.begin(), m_NameRefresh.end(), subject) != m_NameRefresh.end())
            RefreshName();
        break;
    case ZRUpdate::HiddenChanged:
        if (!m_pAttribute || m_bForcedHidden || m_pAttribute->IsHidden())
            Hide();
        else
            Show();
        break;
    case ZRUpdate::UnitsChanged:
        RefreshUnits();
        break;
    case ZRUpdate::NameChanged:
        RefreshName();
        break;
    default:
        break;
    }
}

void ZRAttributeRow::SetRow(int row) {
    ZRGridRow::SetRow(row);
    InitCells();
    RefreshName();
    // Rows of a dynamic group that was never opened are placed without reading.
    if (GetDynamicLoad())
        Refresh(false);
}

bool ZRAttributeRow::Validate(const std::string& text) {
    return m_pAttribute ? m_pAttribute->Validate(text) : true;
}

void ZRAttributeRow::SetAttribute(ZRAttribute* attribute) {
    if (attribute != m_pAttribute) {
        // The row observes the attribute it shows, so no attribute keeps a pointer to a deleted row.
        if (m_pAttribute)
            m_pAttribute->RemoveObserver(this);
        m_pAttribute = attribute;
        if (m_pAttribute)
            m_pAttribute->AddObserver(this);
    }
    DisplayRow(m_bForcedHidden);
    InitCells();
    Refresh(false);
}

void ZRAttributeRow::InitCells() {
    if (!IsPlaced())
        return;
    platform::ui::Grid* grid = GetGrid();
    const int row = GetRow();
    for (int col : {0, 1, 3}) {
        grid->SetControl(row, col, CellControlId::Static);
        grid->SetReadOnly(row, col, true);
    }
    RefreshName();
    RefreshUnits();
    if (!m_pAttribute || m_pAttribute->IsHidden())
        Hide();
}

void ZRAttributeRow::RefreshUnits() {
    if (m_pAttribute && IsPlaced())
        SetCellValue(3, m_pAttribute->GetUnits());
}

bool ZRAttributeRow::IsOwnAttribute(platform::core::Subject* subject) const {
    return m_pAttribute && subject == static_cast<platform::core::Subject*>(m_pAttribute);
}

void ZRAttributeRow::ApplyEnabledLook() {
    if (!m_pAttribute || !IsPlaced())
        return;
    bool enabled = m_pAttribute->GetEnabled();
    platform::ui::Grid* grid = GetGrid();
    const int row = GetRow();
    grid->SetReadOnly(row, 2, !enabled);
    // A reference to the system colour, so the look follows the palette.
    Colour colour = Colour::System(enabled ? Colour::WindowText : Colour::GrayText);
    for (int col = 1; col <= 3; ++col)
        grid->SetTextColour(row, col, colour);
}

int ZRAttributeRow::OwnChange(platform::core::Subject* subject, platform::core::Message* message) {
    if (!IsInitialized() || !IsOwnAttribute(subject))
        return -1;
    int reason = ReasonOf(message);
    if (reason == ZRUpdate::EnabledChanged)
        ApplyEnabledLook();
    return reason;
}

bool ZRAttributeRow::IsValueControlActive() const {
    if (!IsPlaced())
        return false;
    platform::ui::Grid* grid = GetGrid();
    return grid->IsCurrentCell(GetRow(), 2) && grid->IsActive();
}

std::string ZRAttributeRow::PickedEntry(int column) const {
    if (column != 2 || !m_pAttribute || !IsValueControlActive())
        return {};
    return GetGrid()->ControlValue();
}

void ZRAttributeRow::InitValueCell(const std::string& text) {
    GetGrid()->SetValue(GetRow(), 2, text);
    if (m_pAttribute && !m_pAttribute->GetEnabled())
        ApplyEnabledLook();
}

void ZRAttributeRow::WriteCellText() {
    if (!m_pAttribute)
        return;
    std::string value = GetCellValue(2);
    if (value == m_pAttribute->GetAsString())
        return;
    // The write may drop the attribute: read it again afterwards.
    if (GuardWrite([&] { m_pAttribute->SetAsString(value); }) && m_pAttribute)
        SetCellValue(2, m_pAttribute->GetAsString());
}

void ZRAttributeRow::RestoreText(const std::string& backup) {
    if (GetDynamicLoad() && m_pAttribute)
        GuardWrite([&] { m_pAttribute->SetAsString(backup); });
}

void ZRAttributeRow::ShowWriteError(const ZRError& error) {
    platform::core::MessageBox(error.GetComboMessage(), {}, platform::core::MB_OK);
}

void ZRAttributeRow::DropAttribute() {
    ZRAttribute* dying = m_pAttribute;
    m_pAttribute = nullptr;
    dying->RemoveObserver(this);
    // The default header reads the attribute's name: keep the caption, lose the pointer.
    auto* header = dynamic_cast<ZRAttributeHeader*>(GetHeader());
    if (header && header->GetAttribute() == dying) {
        auto caption = std::make_unique<ZRStaticHeader>(dying->GetName());
        ZRStaticHeader* placed = caption.get();
        SetHeader(std::move(caption));
        if (IsPlaced())
            placed->SetRow(GetRow());
    }
    if (IsInitialized())
        SetAttribute(nullptr);
}
