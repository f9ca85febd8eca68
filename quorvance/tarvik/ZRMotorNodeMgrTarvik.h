#pragma once

#include "quorvance/tarvik/TarvikBlockNodeMgr.h"

class ZRMotorTarvik;

// The "Motor" node of a Tarvik drive: the motor choice and the motor's data in five status groups,
// "Refresh Data", and under a normal drive the three motor-feedback diagnostics, which the encoders
// node runs.
class ZRMotorNodeMgrTarvik : public TarvikBlockNodeMgr {
public:
    // sercos: the node hangs under a SERCOS drive (its own menu, no diagnostics).
    ZRMotorNodeMgrTarvik(ZRMotorTarvik* motor, ZRTreeItem* item, ZRWorkspaceView* view, bool sercos = false);

    void Initialize() override;
    void DoCommand(unsigned int id) override;

    // Writes the chosen model's catalogue data again; refused while the drive identifies its motor.
    void RefreshData();
    ZRMotorTarvik* GetMotor() const { return m_pMotor; }
    bool IsSercos() const { return m_bSercos; }

protected:
    const platform::ui::CommandTable* Commands() const override;
    void BuildCommandRows(std::list<std::unique_ptr<ZRGridRow>>& rows) override;
    void Report(std::string& text) override;

private:
    // Hands the diagnostics command to the drive's "Encoders" node; nothing without one.
    void RunEncodersDiagnostics(unsigned int id);

    ZRMotorTarvik* m_pMotor;
    bool m_bSercos;
};
