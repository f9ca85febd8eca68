#pragma once

#include "kitbase/model/ZRAttribute.h"

#include <cstdint>
#include <memory>

class ZROptions;

// A parameter whose value is one choice of an option list: it holds the index of the choice
// (-1 for none) and reads and writes the option's stored value through the list.
class ZRIndexSelection : public ZRAttribute {
public:
    explicit ZRIndexSelection(ZRDevice*& device);
    // Tells the observers (Destroying) before the list goes.
    ~ZRIndexSelection() override;

    bool Exists() override;
    std::string GetAsString() override;
    bool SetInternalAsFormattedString(const std::string& text, int format) override;
    std::string GetInternalAsString() override;
    bool Refresh(bool force) override;
    bool Save() override;
    bool SetAsString(const std::string& text) override;
    bool SetInternalAsString(const std::string& text) override;

    virtual bool SetValue(int32_t index);

    ZROptions* GetOptions() const { return m_pOptions.get(); }
    // Takes ownership, appends the "Unexpected Value" placeholder and selects the first option.
    void SetOptions(std::unique_ptr<ZROptions> options);
    int32_t GetValue() const { return m_Value; }
    // Selects the placeholder, so "Unexpected Value" is shown.
    void SetInvalid();
    bool IsValid() const { return m_Value != -1; }

private:
    // Reads the stored choice back after a failed write and shows it.
    void ReadBack();

    int32_t m_Value = -1;
    std::unique_ptr<ZROptions> m_pOptions;
};
