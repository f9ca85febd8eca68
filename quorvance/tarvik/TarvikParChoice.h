#pragma once

#include <cstdint>

class ZRIndexSelection;
class ZROlbraConverter;

namespace tarvik {

// Selects the option whose stored value an older-family file holds; a value no option has keeps
// the selection and logs the miss, so nothing unset is ever selected.
void SelectStored(ZROlbraConverter& file, ZRIndexSelection& selection, int32_t value);

} // namespace tarvik
