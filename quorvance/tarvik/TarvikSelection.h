#pragma once

#include "kitbase/model/ZRIndexSelection.h"

// A Tarvik option selection. A project value that no option has is shown as "Unexpected Value"
// instead of leaving the previous choice in place, which would pass for a stored one.
class TarvikSelection : public ZRIndexSelection {
public:
    explicit TarvikSelection(ZRDevice*& device) : ZRIndexSelection(device) {}
    ~TarvikSelection() override = default;

    bool Refresh(bool force) override;

private:
    // The project holds a value for this selection that matches none of its options.
    bool StoredValueUnknown();
};
