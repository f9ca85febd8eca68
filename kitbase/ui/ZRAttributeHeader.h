#pragma once

#include "kitbase/ui/ZRRowHeader.h"

class ZRAttribute;

// The attribute's name (the default header of every attribute row). The row re-reads the name when
// the attribute is renamed; the header observes nothing.
class ZRAttributeHeader : public ZRRowHeader {
public:
    explicit ZRAttributeHeader(ZRAttribute* attribute) : m_pAttribute(attribute) {}

    void Refresh() override;

    ZRAttribute* GetAttribute() const { return m_pAttribute; }

private:
    ZRAttribute* m_pAttribute; // not owned
};
