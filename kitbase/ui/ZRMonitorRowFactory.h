#pragma once

#include <memory>

class ZRAttribute;
class ZRGridRow;

// Makes the grid row that shows one attribute. The program installs its one factory at start-up in
// the node managers, the monitor view and the monitor set-up.
class ZRMonitorRowFactory {
public:
    virtual ~ZRMonitorRowFactory() = default;

    // A new row for the attribute, or null when the attribute has no row kind. status is false for
    // property rows, true for status and monitor rows.
    virtual std::unique_ptr<ZRGridRow> CreateRow(ZRAttribute* attribute, bool status) = 0;
};
