#pragma once

#include <cstdint>
#include <string>

class ZRChannelScale;
class ZRUnits;

// One signal a scope channel can show: the value its signal attribute holds when chosen, its name,
// and the scale and units of its samples (neither owned).
class ZRChannelOption {
public:
    ZRChannelOption(uint32_t id, ZRChannelScale* scale, ZRUnits* units, bool analog, bool is16Bit);
    virtual ~ZRChannelOption() = default;
    ZRChannelOption(const ZRChannelOption&) = delete;
    ZRChannelOption& operator=(const ZRChannelOption&) = delete;

    virtual ZRChannelScale* GetScaleObject() { return m_pScale; }
    virtual ZRUnits* GetUnitsObject() { return m_pUnits; }

    uint32_t GetIndex() const { return m_Id; }
    void SetIndex(uint32_t id) { m_Id = id; }
    const std::string& GetName() const { return m_Name; }
    void SetName(const std::string& name) { m_Name = name; }
    void SetScaleObject(ZRChannelScale* scale) { m_pScale = scale; }
    void SetUnitsObject(ZRUnits* units) { m_pUnits = units; }
    bool IsAnalogType() const { return m_bAnalog; }
    void SetAnalogType(bool analog) { m_bAnalog = analog; }
    bool Is16BitData() const { return m_b16BitData; }
    void Set16BitData(bool is16Bit) { m_b16BitData = is16Bit; }

private:
    uint32_t m_Id;
    bool m_b16BitData;
    bool m_bAnalog;
    std::string m_Name;
    ZRUnits* m_pUnits;
    ZRChannelScale* m_pScale;
};
