#pragma once

#include <string>

class ZRAttribute;

// A test of a candidate text before it is written. The attribute that adopts a validation binds
// itself with SetAttribute and deletes the validation with itself; Test reads the candidate with
// the attribute's GetTestString.
class ZRValidation {
public:
    ZRValidation() = default;
    ZRValidation(const ZRValidation& other) = default;
    ZRValidation& operator=(const ZRValidation& other) = default;
    virtual ~ZRValidation() = default;

    // True when the candidate passes; otherwise the failure text goes into message.
    virtual bool Test(std::string& message) = 0;

    void SetAttribute(ZRAttribute* attribute) { m_pAttribute = attribute; }
    ZRAttribute* GetAttribute() const { return m_pAttribute; }

protected:
    // The attribute's candidate text; empty while no attribute is bound.
    std::string GetCandidate() const;

private:
    ZRAttribute* m_pAttribute = nullptr; // not owned
};
