#pragma once

#include "kitbase/model/ZRObject.h"

#include <array>
#include <memory>

class ZROlbraConverter;
class ZRBoolAttribute;
class ZRLongBitField;

// The eight digital inputs: each input's assigned functions and its live state, plus the restricted
// assignment of the first input that a SERCOS drive shows.
class ZRDigInTarvik : public ZRObject {
public:
    // Takes the block's values from an older-family parameter file.
    bool ImportParValues(ZROlbraConverter* file);
    static constexpr int kInputs = 8;

    ZRDigInTarvik();
    ~ZRDigInTarvik() override;

    void Attach(ZRDevice* device, int32_t instance) override;
    void Init() override;

    // Input i + 1 ("Input 1" is i = 0).
    ZRLongBitField* GetInput(int i) const { return m_Assignments.at(i).get(); }
    ZRBoolAttribute* GetInputState(int i) const { return m_States.at(i).get(); }
    ZRLongBitField* GetSercosInput() const { return m_pSercosInput.get(); }

private:
    std::array<std::unique_ptr<ZRLongBitField>, kInputs> m_Assignments;
    std::array<std::unique_ptr<ZRBoolAttribute>, kInputs> m_States;
    std::unique_ptr<ZRLongBitField> m_pSercosInput;
};
