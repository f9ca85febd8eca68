// The application with its real main frame, and Tarvik drives added to its project.
#pragma once

#include "../shell/FrameFixture.h"

#include "quorvance/tarvik/ZRDrive.h"

#include <cstdint>
#include <memory>
#include <string>

class TarvikFrameFixture : public FrameFixture {
protected:
    // A new drive of the type, named so and added to the project as Insert Tarvik Drive does.
    ZRDrive* AddDrive(int32_t type, const std::string& name) {
        auto made = std::make_unique<ZRDrive>(type);
        made->Init();
        made->GetName().SetValue(name);
        ZRDrive* drive = made.get();
        ModalScript script;
        ExpectDriveAdded(script, name);
        Shell().GetOffLineRoot()->AddChild(std::move(made), true);
        return drive;
    }
};
