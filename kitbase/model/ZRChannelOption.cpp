#include "kitbase/model/ZRChannelOption.h"

ZRChannelOption::ZRChannelOption(uint32_t id, ZRChannelScale* scale, ZRUnits* units, bool analog,
                                 bool is16Bit)
    : m_Id(id), m_b16BitData(is16Bit), m_bAnalog(analog), m_pUnits(units), m_pScale(scale) {}
