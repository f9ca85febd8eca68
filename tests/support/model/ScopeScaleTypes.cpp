#include "support/model/ScopeScaleTypes.h"

#include "kitbase/model/ZRCommand.h"
#include "kitbase/model/ZRIndexSelection.h"
#include "kitbase/model/ZRLongOptions.h"
#include "kitbase/model/ZRScope.h"
#include "platform/core/Text.h"

void DefineTestScope(ZRScope& scope, int32_t armService) {
    scope.GetArmTrigger()->Define(armService);
    for (int c = 0; c < ZRScope::kMaxChannels; ++c) {
        auto options = std::make_unique<ZRLongOptions>(&scope, 4);
        options->Add(ZRScope::kAuto, "Auto");
        options->Add(ZRScope::kManual, "Manual");
        for (int k = 0; k < c; ++k)
            options->Add(ZRScope::kSameAsChA + k, platform::core::Format("Same As Ch%c", 'A' + k));
        scope.GetChnScaleType(c)->SetName("Scale Type");
        scope.GetChnScaleType(c)->SetOptions(std::move(options));
    }
}
