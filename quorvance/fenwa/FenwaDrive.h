#pragma once

#include "kitbase/model/ZRObject.h"
#include "platform/core/Observer.h"
#include "quorvance/fenwa/FenwaDeviceDrive.h"

#include <memory>

class FenwaCommand;
class FenwaOperMode;
class FenwaDigIn;
class FenwaDigOut;
class FenwaScope;
class FenwaMotor;
class FenwaEncoder;
class FenwaTuning;
class FenwaAnalogOut;
class FenwaFaults;
class FenwaServiceInfo;

// One Fenwa drive, on line or in a project: the drive-level parameters, its blocks, its monitor,
// the scale and units objects its blocks share, and its five drive commands.
class FenwaDrive : public ZRObject, public platform::core::Observer, public FenwaDeviceDrive {
public:
    FenwaDrive();
    ~FenwaDrive() override;

    void Init() override;

    // The blocks (owned through the child list once Init has run).
    FenwaOperMode* GetOperMode() const { return m_pOperMode; }
    FenwaDigIn* GetDigIn() const { return m_pDigIn; }
    FenwaDigOut* GetDigOut() const { return m_pDigOut; }
    FenwaScope* GetScope() const { return m_pScope; }
    FenwaMotor* GetMotor() const { return m_pMotor; }
    FenwaEncoder* GetEncoder() const { return m_pEncoder; }
    FenwaTuning* GetTuning() const { return m_pTuning; }
    FenwaAnalogOut* GetAnalogOut() const { return m_pAnalogOut; }
    FenwaFaults* GetFaults() const { return m_pFaults; }
    FenwaServiceInfo* GetServiceInfo() const { return m_pServiceInfo; }

    // The five drive commands: "ETC" "0C" (factory reset), "HWR" (reset), "JOG", "SVROF", "SVRON".
    FenwaCommand& GetFactoryResetCommand();
    FenwaCommand& GetResetCommand();
    FenwaCommand& GetJogCommand();
    FenwaCommand& GetServoOffCommand() override;
    FenwaCommand& GetServoOnCommand() override;

    void ResetDrive(bool confirm);
    void SaveParameters() override;
    void RequestResetPrompt();
    bool RefreshSoftEnabled() override;

    void OnUpdate(platform::core::Subject* subject, platform::core::Message* message) override;

private:
    // Blocks made by the constructor; the child list owns them after Init.
    std::unique_ptr<ZRObject> m_pPendingBlocks[10];
    FenwaOperMode* m_pOperMode = nullptr;
    FenwaDigIn* m_pDigIn = nullptr;
    FenwaDigOut* m_pDigOut = nullptr;
    FenwaScope* m_pScope = nullptr;
    FenwaMotor* m_pMotor = nullptr;
    FenwaEncoder* m_pEncoder = nullptr;
    FenwaTuning* m_pTuning = nullptr;
    FenwaAnalogOut* m_pAnalogOut = nullptr;
    FenwaFaults* m_pFaults = nullptr;
    FenwaServiceInfo* m_pServiceInfo = nullptr;
    std::unique_ptr<FenwaCommand> m_Commands[5];
};
