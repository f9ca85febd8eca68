#pragma once

#include "quorvance/shell/ZRVersionRow.h"

// A Tarvik firmware version, read-only, as major and minor number: 0x11D shows as "1.29".
class ZRVersionRowTarvik : public ZRVersionRow {
public:
    using ZRVersionRow::ZRVersionRow;

    // "%u.%02u" of the value's bits 8 and up and its low byte.
    static std::string FormatTarvikVersion(double value);

protected:
    std::string VersionText(double value) override { return FormatTarvikVersion(value); }
};
