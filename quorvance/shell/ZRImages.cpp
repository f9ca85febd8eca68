#include "quorvance/shell/ZRImages.h"

#include "kitbase/ui/ZRKitImages.h"
#include "kitbase/ui/ZRWorkspaceView.h"
#include "platform/ui/Resources.h"
#include "quorvance/shell/QuorvanceIds.h"

#include <QIcon>

namespace {

struct Image {
    int id;
    const char* name; // in the icon set
};

// Every index of the list has an image; the indexes no window uses show a plain folder.
constexpr Image kWorkspaceImages[] = {
    {ZRImages::kOnLineRoot, "online-root"},
    {ZRImages::kModeConfiguration, "mode-configuration"},
    {ZRImages::kDigitalInputs, "digital-inputs"},
    {ZRImages::kDigitalOutputs, "digital-outputs"},
    {ZRImages::kAnalogInputs, "analog-inputs"},
    {ZRImages::kAnalogOutputs, "analog-outputs"},
    {ZRImages::kTuning, "tuning"},
    {ZRImages::kPreset, "preset"},
    {ZRImages::kAnalog, "analog-mode"},
    {ZRImages::kFollower, "follower"},
    {ZRImages::kEncoders, "encoders"},
    {ZRImages::kGlobalVariables, "variable"},
    {ZRImages::kPrograms, "programs-folder"},
    {ZRImages::kSourceFile, "source-file"},
    {ZRImages::kHeaderFile, "header-file"},
    {ZRImages::kOffLineRoot, "folder"},
    {ZRImages::kGenericFile, "plain-file"},
    {ZRImages::kMove, "move"},
    {ZRImages::kIndexing, "indexing"},
    {ZRImages::kArchives, "archives-folder"},
    {ZRImages::kMerrixDrive, "drive-merrix"},
    {ZRImages::kTarvikDrive, "drive-tarvik"},
    {ZRImages::kProject, "project-folder"},
    {ZRImages::kHoming, "homing"},
    {ZRImages::kMotor, "motor"},
    {ZRImages::kMonitor, "monitor"},
    {ZRImages::kOscilloscope, "oscilloscope"},
    {ZRImages::kFaults, "faults"},
    {ZRImages::kDeviceNet, "devicenet"},
    {ZRImages::kServiceInfo, "service-info"},
    {ZRImages::kPlaceholder, "drive-placeholder"},
    {ZRImages::kVariable, "variable"},
    {ZRImages::kCamFile, "cam-file"},
    {ZRImages::kSercosDrive, "drive-tarvik-sercos"},
    {ZRImages::kFenwaDrive, "drive-fenwa"},
    {ZRImages::kZelnaDrive, "drive-zelna"},
};

constexpr Image kWindowIcons[] = {
    {IDR_MAINFRAME, "application"},
    {ZRImages::IDI_HOMING, "homing"},
    {ZRImages::IDI_SERVICE_INFO, "service-info"},
    {ZRImages::IDI_AUTOTUNING, "analysis"},
    {ZRImages::IDI_MANUAL_VELOCITY_TUNING, "tuning"},
    {ZRImages::IDI_MANUAL_POSITION_TUNING, "tuning"},
    {ZRImages::IDI_OVERRIDE_OUTPUTS, "override-outputs"},
    {ZRImages::IDI_VARIABLE, "variable"},
    {ZRImages::IDI_ANALOG_OUTPUT_CONTROL, "control-panel"},
    {ZRImages::IDI_PROJECT, "project-folder"},
    {ZRImages::IDI_ANALOG_INPUTS, "analog-inputs"},
    {ZRImages::IDI_MODE_WINDOW, "control-panel"},
    {ZRImages::IDI_PROGRAM_ENCODER, "program-encoder"},
    {ZRImages::IDI_DIGITAL_OUTPUTS, "digital-outputs"},
    {ZRImages::IDI_INDEXING, "indexing"},
    {ZRImages::IDI_TUNING, "tuning"},
    {ZRImages::IDI_MONITOR, "monitor"},
    {ZRImages::IDI_ANALOG_OUTPUTS, "analog-outputs"},
    {ZRImages::IDI_FAULTS, "faults"},
    {ZRImages::IDI_SCOPE, "oscilloscope"},
    {ZRImages::IDI_PRESET, "preset"},
    {ZRImages::IDI_DIGITAL_INPUTS, "digital-inputs"},
    {ZRImages::IDI_MOTOR, "motor"},
    {ZRImages::IDI_DRIVE, "drive"},
    {ZRImages::IDI_ANALOG, "analog-mode"},
    {ZRImages::IDI_FOLLOWER, "follower"},
    {ZRImages::IDI_ENCODERS, "encoders"},
    {ZRImages::IDI_MODE_CONFIGURATION, "mode-configuration"},
    {ZRImages::IDI_CONTROL_PANEL, "control-panel"},
    {ZRImages::IDI_CAM_TABLE, "cam-file"},
};

} // namespace

bool ZRImages::Register() {
    using platform::ui::Resources;
    ZRKitImages::Register();
    bool complete = true;
    for (const Image& image : kWindowIcons)
        complete = Resources::RegisterSetIcon(image.id, image.name) && complete;

    const int list = ZRWorkspaceView::kImageList;
    const QIcon folder = Resources::SetIcon("folder");
    for (int index = 0; index < kWorkspaceImageCount; ++index)
        Resources::RegisterListIcon(list, index, folder);
    for (const Image& image : kWorkspaceImages) {
        QIcon icon = Resources::SetIcon(image.name);
        complete = complete && !icon.isNull();
        Resources::RegisterListIcon(list, image.id, icon);
    }
    // A running program's item steps through 18 to 23: the program and the running mark by turns.
    const QIcon program = Resources::SetIcon("program");
    const QIcon running = Resources::SetIcon("program-running");
    complete = complete && !program.isNull() && !running.isNull();
    for (int index = kProgram; index <= kProgramRunLast; ++index)
        Resources::RegisterListIcon(list, index, (index - kProgram) % 2 ? running : program);
    return complete;
}

std::vector<int> ZRImages::WindowIconIds() {
    std::vector<int> ids;
    for (const Image& image : kWindowIcons)
        ids.push_back(image.id);
    return ids;
}
