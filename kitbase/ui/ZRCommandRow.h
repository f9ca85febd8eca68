#pragma once

#include "kitbase/ui/ZRGridRow.h"

#include <string>

class ZRNodeMgr;

// A push button in column 1 that runs a command of its node manager: a click sends DoCommand, a
// press and a release (the services grid) DoCommand2 with 0 and 1.
class ZRCommandRow : public ZRGridRow {
public:
    // The owner is not owned; a click needs one.
    ZRCommandRow(std::string caption, unsigned int command, ZRNodeMgr* owner);

    void OnClickedButton(unsigned long column) override;
    void OnLButtonDown(unsigned long column) override;
    void OnLButtonUp(unsigned long column) override;
    void SetRow(int row) override;

    virtual int LButtonUp(unsigned int flags, const QPoint& point, unsigned int hit);
    using ZRGridRow::Refresh;
    virtual void Refresh();

    const std::string& GetCaption() const { return m_Caption; }
    unsigned int GetCommand() const { return m_Command; }
    ZRNodeMgr* GetOwner() const { return m_pOwner; }

private:
    std::string m_Caption;
    unsigned int m_Command;
    ZRNodeMgr* m_pOwner;
};
