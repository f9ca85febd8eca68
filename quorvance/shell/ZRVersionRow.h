#pragma once

#include "kitbase/ui/ZRAttributeRow.h"

#include <memory>

// A numeric firmware version shown read-only as "major.minor.build" (bits 16-23, 8-15, 0-7). The
// text follows the attribute on Refresh only: the base's change handling leaves the value cell alone.
class ZRVersionRow : public ZRAttributeRow {
public:
    ZRVersionRow(ZRAttribute* attribute, std::unique_ptr<ZRRowHeader> header);

    void Refresh(bool force) override;

    // "%d.%d.%d" of the three low bytes of the version word.
    static std::string FormatVersion(double value);

protected:
    void InitCells() override;
    // The text shown for the attribute's value; families with another version layout override it.
    virtual std::string VersionText(double value) { return FormatVersion(value); }
};
