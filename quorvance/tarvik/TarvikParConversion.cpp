#include "quorvance/tarvik/TarvikParConversion.h"

#include "kitbase/model/ZRError.h"
#include "kitbase/model/ZRStringAttribute.h"
#include "platform/core/FileSystem.h"
#include "platform/core/Text.h"
#include "platform/ui/WaitCursor.h"
#include "quorvance/shell/ZROffLineDBNodeMgr.h"
#include "quorvance/shell/ZRReportView.h"
#include "quorvance/tarvik/TarvikIds.h"
#include "quorvance/tarvik/ZRDrive.h"
#include "quorvance/tarvik/ZROlbraConverter.h"

#include <memory>

namespace tarvik {

namespace {
constexpr int kConversionHelpId = 1142;
} // namespace

void ConvertParFile(ZROffLineDBNodeMgr& root, const std::string& path) {
    ZRObject* project = root.GetModel();
    if (!project)
        return;
    ZROlbraConverter converter;
    ZRReportView* view = ZRReportView::Open(
        &root, platform::core::Format("%s - Conversion Results", platform::core::FileSystem::FileName(path).c_str()),
        kConversionHelpId);
    {
        platform::ui::WaitCursor wait;
        try {
            // A file that does not read has its reason in the log already.
            if (converter.OnOpenDocument(path)) {
                auto drive =
                    std::make_unique<ZRDrive>(converter.IsIndexingModel() ? kIndexingDriveType : kStandardDriveType);
                drive->Init();
                drive->ImportParValues(&converter);
                std::string name = drive->GetName().GetValue();
                root.MakeUnique(name, drive->GetClass(), drive->GetName().GetMaxLength());
                drive->GetName().SetValue(name);
                project->AddChild(std::move(drive), true);
                converter.AppendLog("\nConversion completed successfully.");
            }
        } catch (const ZRError&) {
            // The refused drive goes with this scope; the project never saw it.
            converter.AppendLog("Conversion failed.");
        }
    }
    if (view) {
        view->SetText(converter.GetLog());
        view->ShowFrame();
    }
}

} // namespace tarvik
