#include "quorvance/tarvik/ZRDigInTarvik.h"

#include "kitbase/model/ZRBoolAttribute.h"
#include "kitbase/model/ZRLongBitField.h"
#include "kitbase/model/ZRStringAttribute.h"
#include "platform/core/Text.h"
#include "quorvance/shell/ZRValEnableInput.h"
#include "quorvance/tarvik/TarvikBlockTables.h"
#include "quorvance/tarvik/TarvikIds.h"
#include "quorvance/tarvik/ZROlbraConverter.h"

using namespace tarvik;
using namespace tarvik::param;

namespace {

constexpr int kEntries = 30;
constexpr uint32_t kDriveEnable = 0x80000000;
// Input codes of the older family, before they move into the high half.
constexpr uint32_t kOldFaultReset = 0x4000;
// ... and after.
constexpr uint32_t kOldDriveModeSelect = 0x10000;
constexpr uint32_t kOldPresetSelect0 = 0x400000;
constexpr uint32_t kOldPresetSelect1 = 0x800000;
constexpr uint32_t kOldPresetSelect2 = 0x1000000;

// Left column of the function table first, then the right one.
const BitEntries kInputFunctions = {
    {0, "Unassigned"},
    {0x4000000, "Define Home"},
    {0x10000, "Define Position"},
    {0x1, "Disable Serial Communications"},
    {0x80000000, "Drive Enable"},
    {0x40000000, "Fault Reset"},
    {0x40000, "Follower Enable"},
    {0x80000, "Forward Enable"},
    {0x800000, "Home Sensor"},
    {0x20000, "Integrator Inhibit"},
    {0x80, "Negative Overtravel"},
    {0x200000, "Operation Mode Override"},
    {0x8, "Pause Homing"},
    {0x2, "Pause Index"},
    {0x400000, "Position Strobe"},
    {0x40, "Positive Overtravel"},
    {0x100, "Preset Select 0"},
    {0x200, "Preset Select 1"},
    {0x400, "Preset Select 2"},
    {0x800, "Preset Select 3"},
    {0x1000, "Preset Select 4"},
    {0x2000, "Preset Select 5"},
    {0x8000000, "Registration Sensor"},
    {0x10000000, "Remove Command Offset"},
    {0x1000000, "Reset Drive"},
    {0x100000, "Reverse Enable"},
    {0x20000000, "Start Homing"},
    {0x2000000, "Start Indexing"},
    {0x10, "Stop Homing"},
    {0x4, "Stop Indexing"},
};

} // namespace

ZRDigInTarvik::ZRDigInTarvik() : m_pSercosInput(MakeAttr<ZRLongBitField>(GetDevice(), kEntries, 4)) {
    for (auto& assignment : m_Assignments)
        assignment = MakeAttr<ZRLongBitField>(GetDevice(), kEntries, 4);
    for (int i = 0; i < kInputs; ++i)
        m_States[i] = MakeAttr<ZRBoolAttribute>(GetDevice(), 2, i);
}

ZRDigInTarvik::~ZRDigInTarvik() = default;

void ZRDigInTarvik::Init() {
    ZRObject::Init();
    SetClass(kDigInType);
    SetVersion(kBlockVersion);
    GetName().SetValue("Digital Inputs");
    for (int i = 0; i < kInputs; ++i) {
        const std::string name = platform::core::Format("Input %d", i + 1);
        ZRLongBitField& assignment = *m_Assignments[i];
        Bind(assignment, this, AttributeId(kInputAssignments, i), name);
        AddEntries(assignment, kInputFunctions);
        assignment.SetValue(0);
        assignment.AddValidation(std::make_unique<ZRValEnableInput>());
        AddProperty(&assignment);
        BindFlag(*m_States[i], this, AttributeId(kInputStates), name + " State");
        m_States[i]->SetValue(false);
        AddStatus(m_States[i].get());
    }
    Bind(*m_pSercosInput, this, AttributeId(kInputAssignments, 0), "Input 1");
    AddEntries(*m_pSercosInput, {{0, "Unassigned"}, {kDriveEnable, "Drive Enable"}});
    m_Assignments[0]->SetValue(static_cast<int32_t>(kDriveEnable));
    m_pSercosInput->SetValue(static_cast<int32_t>(kDriveEnable));
}

void ZRDigInTarvik::Attach(ZRDevice* device, int32_t instance) {
    ZRObject::Attach(device, instance);
    MarkResetDriveUnsupported(*this, device,
                              {m_Assignments[0].get(), m_Assignments[1].get(), m_Assignments[2].get(),
                               m_Assignments[3].get(), m_Assignments[4].get(), m_Assignments[5].get(),
                               m_Assignments[6].get(), m_Assignments[7].get()});
}

// The file's inputs 1 to 5 become inputs 2 to 6: "Input 1" keeps the drive's enable.
bool ZRDigInTarvik::ImportParValues(ZROlbraConverter* file) {
    if (!file)
        return false;
    const ZROlbraConverter& f = *file;
    const int version = f.GetFormatVersion();
    const bool olbra = f.IsOlbraFile();
    for (int i = 1; i <= 5; ++i) {
        // Olbra files have four inputs.
        if (i == 5 && olbra)
            break;
        uint32_t code = 0;
        if (i == 1)
            code = version < 7 ? kOldFaultReset : static_cast<uint32_t>(f.GetValue(317));
        else
            code = static_cast<uint32_t>(f.GetValue(version >= 8 && olbra ? 324 + i : 65 + i));
        // Newer Olbra files already keep the drive's own codes for inputs 2 on.
        if (!(version >= 8 && i != 1 && olbra))
            code <<= 16;
        switch (code) {
        case kOldDriveModeSelect:
            file->AppendLog(platform::core::Format(
                "Warning: Digital input #%d: Drive Mode Select setting is not supported, using default.", i + 1));
            code = 0;
            break;
        case kOldPresetSelect0:
            code = 0x100;
            break;
        case kOldPresetSelect1:
            code = 0x200;
            break;
        case kOldPresetSelect2:
            code = 0x400;
            break;
        default:
            break;
        }
        m_Assignments[i]->SetValue(static_cast<int32_t>(code));
    }
    return true;
}
