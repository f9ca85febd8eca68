#pragma once

#include "platform/ui/Dialog.h"

#include <string>
#include <vector>

class ZRObject;

// "Drivers": the driver programs kept in a Merrix drive's drivers folder; adds and removes them.
class ZRDrivers : public platform::ui::Dialog {
public:
    enum : int { IDD = 280, IDC_DRIVERS = 1062, IDC_ADD = 1063, IDC_REMOVE = 1064, IDC_OK = 1065 };
    static constexpr long long kMaxDriverSize = 400000;

    // The folder is not owned.
    ZRDrivers(QWidget* parent, ZRObject* driversFolder);

    // The child each list entry stands for, in list order.
    const std::vector<ZRObject*>& GetEntries() const { return m_Entries; }

    void OnAdd();
    void OnRemove();

protected:
    bool OnInitDialog() override;
    void OnButton(int id) override;

private:
    // The drive keeps what it runs at power-up only after it is told to.
    void SavePowerUpValues();

    ZRObject* m_pFolder; // not owned
    std::vector<ZRObject*> m_Entries;
};
