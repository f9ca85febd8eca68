#pragma once

#include "kitbase/ui/ZRRowHeader.h"

#include <string>

// A fixed caption: the name of a group or caption row.
class ZRStaticHeader : public ZRRowHeader {
public:
    explicit ZRStaticHeader(std::string caption) : m_Caption(std::move(caption)) {}

    void Refresh() override;

    const std::string& GetHeaderName() const { return m_Caption; }

private:
    std::string m_Caption;
};
