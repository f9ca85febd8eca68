#pragma once

#include "kitbase/ui/ZRAttributeRow.h"

#include <memory>

class ZRBoolAttribute;

// A boolean shown as a lamp: lit for true, grey for false. The lamp follows the attribute on
// Refresh only (the idle refresh or a format change), not on its change messages.
class ZRBoolRow : public ZRAttributeRow {
public:
    static constexpr unsigned long kFalseBitmap = 19703; // a grey lamp
    static constexpr unsigned long kTrueBitmap = 19704;  // a lit yellow lamp

    ZRBoolRow(ZRBoolAttribute* attribute, std::unique_ptr<ZRRowHeader> header);

    void Backup() override;
    void Refresh(bool force) override;
    void Revert() override;

    void SetBitmaps(unsigned long falseBitmap, unsigned long trueBitmap);

protected:
    void InitCells() override;

private:
    ZRBoolAttribute* BoolAttribute() const;
    const std::string& BitmapText(bool value) const { return value ? m_True : m_False; }

    std::string m_False;
    std::string m_True;
    bool m_Backup = false;
};
