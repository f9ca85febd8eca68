#pragma once

#include <vector>

// The program's images by the ids its windows name them by: the application icon, the icons of the
// node windows and the item images of the workspace tree (ZRWorkspaceView::kImageList), all from the
// program's own icon set. Registered once at start-up.
class ZRImages {
public:
    // Workspace tree images.
    enum : int {
        kOnLineRoot = 0,
        kModeConfiguration = 2, // also the Merrix "Motion" folder
        kDigitalInputs = 3,
        kDigitalOutputs = 4,
        kAnalogInputs = 5,
        kAnalogOutputs = 6,
        kTuning = 7,
        kPreset = 8,    // also Merrix "Jog"
        kAnalog = 9,    // also Merrix "Cam"
        kFollower = 10, // also Merrix "Gear"
        kEncoders = 11,
        kGlobalVariables = 12,
        kPrograms = 13,
        kSourceFile = 14,
        kHeaderFile = 15,
        kOffLineRoot = 16, // also the Merrix "Files" folder
        kGenericFile = 17,
        kProgram = 18, // 18 to 23 while the program runs
        kProgramRunLast = 23,
        kMove = 24,
        kIndexing = 26,
        kArchives = 29,
        kMerrixDrive = 30,
        kTarvikDrive = 31,
        kProject = 32,
        kHoming = 34,
        kMotor = 35,
        kMonitor = 36,
        kOscilloscope = 37,
        kFaults = 38,
        kDeviceNet = 39,
        kServiceInfo = 40,
        kPlaceholder = 42,
        kVariable = 44,
        kCamFile = 45,
        kSercosDrive = 46,
        kFenwaDrive = 47,
        kZelnaDrive = 48,
        kWorkspaceImageCount = 49
    };

    // Icons of the node windows, by resource id.
    enum : int {
        IDI_HOMING = 255,
        IDI_SERVICE_INFO = 256,
        IDI_AUTOTUNING = 264,
        IDI_MANUAL_VELOCITY_TUNING = 265,
        IDI_MANUAL_POSITION_TUNING = 266,
        IDI_OVERRIDE_OUTPUTS = 268,
        IDI_VARIABLE = 269,
        IDI_ANALOG_OUTPUT_CONTROL = 273,
        IDI_PROJECT = 288,
        IDI_ANALOG_INPUTS = 294,
        IDI_MODE_WINDOW = 295,
        IDI_PROGRAM_ENCODER = 300,
        IDI_DIGITAL_OUTPUTS = 19713,
        IDI_INDEXING = 19714,
        IDI_TUNING = 19715,
        IDI_MONITOR = 19716,
        IDI_ANALOG_OUTPUTS = 19717,
        IDI_FAULTS = 19718,
        IDI_SCOPE = 19719,
        IDI_PRESET = 19720,
        IDI_DIGITAL_INPUTS = 19721,
        IDI_MOTOR = 19722,
        IDI_DRIVE = 19723,
        IDI_ANALOG = 19724,
        IDI_FOLLOWER = 19725,
        IDI_ENCODERS = 19726,
        IDI_MODE_CONFIGURATION = 19730,
        IDI_CONTROL_PANEL = 19731,
        IDI_CAM_TABLE = 19735
    };

    // Registers every image above, kitbase's with them; true when the icon set had each one.
    static bool Register();
    // The resource ids of the window icons above.
    static std::vector<int> WindowIconIds();
};
