#pragma once

#include "kitbase/ui/ZRNodeMgr.h"

#include <memory>

class FenwaMotor;

// The "Motor" node of a Fenwa drive: the motor choice and its identification, the motor's data in
// five status groups, "Refresh Data" and "Save Parameters".
class FenwaMotorNodeMgr : public ZRNodeMgr {
public:
    FenwaMotorNodeMgr(FenwaMotor* motor, ZRTreeItem* item, ZRWorkspaceView* view);

    // The family registry's maker for the motor block.
    static std::unique_ptr<ZRNodeMgr> Make(ZRObject* object, ZRTreeItem* item, ZRWorkspaceView* view);

    void Initialize() override;
    void DoCommand(unsigned int id) override;

    // Writes the chosen model's catalogue data again; refused while the drive identifies its motor.
    void OnRefreshData();
    FenwaMotor* GetMotor() const { return m_pMotor; }
    ZRPropertyGroup& GetProperties() { return m_Properties; }

protected:
    const platform::ui::CommandTable* Commands() const override;
    void BuildCommandRows(std::list<std::unique_ptr<ZRGridRow>>& rows) override;
    ZRModelDoc* BuildPropsDoc() override;
    void DefaultAction() override;
    void Report(std::string& text) override;

private:
    FenwaMotor* m_pMotor;
};
