#include "quorvance/fenwa/FenwaDrive.h"

#include "quorvance/fenwa/FenwaAnalogOut.h"
#include "quorvance/fenwa/FenwaBlockSetup.h"
#include "quorvance/fenwa/FenwaCommand.h"
#include "quorvance/fenwa/FenwaDigIn.h"
#include "quorvance/fenwa/FenwaDigOut.h"
#include "quorvance/fenwa/FenwaEncoder.h"
#include "quorvance/fenwa/FenwaFaults.h"
#include "quorvance/fenwa/FenwaIds.h"
#include "quorvance/fenwa/FenwaMotor.h"
#include "quorvance/fenwa/FenwaOperMode.h"
#include "quorvance/fenwa/FenwaScope.h"
#include "quorvance/fenwa/FenwaServiceInfo.h"
#include "quorvance/fenwa/FenwaTuning.h"

namespace {

template <class T> T* Make(std::unique_ptr<ZRObject>& slot) {
    auto block = std::make_unique<T>();
    T* raw = block.get();
    slot = std::move(block);
    return raw;
}

} // namespace

FenwaDrive::FenwaDrive() {
    SetClass(fenwa::kDriveType);
    SetVersion(fenwa::kObjectVersion);
    for (auto& command : m_Commands)
        command = std::make_unique<FenwaCommand>(GetDevice());
    m_pOperMode = Make<FenwaOperMode>(m_pPendingBlocks[0]);
    m_pDigIn = Make<FenwaDigIn>(m_pPendingBlocks[1]);
    m_pDigOut = Make<FenwaDigOut>(m_pPendingBlocks[2]);
    m_pScope = Make<FenwaScope>(m_pPendingBlocks[3]);
    m_pMotor = Make<FenwaMotor>(m_pPendingBlocks[4]);
    m_pEncoder = Make<FenwaEncoder>(m_pPendingBlocks[5]);
    m_pTuning = Make<FenwaTuning>(m_pPendingBlocks[6]);
    m_pAnalogOut = Make<FenwaAnalogOut>(m_pPendingBlocks[7]);
    m_pFaults = Make<FenwaFaults>(m_pPendingBlocks[8]);
    m_pServiceInfo = Make<FenwaServiceInfo>(m_pPendingBlocks[9]);
}

FenwaDrive::~FenwaDrive() = default;

void FenwaDrive::Init() {
    ZRObject::Init();
    fenwa::InitBlock(*this, fenwa::kDriveType, "");
    for (auto& block : m_pPendingBlocks)
        if (block)
            AddChild(std::move(block), false);
    m_Commands[0]->SetCommand("ETC", "0C", 1);
    m_Commands[1]->SetCommand("HWR", "", 0);
    m_Commands[2]->SetCommand("JOG", "", 0);
    m_Commands[3]->SetCommand("SVROF", "", 0);
    m_Commands[4]->SetCommand("SVRON", "", 0);
    for (ZRObject* block : {static_cast<ZRObject*>(m_pOperMode), static_cast<ZRObject*>(m_pDigIn),
                            static_cast<ZRObject*>(m_pDigOut), static_cast<ZRObject*>(m_pScope),
                            static_cast<ZRObject*>(m_pMotor), static_cast<ZRObject*>(m_pEncoder),
                            static_cast<ZRObject*>(m_pTuning), static_cast<ZRObject*>(m_pAnalogOut),
                            static_cast<ZRObject*>(m_pFaults), static_cast<ZRObject*>(m_pServiceInfo)})
        block->Init();
}

FenwaCommand& FenwaDrive::GetFactoryResetCommand() {
    return *m_Commands[0];
}
FenwaCommand& FenwaDrive::GetResetCommand() {
    return *m_Commands[1];
}
FenwaCommand& FenwaDrive::GetJogCommand() {
    return *m_Commands[2];
}
FenwaCommand& FenwaDrive::GetServoOffCommand() {
    return *m_Commands[3];
}
FenwaCommand& FenwaDrive::GetServoOnCommand() {
    return *m_Commands[4];
}

void FenwaDrive::ResetDrive(bool) {}
void FenwaDrive::SaveParameters() {}
void FenwaDrive::RequestResetPrompt() {}
bool FenwaDrive::RefreshSoftEnabled() {
    return false;
}
void FenwaDrive::OnUpdate(platform::core::Subject*, platform::core::Message*) {}
