#include "quorvance/fenwa/FenwaEncoder.h"

#include "kitbase/model/ZRAttributeField.h"
#include "kitbase/model/ZRBoolAttribute.h"
#include "kitbase/model/ZRCompositeAttribute.h"
#include "kitbase/model/ZRHidingUpdateMgr.h"
#include "kitbase/model/ZRStringAttribute.h"
#include "kitbase/model/ZRUlongAttribute.h"
#include "platform/core/Text.h"
#include "quorvance/fenwa/FenwaBlockSetup.h"
#include "quorvance/fenwa/FenwaCommand.h"
#include "quorvance/fenwa/FenwaGearUpdateMgr.h"
#include "quorvance/fenwa/FenwaIds.h"
#include "quorvance/fenwa/FenwaStorage.h"
#include "quorvance/fenwa/FenwaSvcLinks.h"
#include "quorvance/fenwa/FenwaValGearRatio.h"

using namespace fenwa::attr;
using fenwa::Bind;

namespace {

// A one-character switch of a drive composite ("1" true), refreshed through the composite. Without
// the composite the switch lives in memory only.
void BindSwitch(ZRBoolAttribute& a, ZRObject* owner, ZRCompositeAttribute* composite, int position,
                const char* name, const char* falseText, const char* trueText, bool value) {
    Bind(a, owner, kNone, name);
    if (composite)
        a.SetField(
            std::make_unique<ZRAttributeField>(&a, composite, static_cast<unsigned char>(position), 1));
    a.SetStrings(falseText, trueText);
    a.SetValue(value);
    if (composite)
        a.AddRefreshAttribute(composite);
}

void BindCounts(ZRUlongAttribute& a, ZRObject* owner, int32_t id, const char* name) {
    Bind(a, owner, id, name);
    fenwa::StoredRange(a, 1, 65535);
    a.SetValue(2048);
}

} // namespace

FenwaEncoder::FenwaEncoder() {
    SetClass(fenwa::kEncoderType);
    SetVersion(fenwa::kObjectVersion);
    ZRDevice*& d = GetDevice();
    m_pOutputRatio = std::make_unique<ZRStringAttribute>(d, 0, NoPadding, ' ');
    m_pOutputCounts = std::make_unique<ZRUlongAttribute>(d, 4);
    m_pMotorCounts = std::make_unique<ZRUlongAttribute>(d, 4);
    m_pForwardDirection = std::make_unique<ZRBoolAttribute>(d, 1, -1);
    m_pBackupBattery = std::make_unique<ZRBoolAttribute>(d, 1, -1);
    m_pFeedbackLoss = std::make_unique<ZRBoolAttribute>(d, 1, -1);
    // The status keeps its trailing blanks: the programming window sizes its cell by them.
    m_pStatus = std::make_unique<ZRStringAttribute>(d, 0, Verbatim, ' ');
    m_pSerialNumber = std::make_unique<ZRStringAttribute>(d, 0, NoPadding, ' ');
    m_pTefFile = std::make_unique<ZRStringAttribute>(d, 0, NoPadding, ' ');
    for (int i = 0; i < kHallCount; ++i)
        m_HallStates[static_cast<size_t>(i)] = std::make_unique<ZRBoolAttribute>(d, 4, i);
    m_pWriteMemory = std::make_unique<FenwaCommand>(d);
    m_pAbsoluteReset = std::make_unique<FenwaCommand>(d);
    m_pRatioUpdateMgr = std::make_unique<FenwaGearUpdateMgr>(m_pOutputCounts.get(), m_pMotorCounts.get(),
                                                             m_pOutputRatio.get());
}

FenwaEncoder::~FenwaEncoder() = default;

void FenwaEncoder::Init() {
    ZRObject::Init();
    fenwa::InitBlock(*this, fenwa::kEncoderType, "Encoder");

    Bind(*m_pOutputRatio, this, kNone, "Output Ratio");
    m_pOutputRatio->SetValue("2048:2048");
    m_pOutputRatio->SetUnits("Output Counts:Motor Counts");
    m_pOutputRatio->AddRefreshAttribute(m_pOutputCounts.get());
    m_pOutputRatio->AddRefreshAttribute(m_pMotorCounts.get());
    BindCounts(*m_pOutputCounts, this, kOutputRatioOutputCounts, "Output Ratio Output Counts");
    BindCounts(*m_pMotorCounts, this, kOutputRatioMotorCounts, "Output Ratio Motor Counts");
    m_pOutputRatio->AddValidation(
        std::make_unique<FenwaValGearRatio>(m_pOutputCounts.get(), m_pMotorCounts.get()));

    ZRCompositeAttribute* pr300 = fenwa::svc::DriveComposite(this, kPr300);
    ZRCompositeAttribute* prm001 = fenwa::svc::DriveComposite(this, kPrm001);
    BindSwitch(*m_pForwardDirection, this, pr300, 1, "Encoder Output Forward Direction", "A Leads B",
               "B Leads A", false);
    BindSwitch(*m_pBackupBattery, this, prm001, 2, "Encoder Backup Battery", "Installed", "Not Installed",
               true);
    ZRObject* motor = fenwa::svc::SiblingBlock(this, fenwa::kMotorType);
    if (ZRAttribute* encoder = fenwa::FindAttribute(motor, kEncoderId))
        m_pBatteryHiding = std::make_unique<ZRHidingUpdateMgr>(
            encoder, m_pBackupBattery.get(),
            std::vector<std::string>{"Incremental", "Sine/Cosine", "SRS/SRM"});
    BindSwitch(*m_pFeedbackLoss, this, prm001, 1, "Incremental Feedback Loss", "Monitored", "Ignored", false);

    Bind(*m_pStatus, this, kNone, "Status");
    m_pStatus->SetValue("Not Started" + std::string(17, ' '));
    Bind(*m_pSerialNumber, this, kNone, "Serial Number");
    m_pSerialNumber->SetValue("0");
    Bind(*m_pTefFile, this, kNone, "Tef File");

    for (int i = 0; i < kHallCount; ++i) {
        ZRBoolAttribute& hall = *m_HallStates[static_cast<size_t>(i)];
        Bind(hall, this, kHallStates, platform::core::Format("S%1d", i + 1));
        hall.SetWritable(false);
    }

    m_pWriteMemory->SetObject(this);
    m_pWriteMemory->SetCommand("SED", "", FenwaStorage::Ack);
    m_pAbsoluteReset->SetObject(this);
    m_pAbsoluteReset->SetCommand("ETC", "0A", FenwaStorage::UntilTok);

    AddProperty(m_pOutputCounts.get());
    AddProperty(m_pMotorCounts.get());
}
