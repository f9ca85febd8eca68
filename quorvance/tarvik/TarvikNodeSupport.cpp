#include "quorvance/tarvik/TarvikNodeSupport.h"

#include "kitbase/model/ZRDevice.h"
#include "kitbase/model/ZRObject.h"
#include "kitbase/ui/CSizableChildFrame.h"
#include "kitbase/ui/ZRModelDoc.h"
#include "kitbase/ui/ZRPropertiesView.h"
#include "kitbase/ui/ZRPropertyGroup.h"
#include "platform/ui/MainWindow.h"
#include "quorvance/shell/ZRQuorvanceApp.h"

#include <memory>

namespace tarvik {

ZRModelDoc* NewPropsDoc() {
    auto document = std::make_unique<ZRModelDoc>();
    auto frame = std::make_unique<CSizableChildFrame>();
    auto* view = new ZRPropertiesView;
    frame->SetView(view);
    document->AddView(view);
    ZRQuorvanceApp* app = ZRQuorvanceApp::Instance();
    if (platform::ui::MainWindow* main = app ? app->GetMainWindow() : nullptr)
        main->AddChildFrame(frame.get());
    // The main window's document area holds the frame (and with it the view) from here on.
    frame.release();
    return document.release();
}

bool IsOnLine(ZRObject* object) {
    ZRDevice* device = object ? object->GetDevice() : nullptr;
    return device && !device->IsOffLine();
}

ZRPropertyGroup& AddSubGroup(ZRPropertyGroup& parent, std::string name,
                             std::initializer_list<ZRAttribute*> members) {
    auto group = std::make_unique<ZRPropertyGroup>();
    ZRPropertyGroup& added = *group;
    group->SetName(std::move(name));
    for (ZRAttribute* member : members)
        if (member)
            group->AddProperty(member);
    parent.AddGroup(std::move(group));
    return added;
}

} // namespace tarvik
