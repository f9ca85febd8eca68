#pragma once

#include "kitbase/model/ZRAttribute.h"

// A yes/no parameter stored as a whole integer of 1 to 4 bytes or as one bit of it.
class ZRBoolAttribute : public ZRAttribute {
public:
    // bitPosition -1 stands for the whole integer.
    ZRBoolAttribute(ZRDevice*& device, int dataSize, int bitPosition);
    ~ZRBoolAttribute() override;

    bool Exists() override;
    std::string GetAsString() override;
    bool SetInternalAsFormattedString(const std::string& text, int format) override;
    std::string GetInternalAsString() override;
    std::string GetKey() override;
    bool Refresh(bool force) override;
    bool Save() override;
    bool SetAsString(const std::string& text) override;
    bool SetInternalAsString(const std::string& text) override;

    bool GetValue() const { return m_Value; }
    bool SetValue(bool value);
    void SetStrings(const std::string& falseText, const std::string& trueText);
    const std::string& GetFalseString() const { return m_FalseString; }
    const std::string& GetTrueString() const { return m_TrueString; }
    int GetBitPosition() const { return m_BitPosition; }

private:
    // Writes the value as the whole integer or into its bit of the stored integer.
    bool WriteStored(ZRStorage& storage, bool value);

    int m_DataSize;
    bool m_Value = false;
    int m_BitPosition;
    std::string m_FalseString = "False";
    std::string m_TrueString = "True";
};
