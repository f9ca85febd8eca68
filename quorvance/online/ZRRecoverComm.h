#pragma once

#include "platform/core/Observer.h"
#include "platform/ui/PropertySheet.h"

#include <string>

class ZRObject;
class ZROnLine;
class ZRQuorvanceApp;

// "Recover Communications": a four-step wizard that finds a lone Tarvik drive at the recovery node
// and sets its communication settings and the PC's consistently. The sheet holds the drive the
// search attached; it lets go of it as soon as the drive is deleted by anybody, so no page ever
// reaches a drive that is gone.
class ZRRecoverComm : public platform::ui::PropertySheet, public platform::core::Observer {
public:
    ZRRecoverComm(const std::string& caption, QWidget* parent = nullptr, int firstPage = 0);
    ~ZRRecoverComm() override;

    ZRObject* GetDrive() const { return m_pDrive; }
    void SetDrive(ZRObject* drive);
    // Removes the sheet's drive from the root and deletes it, if it is still the root's child.
    void ReleaseDrive(ZROnLine* root);

    void OnUpdate(platform::core::Subject* subject, platform::core::Message* message) override;

    // The application's command: runs the wizard at 9600 baud, 8 data bits, no parity, and leaves the
    // line with the new PC settings after Finish or the old ones after Cancel.
    static void RunCommand(ZRQuorvanceApp& app);

protected:
    void OnHelp() override;

private:
    ZRObject* m_pDrive = nullptr;
};
