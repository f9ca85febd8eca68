#pragma once

#include "kitbase/model/ZRObject.h"

#include <array>
#include <memory>
#include <string>

class ZROlbraConverter;
class ZRBoolAttribute;
class ZRCommand;
class ZRUlongAttribute;

// The drive's user fault limits and one read-only flag per drive fault, with the service that
// clears the faults.
class ZRFaults : public ZRObject {
public:
    // Takes the block's values from an older-family parameter file.
    bool ImportParValues(ZROlbraConverter* file);
    // Faults 1 to 41; 38 has no flag.
    static constexpr int kFaultCount = 41;
    // Entries of the drive's fault history.
    static constexpr int kHistoryEntries = 20;

    ZRFaults();
    ~ZRFaults() override;

    void Init() override;

    // Appends one line per history entry the drive answers (" E04:     6:10\t\tMotor ...\r\n") and
    // stops at the first exchange that fails. A reply the drive garbles throws its ZRError; the
    // lines read before it stay in the text.
    void ReadFaultHistory(std::string& text);
    // One line of the history from an entry as the drive sends it.
    static std::string FormatHistoryEntry(uint32_t entry);

    ZRUlongAttribute* GetUserCurrentFault() const { return m_pUserCurrentFault.get(); }
    ZRUlongAttribute* GetUserVelocityFault() const { return m_pUserVelocityFault.get(); }
    ZRBoolAttribute* GetUserVelocityFaultEnable() const { return m_pUserVelocityFaultEnable.get(); }
    ZRUlongAttribute* GetVelocityErrorFaultLimit() const { return m_pVelocityErrorLimit.get(); }
    ZRUlongAttribute* GetVelocityErrorFaultTime() const { return m_pVelocityErrorTime.get(); }
    ZRUlongAttribute* GetFollowingErrorLimit() const { return m_pFollowingErrorLimit.get(); }
    ZRUlongAttribute* GetFollowingErrorTime() const { return m_pFollowingErrorTime.get(); }
    // The flag of a fault number 1 to 41; null for 38 and numbers outside.
    ZRBoolAttribute* GetFault(int number) const;
    ZRBoolAttribute* GetFaultDisable() const { return m_pFaultDisable.get(); }
    ZRBoolAttribute* GetFaultResetInput() const { return m_pFaultResetInput.get(); }
    ZRCommand* GetClearFaultsCommand() const { return m_pClearFaults.get(); }

private:
    std::unique_ptr<ZRUlongAttribute> m_pUserCurrentFault;
    std::unique_ptr<ZRUlongAttribute> m_pUserVelocityFault;
    std::unique_ptr<ZRBoolAttribute> m_pUserVelocityFaultEnable;
    std::unique_ptr<ZRUlongAttribute> m_pVelocityErrorLimit;
    std::unique_ptr<ZRUlongAttribute> m_pVelocityErrorTime;
    std::unique_ptr<ZRUlongAttribute> m_pFollowingErrorLimit;
    std::unique_ptr<ZRUlongAttribute> m_pFollowingErrorTime;
    // By fault number - 1.
    std::array<std::unique_ptr<ZRBoolAttribute>, kFaultCount> m_Faults;
    std::unique_ptr<ZRBoolAttribute> m_pFaultDisable;
    std::unique_ptr<ZRBoolAttribute> m_pFaultResetInput;
    std::unique_ptr<ZRCommand> m_pClearFaults;
};
