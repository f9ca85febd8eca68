#include "quorvance/tarvik/TarvikParChoice.h"

#include "kitbase/model/ZRIndexSelection.h"
#include "platform/core/Text.h"
#include "quorvance/tarvik/TarvikBlockSetup.h"
#include "quorvance/tarvik/ZROlbraConverter.h"

namespace tarvik {

void SelectStored(ZROlbraConverter& file, ZRIndexSelection& selection, int32_t value) {
    if (value < 0 || !SelectValue(selection, static_cast<uint32_t>(value)))
        file.AppendLog(platform::core::Format("Warning: %s value %d is not an option. Kept %s.",
                                              selection.GetName().c_str(), value, selection.GetAsString().c_str()));
}

} // namespace tarvik
