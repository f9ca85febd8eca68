#include "quorvance/tarvik/ZREncodersTarvik.h"

#include "kitbase/model/ZRBoolAttribute.h"
#include "kitbase/model/ZRCommand.h"
#include "kitbase/model/ZRGearAttribute.h"
#include "kitbase/model/ZRIndexSelection.h"
#include "kitbase/model/ZRLongAttribute.h"
#include "kitbase/model/ZRLongOptions.h"
#include "kitbase/model/ZRStringAttribute.h"
#include "kitbase/model/ZRUlongAttribute.h"
#include "kitbase/model/ZRUpdate.h"
#include "platform/core/Text.h"
#include "quorvance/tarvik/TarvikBlockTables.h"
#include "quorvance/tarvik/TarvikIds.h"
#include "quorvance/tarvik/ZRMotorTarvik.h"
#include "quorvance/tarvik/ZROlbraConverter.h"

using namespace tarvik;
using namespace tarvik::param;

namespace {

constexpr uint32_t kTestsVersion = 0x10A00;
// The older-family file's encoder output setting.
constexpr int kOlderEncoderOutputSlot = 95;
constexpr int32_t kFactors[] = {1, 2, 4, 8, 16, 32, 64, 128, 256, 512, 1024};
// Positions the interpolation list offers: "x4" to "x1024".
constexpr int kInterpolationChoices = 9;

const char* const kMotorSignalNames[] = {"A", "B", "Z", "S1", "S2", "S3"};
constexpr int kMotorSignalBits[] = {8, 7, 6, 5, 4, 3};
constexpr int kAuxSignalBits[] = {2, 1, 0};
const char* const kConnectionNames[] = {"S1 Connection", "S2 Connection", "S3 Connection",
                                        "A Connection",  "B Connection",  "U Connection",
                                        "V Connection",  "W Connection",  "Hall Offset"};

void SetConnectionOptions(ZRIndexSelection& selection, ZRObject* owner) {
    auto list = std::make_unique<ZRLongOptions>(owner, 1);
    const char* const moves[] = {" ",
                                 "No change required",
                                 "Move to S1 input",
                                 "Move to S2 input",
                                 "Move to S3 input",
                                 "Move to A input",
                                 "Move to B input",
                                 "Move to U input",
                                 "Move to V input",
                                 "Move to W input"};
    int32_t value = 0;
    for (const char* text : moves)
        list->Add(value++, text);
    for (int degrees = 0; degrees <= 330; degrees += 30)
        list->Add(value++, platform::core::Format("Set to %d degrees", degrees));
    selection.SetOptions(std::move(list));
}

} // namespace

ZREncodersTarvik::ZREncodersTarvik()
    : m_pPositionFeedbackSource(MakeAttr<ZRIndexSelection>(GetDevice())),
      m_pEncoderRatio(MakeAttr<ZRGearAttribute>(GetDevice())), m_pOutputSignal(MakeAttr<ZRIndexSelection>(GetDevice())),
      m_pDivider(MakeAttr<ZRUlongAttribute>(GetDevice(), 2)),
      m_pMaximumOutputFrequency(MakeAttr<ZRIndexSelection>(GetDevice())),
      m_pMarkerOutputGating(MakeAttr<ZRBoolAttribute>(GetDevice(), 1, -1)),
      m_pMotorEncoderInterpolation(MakeAttr<ZRIndexSelection>(GetDevice())),
      m_pType(MakeAttr<ZRIndexSelection>(GetDevice())), m_pLinesRevolution(MakeAttr<ZRUlongAttribute>(GetDevice(), 2)),
      m_pLinesMeter(MakeAttr<ZRUlongAttribute>(GetDevice(), 4)), m_pTestCurrent(MakeAttr<ZRUlongAttribute>(GetDevice(), 1)),
      m_pTestDistance(MakeAttr<ZRUlongAttribute>(GetDevice(), 4)),
      m_pPositionMotorFeedback(MakeAttr<ZRLongAttribute>(GetDevice(), 4)),
      m_pEncoderTemperature(MakeAttr<ZRLongAttribute>(GetDevice(), 1)),
      m_pPositionAuxiliary(MakeAttr<ZRLongAttribute>(GetDevice(), 4)),
      m_pTestStatus(MakeAttr<ZRIndexSelection>(GetDevice())), m_pTestResults(MakeAttr<ZRIndexSelection>(GetDevice())),
      m_pMeasuredResolution(MakeAttr<ZRUlongAttribute>(GetDevice(), 4)),
      m_pExpectedResolution(MakeAttr<ZRUlongAttribute>(GetDevice(), 4)),
      m_pMarkerPosition(MakeAttr<ZRUlongAttribute>(GetDevice(), 4)),
      m_pMarker(MakeAttr<ZRBoolAttribute>(GetDevice(), 2, 6)), m_pTestControl(MakeAttr<ZRLongAttribute>(GetDevice(), 1)),
      m_pPositionStrobe(MakeAttr<ZRBoolAttribute>(GetDevice(), 4, 22)),
      m_pThermostat(MakeAttr<ZRBoolAttribute>(GetDevice(), 2, 9)),
      m_pNegativeOvertravel(MakeAttr<ZRBoolAttribute>(GetDevice(), 2, 10)),
      m_pPositiveOvertravel(MakeAttr<ZRBoolAttribute>(GetDevice(), 2, 11)),
      m_pTracking(MakeAttr<ZRBoolAttribute>(GetDevice(), 4, 6)),
      m_pStartupCommutationComplete(MakeAttr<ZRBoolAttribute>(GetDevice(), 4, 7)),
      m_pSine(MakeAttr<ZRUlongAttribute>(GetDevice(), 2)), m_pCosine(MakeAttr<ZRUlongAttribute>(GetDevice(), 2)),
      m_pBlobFile(MakeAttr<ZRStringAttribute>(GetDevice(), 0, NoPadding, ' ')),
      m_pSerialNumber(MakeAttr<ZRStringAttribute>(GetDevice(), 0, NoPadding, ' ')),
      m_pSelfSensingCurrent(MakeAttr<ZRLongAttribute>(GetDevice(), 4)),
      m_pProgrammingStatus(MakeAttr<ZRStringAttribute>(GetDevice(), 0, Verbatim, ' ')),
      m_pSmartEncoderType(MakeAttr<ZRUlongAttribute>(GetDevice(), 2)),
      m_pEncoderSerialPort(MakeAttr<ZRUlongAttribute>(GetDevice(), 4)),
      m_pEncoderInterfaceType(MakeAttr<ZRUlongAttribute>(GetDevice(), 1)),
      m_pEncoderAddress(MakeAttr<ZRUlongAttribute>(GetDevice(), 1)),
      m_pParameter388(MakeAttr<ZRUlongAttribute>(GetDevice(), 1)),
      m_pCommutationOffset(MakeAttr<ZRUlongAttribute>(GetDevice(), 4)),
      m_pEncoderIdentity(MakeAttr<ZRUlongAttribute>(GetDevice(), 4)), m_pResetEncoder(MakeAttr<ZRCommand>(GetDevice())),
      m_pWriteEncoderMemory(MakeAttr<ZRCommand>(GetDevice())), m_pConfigureEncoderMemory(MakeAttr<ZRCommand>(GetDevice())) {
    for (int i = 0; i < kMotorSignals; ++i)
        m_MotorSignals[i] = MakeAttr<ZRBoolAttribute>(GetDevice(), 2, kMotorSignalBits[i]);
    for (int i = 0; i < kAuxSignals; ++i)
        m_AuxSignals[i] = MakeAttr<ZRBoolAttribute>(GetDevice(), 2, kAuxSignalBits[i]);
    for (auto& connection : m_Connections)
        connection = MakeAttr<ZRIndexSelection>(GetDevice());
    for (auto& state : m_MemoryAreaStates)
        state = MakeAttr<ZRUlongAttribute>(GetDevice(), 1);
    for (auto& setup : m_MemoryAreaSetups)
        setup = MakeAttr<ZRUlongAttribute>(GetDevice(), 1);
}

ZREncodersTarvik::~ZREncodersTarvik() {
    m_pType->RemoveObserver(this);
    m_pOutputSignal->RemoveObserver(this);
    StopObservingMotor();
}

void ZREncodersTarvik::Init() {
    ZRObject::Init();
    SetClass(kEncodersType);
    GetName().SetValue("Encoders");
    SetVersion(kBlockVersion);

    Bind(*m_pPositionFeedbackSource, this, AttributeId(kPositionFeedbackSource), "Position Feedback Source");
    SetLongOptions(*m_pPositionFeedbackSource, this, {{1, "Auxiliary Encoder"}, {0, "Motor Encoder"}});
    m_pPositionFeedbackSource->SetAsString("Motor Encoder");
    ApplyStandardDriveRule();

    Bind(*m_pEncoderRatio, this, AttributeId(kEncoderRatioHigh), "Encoder Ratio (Load:Motor)");
    m_pEncoderRatio->Define(AttributeId(kEncoderRatioLow), AttributeId(kEncoderRatioHigh));
    m_pEncoderRatio->SetInternalValue(0x10001);

    Bind(*m_pOutputSignal, this, AttributeId(kEncoderOutputSignal), "Output Signal");
    SetLongOptions(*m_pOutputSignal, this, {{0, "Buffered"}, {1, "Divided"}, {2, "Interpolated"}});
    m_pOutputSignal->AddObserver(this);

    Bind(*m_pDivider, this, AttributeId(kEncoderDivider), "Divider");
    m_pDivider->SetInternalValue(4);
    SetValRange(*m_pDivider, 1, 1000);
    m_pDivider->SetEnabled(false);

    Bind(*m_pMaximumOutputFrequency, this, AttributeId(kMaximumOutputFrequency), "Maximum Output Frequency");
    SetLongOptions(*m_pMaximumOutputFrequency, this, {{0, "500 kHz"}, {1, "1 MHz"}, {2, "4 MHz"}, {3, "8 MHz"}});
    m_pMaximumOutputFrequency->SetEnabled(false);

    Bind(*m_pMarkerOutputGating, this, AttributeId(kMarkerOutputGating), "Marker Output Gating");
    m_pMarkerOutputGating->SetStrings("Not Gated", "Gated with A and B");
    m_pMarkerOutputGating->SetValue(false);

    Bind(*m_pMotorEncoderInterpolation, this, AttributeId(kMotorEncoderInterpolation), "Motor Encoder Interpolation");
    SetLongOptions(*m_pMotorEncoderInterpolation, this,
                   {{0, "x4"}, {1, "x8"}, {2, "x16"}, {3, "x32"}, {4, "x64"}, {5, "x128"}, {6, "x256"},
                    {7, "x512"}, {8, "x1024"}});
    m_pMotorEncoderInterpolation->SetAsString("x256");
    m_pMotorEncoderInterpolation->SetHidden(true);

    Bind(*m_pType, this, AttributeId(kEncoderType), "Type");
    SetLongOptions(*m_pType, this, {{1, "Linear"}, {0, "Rotary"}});
    m_pType->SetAsString("Rotary");

    Bind(*m_pLinesRevolution, this, AttributeId(kLinesPerRevolution), "Lines/Revolution");
    m_pLinesRevolution->SetInternalValue(2000);
    SetValRange(*m_pLinesRevolution, 100, 64000);
    Bind(*m_pLinesMeter, this, AttributeId(kLinesPerMeter), "Lines/Meter");
    m_pLinesMeter->SetInternalValue(100000);
    SetValRange(*m_pLinesMeter, 4000, 10000000);
    m_pLinesMeter->SetHidden(true);
    Bind(*m_pTestCurrent, this, AttributeId(kEncoderTestCurrent), "Test Current", "%");
    m_pTestCurrent->SetInternalValue(10);
    SetValRange(*m_pTestCurrent, 1, 100);
    m_pTestCurrent->SetFirstVersion(kTestsVersion);
    Bind(*m_pTestDistance, this, AttributeId(kEncoderTestDistance), "Test Distance", "counts");
    m_pTestDistance->SetInternalValue(8000);
    m_pTestDistance->SetFirstVersion(kTestsVersion);

    // Status.
    Bind(*m_pPositionMotorFeedback, this, AttributeId(kMotorFeedbackPosition), "Position - Motor Feedback");
    m_pPositionMotorFeedback->SetWritable(false);
    UseScale(*m_pPositionMotorFeedback, ModelsOf(this, Model::Position));
    Bind(*m_pEncoderTemperature, this, AttributeId(kEncoderTemperature), "Encoder Temperature", "degrees C");
    m_pEncoderTemperature->SetWritable(false);
    m_pEncoderTemperature->SetFirstVersion(kTestsVersion);
    for (int i = 0; i < kMotorSignals; ++i)
        BindFlag(*m_MotorSignals[i], this, AttributeId(kEncoderSignals), kMotorSignalNames[i]);
    Bind(*m_pPositionAuxiliary, this, AttributeId(kAuxiliaryPosition), "Position - Auxiliary");
    m_pPositionAuxiliary->SetWritable(false);
    UseScale(*m_pPositionAuxiliary, ModelsOf(this, Model::AuxPosition));
    for (int i = 0; i < kAuxSignals; ++i)
        BindFlag(*m_AuxSignals[i], this, AttributeId(kEncoderSignals), kMotorSignalNames[i]);
    Bind(*m_pTestStatus, this, AttributeId(kEncoderTestStatus), "Test Status");
    SetLongOptions(*m_pTestStatus, this,
                   {{0, "Idle"}, {1, "Test in progress..."}, {2, "Test success"}, {3, "Test failure"}});
    Bind(*m_pTestResults, this, AttributeId(kEncoderTestResults), "Test Results");
    SetLongOptions(*m_pTestResults, this,
                   {{0, " "},
                    {1, "Test aborted by user"},
                    {2, "Test distance reached"},
                    {3, "Marker found"},
                    {4, "Wiring changes recommended"},
                    {5, "Feedback resolution error"},
                    {6, "Encoder alignment error"}});
    Bind(*m_pMeasuredResolution, this, AttributeId(kMeasuredFeedbackResolution), "Measured Feedback Resolution",
         "Counts/Electrical Cycle");
    Bind(*m_pExpectedResolution, this, AttributeId(kExpectedFeedbackResolution), "Expected Feedback Resolution",
         "Counts/Electrical Cycle");
    Bind(*m_pMarkerPosition, this, AttributeId(kMarkerPosition), "Marker Position", "Counts");
    for (int i = 0; i < kConnections; ++i) {
        Bind(*m_Connections[i], this, AttributeId(kEncoderConnections, i), kConnectionNames[i]);
        SetConnectionOptions(*m_Connections[i], this);
    }
    BindFlag(*m_pMarker, this, AttributeId(kEncoderSignals), "Marker");
    for (ZRAttribute* a : std::initializer_list<ZRAttribute*>{
             m_pTestStatus.get(), m_pTestResults.get(), m_pMeasuredResolution.get(), m_pExpectedResolution.get(),
             m_pMarkerPosition.get(), m_pMarker.get()}) {
        a->SetWritable(false);
        a->SetFirstVersion(kTestsVersion);
    }
    for (auto& connection : m_Connections) {
        connection->SetWritable(false);
        connection->SetFirstVersion(kTestsVersion);
    }

    Bind(*m_pTestControl, this, AttributeId(kEncoderTestControl, kCommandIndex), "");
    m_pTestControl->SetFirstVersion(kTestsVersion);
    m_pTestControl->SetInternalValue(0);

    // Read-only values in no list.
    BindFlag(*m_pPositionStrobe, this, AttributeId(kInputFunctionStates), "Position Strobe");
    BindFlag(*m_pThermostat, this, AttributeId(kEncoderSignals), "Thermostat");
    BindFlag(*m_pNegativeOvertravel, this, AttributeId(kEncoderSignals), "Negative Overtravel");
    BindFlag(*m_pPositiveOvertravel, this, AttributeId(kEncoderSignals), "Positive Overtravel");
    BindFlag(*m_pTracking, this, AttributeId(kDriveStatus), "Tracking");
    BindFlag(*m_pStartupCommutationComplete, this, AttributeId(kDriveStatus), "Startup Commutation Complete");
    Bind(*m_pSine, this, AttributeId(kEncoderSine), "Sine");
    m_pSine->SetWritable(false);
    Bind(*m_pCosine, this, AttributeId(kEncoderCosine), "Cosine");
    m_pCosine->SetWritable(false);

    // Smart-encoder programming.
    Bind(*m_pBlobFile, this, -1, "Blob File");
    Bind(*m_pSerialNumber, this, -1, "Serial Number");
    m_pSerialNumber->SetValue("1");
    Bind(*m_pSelfSensingCurrent, this, -1, "Self Sensing Current", "% Motor Peak");
    m_pSelfSensingCurrent->SetInternalValue(25);
    Bind(*m_pProgrammingStatus, this, -1, "Status");
    m_pProgrammingStatus->SetValue("Not Started" + std::string(17, ' '));
    Bind(*m_pSmartEncoderType, this, AttributeId(kSmartEncoderType), "Smart Encoder Type");
    m_pSmartEncoderType->SetWritable(false);
    Bind(*m_pEncoderSerialPort, this, AttributeId(kEncoderSerialPort, kCommandIndex), "");
    Bind(*m_pEncoderInterfaceType, this, AttributeId(kEncoderInterfaceType, kCommandIndex), "");
    Bind(*m_pEncoderAddress, this, AttributeId(kEncoderAddress, kCommandIndex), "");
    Bind(*m_pParameter388, this, AttributeId(kEncoderParameter388), "");
    Bind(*m_pCommutationOffset, this, AttributeId(kEncoderCommutationOffset, kCommandIndex), "");
    Bind(*m_pEncoderIdentity, this, AttributeId(kEncoderIdentity), "");
    for (int i = 0; i < kMemoryAreaStates; ++i)
        Bind(*m_MemoryAreaStates[i], this, AttributeId(kEncoderMemoryState, i), "");
    for (int i = 0; i < kMemoryAreaSetups; ++i)
        Bind(*m_MemoryAreaSetups[i], this, AttributeId(kEncoderMemorySetup, 0x100 + i), "");

    m_pResetEncoder->SetObject(this);
    m_pResetEncoder->Define(AttributeId(kResetEncoder, kCommandIndex));
    m_pWriteEncoderMemory->SetObject(this);
    m_pWriteEncoderMemory->Define(AttributeId(kWriteEncoderMemory, kCommandIndex));
    m_pConfigureEncoderMemory->SetObject(this);
    m_pConfigureEncoderMemory->Define(AttributeId(kConfigureEncoderMemory, kCommandIndex));

    for (ZRAttribute* a : std::initializer_list<ZRAttribute*>{
             m_pPositionFeedbackSource.get(), m_pEncoderRatio.get(), m_pOutputSignal.get(), m_pDivider.get(),
             m_pMaximumOutputFrequency.get(), m_pMarkerOutputGating.get(), m_pMotorEncoderInterpolation.get(),
             m_pType.get(), m_pLinesRevolution.get(), m_pLinesMeter.get(), m_pTestCurrent.get(),
             m_pTestDistance.get()})
        AddProperty(a);
    AddStatus(m_pPositionMotorFeedback.get());
    AddStatus(m_pEncoderTemperature.get());
    for (auto& signal : m_MotorSignals)
        AddStatus(signal.get());
    AddStatus(m_pPositionAuxiliary.get());
    for (auto& signal : m_AuxSignals)
        AddStatus(signal.get());
    for (ZRAttribute* a :
         std::initializer_list<ZRAttribute*>{m_pTestStatus.get(), m_pTestResults.get(), m_pMeasuredResolution.get(),
                                             m_pExpectedResolution.get(), m_pMarkerPosition.get()})
        AddStatus(a);
    for (auto& connection : m_Connections)
        AddStatus(connection.get());
    AddStatus(m_pMarker.get());
    AddMiscAttribute(m_pTestControl.get());

    m_pType->AddObserver(this);
    ObserveMotor();
}

void ZREncodersTarvik::ApplyStandardDriveRule() {
    // A standard drive has no auxiliary feedback to choose: the value is neither read nor written.
    if (GetParent() && GetParent()->GetClass() == kStandardDriveType) {
        m_pPositionFeedbackSource->Define(-1);
        m_pPositionFeedbackSource->SetHidden(true);
    }
}

void ZREncodersTarvik::ObserveMotor() {
    StopObservingMotor();
    ZRMotorTarvik* motor = SiblingOf<ZRMotorTarvik>(this);
    if (!motor)
        return;
    m_pMotorAutoIden = motor->GetAutoMotorIden();
    m_pMotorEncoder = motor->GetEncoder();
    m_pMotorAutoIden->AddObserver(this);
    m_pMotorEncoder->AddObserver(this);
}

void ZREncodersTarvik::StopObservingMotor() {
    if (m_pMotorAutoIden)
        m_pMotorAutoIden->RemoveObserver(this);
    if (m_pMotorEncoder)
        m_pMotorEncoder->RemoveObserver(this);
    m_pMotorAutoIden = nullptr;
    m_pMotorEncoder = nullptr;
}

void ZREncodersTarvik::Attach(ZRDevice* device, int32_t instance) {
    ZRObject::Attach(device, instance);
    ApplyStandardDriveRule();
    for (ZRAttribute* a : std::initializer_list<ZRAttribute*>{
             m_pMotorEncoderInterpolation.get(), m_pType.get(), m_pPositionFeedbackSource.get(),
             m_pLinesRevolution.get(), m_pLinesMeter.get(), m_pSmartEncoderType.get()})
        a->Refresh(false);
}

void ZREncodersTarvik::OnUpdate(platform::core::Subject* subject, platform::core::Message* message) {
    const int reason = ReasonOf(message);
    if (reason == ZRUpdate::Destroying) {
        // The motor block may go first when the drive deletes its children.
        if (subject == m_pMotorAutoIden)
            m_pMotorAutoIden = nullptr;
        if (subject == m_pMotorEncoder)
            m_pMotorEncoder = nullptr;
        return;
    }
    if (reason != ZRUpdate::ValueChanged)
        return;
    if (subject == m_pType.get()) {
        ApplyTypeRule();
    } else if (m_pMotorAutoIden && subject == m_pMotorAutoIden) {
        m_pEncoderTemperature->SetHidden(m_pMotorAutoIden->GetAsString() == "Disabled");
    } else if (subject == m_pOutputSignal.get()) {
        const std::string text = m_pOutputSignal->GetAsString();
        m_pDivider->SetEnabled(text == "Divided");
        m_pMaximumOutputFrequency->SetEnabled(text == "Divided" || text == "Interpolated");
    } else if (m_pMotorEncoder && subject == m_pMotorEncoder) {
        const std::string text = m_pMotorEncoder->GetAsString();
        m_pMotorEncoderInterpolation->SetHidden(text != "SRS/SRM" && text != "SKS/SKM" && text != "Sine/Cosine");
    }
}

void ZREncodersTarvik::ApplyTypeRule() {
    const bool linear = m_pType->GetAsString() == "Linear";
    m_pLinesRevolution->SetHidden(linear);
    m_pLinesMeter->SetHidden(!linear);
}

bool ZREncodersTarvik::GetInterpolationFactor(int index, int32_t& factor) {
    if (index < 0 || index >= kInterpolationChoices) {
        factor = 1;
        return false;
    }
    factor = kFactors[index];
    return true;
}

int32_t ZREncodersTarvik::GetInterpolationFactor(int index) {
    int32_t factor = 1;
    GetInterpolationFactor(index, factor);
    return factor;
}

bool ZREncodersTarvik::ImportParValues(ZROlbraConverter* file) {
    if (!file)
        return false;
    // The older drives had a single encoder output setting: off, or a divider of 2, 4 or 8.
    const int32_t output = file->GetValue(kOlderEncoderOutputSlot);
    bool ok = true;
    if (output != 0)
        ok = m_pOutputSignal->SetAsString("Divided") && ok;
    constexpr int32_t kDividers[] = {2, 4, 8};
    if (output >= 1 && output <= 3)
        ok = m_pDivider->SetInternalValue(static_cast<uint32_t>(kDividers[output - 1])) && ok;
    ok = m_pMarkerOutputGating->SetValue(true) && ok;
    return m_pMaximumOutputFrequency->SetAsString("4 MHz") && ok;
}
