#include "quorvance/tarvik/TarvikMonitorTree.h"

#include "quorvance/shell/ZRQuorvanceApp.h"
#include "quorvance/tarvik/ZRDrive.h"
#include "quorvance/tarvik/ZRTuning.h"

namespace tarvik {

bool EngineeringMode() {
    ZRQuorvanceApp* app = ZRQuorvanceApp::Instance();
    return app && app->IsEngineeringMode();
}

std::vector<MonitorMember> CurrentSignals(ZRDrive& d) {
    ZRTuning* tuning = d.GetTuning();
    auto tune = [tuning](auto getter) -> ZRAttribute* { return tuning ? (tuning->*getter)() : nullptr; };
    return {tune(&ZRTuning::GetCurrentAnalogLimitInput),
            tune(&ZRTuning::GetCurrentAverage),
            tune(&ZRTuning::GetCurrentCommand),
            Eng(tune(&ZRTuning::GetDAxisError)),
            Eng(tune(&ZRTuning::GetDAxisFeedback)),
            tune(&ZRTuning::GetCurrentFeedback),
            Eng(tune(&ZRTuning::GetLoopGain)),
            d.GetNegCurrentLimit(),
            tune(&ZRTuning::GetCurrentPeakMinus),
            tune(&ZRTuning::GetCurrentPeakPlus),
            d.GetPosCurrentLimit(),
            Eng(tune(&ZRTuning::GetQAxisError)),
            Eng(tune(&ZRTuning::GetQAxisFeedback)),
            Eng(tune(&ZRTuning::GetCurrentUPhase)),
            Eng(tune(&ZRTuning::GetCurrentWPhase))};
}

ZRPropertyGroup* KeptMonitorTree(std::unique_ptr<ZRPropertyGroup>& tree, ZRDrive& d, MonitorTreeMaker make) {
    if (!tree)
        tree = make(d, EngineeringMode());
    // A renamed drive shows its current name.
    tree->SetName(d.GetName().GetValue());
    return tree.get();
}

} // namespace tarvik
