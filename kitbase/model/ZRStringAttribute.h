#pragma once

#include "kitbase/model/ZRAttribute.h"

class ZRValStringLength;

enum StringPaddingType : int { NoPadding = 0, PadLeft = 1, PadRight = 2, Verbatim = 3 };

// A text parameter, optionally padded to a fixed stored length.
class ZRStringAttribute : public ZRAttribute {
public:
    ZRStringAttribute(ZRDevice*& device, int paddedLength, StringPaddingType padType, char padChar);
    ~ZRStringAttribute() override;

    bool Exists() override;
    std::string GetAsString() override;
    bool SetInternalAsFormattedString(const std::string& text, int format) override;
    std::string GetInternalAsString() override;
    bool Refresh(bool force) override;
    bool Save() override;
    bool SetAsString(const std::string& text) override;
    bool SetInternalAsString(const std::string& text) override;

    std::string GetValue() { return GetAsString(); }
    bool SetValue(const std::string& text) { return SetAsString(text); }

    void SetPadChar(char c) { m_PadChar = c; }
    char GetPadChar() const { return m_PadChar; }
    void SetPadType(StringPaddingType type) { m_PadType = type; }
    StringPaddingType GetPadType() const { return m_PadType; }
    void SetPaddedLength(int length) { m_PaddedLength = length; }
    int GetPaddedLength() const { return m_PaddedLength; }

    // Adds it to the validation list (which owns it) and keeps it for the length limits.
    void SetLengthValidation(std::unique_ptr<ZRValStringLength> validation);
    int GetMaxLength();
    int GetMinLength();

    // The stored form of a text: padded, then cut to the padded length.
    std::string MakeValid(const std::string& text) const;

protected:
    std::string m_Value;

private:
    std::string Trimmed(const std::string& text) const;

    char m_PadChar;
    StringPaddingType m_PadType;
    int m_PaddedLength;
    ZRValStringLength* m_pLengthValidation = nullptr;
};
