#pragma once

#include "kitbase/model/ZRStringAttribute.h"

// A text parameter made of fixed fields, each shown by another attribute through a ZRAttributeField.
class ZRCompositeAttribute : public ZRStringAttribute {
public:
    explicit ZRCompositeAttribute(ZRDevice*& device);
    ~ZRCompositeAttribute() override;

    virtual std::string GetFieldAsString(short start, short length);
    // Puts the text over the field and writes the whole text; false when the field does not fit.
    virtual bool SetFieldAsString(const std::string& text, short start, short length);
};
