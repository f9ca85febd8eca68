#pragma once

#include "platform/core/Observer.h"

#include <cstdint>
#include <string>

class ZRAttribute;
class ZRCompositeAttribute;
class ZRLongOptions;
class ZRStringOptions;

// One field of a composite text: keeps its showing attribute up to date with the composite and
// writes the attribute's value into it.
class ZRAttributeField : public platform::core::Observer {
public:
    ZRAttributeField(ZRAttribute* attribute, ZRCompositeAttribute* composite, unsigned char start,
                     unsigned char length);
    ZRAttributeField(const ZRAttributeField& other);
    ZRAttributeField& operator=(const ZRAttributeField& other);
    ~ZRAttributeField() override;

    void OnUpdate(platform::core::Subject* subject, platform::core::Message* message) override;

    void SetTrueString(const std::string& text) { m_TrueString = text; }
    void SetFalseString(const std::string& text) { m_FalseString = text; }
    void SetLongOptions(ZRLongOptions* options) { m_pLongOptions = options; }
    void SetStringOptions(ZRStringOptions* options) { m_pStringOptions = options; }

    bool Exists();
    bool Refresh(bool force);

    bool GetString(std::string& text);
    bool GetLong(int32_t& value);
    bool GetULong(uint32_t& value);
    bool GetIndex(int32_t& index);

    bool SetString(const std::string& text);
    bool SetLong(int32_t value);
    bool SetULong(uint32_t value);
    bool SetLongIndex(int32_t index);

    unsigned char GetStart() const { return m_Start; }
    unsigned char GetLength() const { return m_Length; }
    ZRAttribute* GetAttribute() const { return m_pAttribute; }
    // Null once the composite has announced its destruction.
    ZRCompositeAttribute* GetComposite() const { return m_pComposite; }

private:
    void Attach(ZRCompositeAttribute* composite);
    void Detach();
    bool WriteText(const std::string& text);
    bool GetHex(uint32_t& value);

    unsigned char m_Start;
    unsigned char m_Length;
    ZRAttribute* m_pAttribute;
    ZRCompositeAttribute* m_pComposite = nullptr;
    bool m_bWriting = false;
    ZRLongOptions* m_pLongOptions = nullptr;
    ZRStringOptions* m_pStringOptions = nullptr;
    std::string m_TrueString;
    std::string m_FalseString;
};
