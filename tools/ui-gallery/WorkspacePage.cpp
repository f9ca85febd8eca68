// A main window with the workspace tree docked on the left, a few drives of an off-line project
// expanded in it, one selected and its property sheet open in the document area.
#include "Gallery.h"

#include "tests/kitbase/ui/TestNodes.h"

#include "kitbase/model/ZRLongAttribute.h"
#include "kitbase/model/ZRStringAttribute.h"
#include "kitbase/ui/CSizableChildFrame.h"
#include "kitbase/ui/ZRAsStringRow.h"
#include "kitbase/ui/ZRAttributeHeader.h"
#include "kitbase/ui/ZREditRow.h"
#include "kitbase/ui/ZRWorkspaceView.h"
#include "platform/ui/DockBar.h"
#include "platform/ui/MainWindow.h"
#include "platform/ui/TreeView.h"

#include <QApplication>
#include <QMdiArea>

#include <memory>

namespace {

// Rows that show their values: editable properties, read-only status.
class ValueRows : public ZRMonitorRowFactory {
public:
    std::unique_ptr<ZRGridRow> CreateRow(ZRAttribute* attribute, bool status) override {
        if (status)
            return std::make_unique<ZRAsStringRow>(attribute, std::make_unique<ZRAttributeHeader>(attribute));
        return std::make_unique<ZREditRow>(attribute, std::make_unique<ZRAttributeHeader>(attribute));
    }
};

class WorkspacePage : public platform::ui::MainWindow {
public:
    WorkspacePage() {
        setWindowTitle("Quorvance");
        resize(900, 520);
        auto* bar = new platform::ui::DockBar("Workspace", "Workspace", this);
        bar->setWidget(tree.view.get());
        AddDockBar(bar, Qt::LeftDockWidgetArea);
        resizeDocks({bar}, {240}, Qt::Horizontal);
        tree.view->OnInitialUpdate();

        tree.root->GetName().SetValue("Packaging Line");
        TestObject* feeder = Drive("Feeder", nullptr, 1200, 35);
        Drive("Feeder Motor", feeder, 3000, 48);
        Drive("Feeder Encoder", feeder, 4096, 0);
        TestObject* cutter = Drive("Cutter", nullptr, 2400, 62);
        Drive("Cutter Motor", cutter, 4500, 55);
        Drive("Wrapper", nullptr, 800, 12);

        tree.view->Expand(tree.rootNode->GetNode(), platform::ui::TreeExpand::Expand);
        TestNodeMgr* node = tree.Node("Packaging Line?Cutter");
        tree.view->Expand(tree.Item("Packaging Line?Feeder"), platform::ui::TreeExpand::Expand);
        tree.view->Expand(node->GetNode(), platform::ui::TreeExpand::Expand);
        tree.view->SelectItem(node->GetNode());

        // The sheet is sized to the document area: lay the window out first.
        show();
        QApplication::processEvents();
        node->SetViewTitle("%s Properties", &cutter->GetName());
        node->SetHasCommands(true);
        node->commandRows = {{"Home", 41000}, {"Reset Faults", 41001}};
        node->ShowProperties();
        // Added frames open at their content's small hint; size it as a user would.
        if (CSizableChildFrame* frame = node->GetPropsFrame()) {
            frame->showNormal();
            frame->setGeometry(QRect(QPoint(8, 8), DocumentArea()->size() - QSize(16, 16)));
        }
    }

private:
    TestObject* Drive(const char* name, TestObject* parent, int speed, int load) {
        TestObject* drive = tree.AddChild(name, parent);
        drive->Text().SetName("Comment");
        drive->Text().SetValue("Station " + std::string(name));
        drive->Long(0).SetName("Maximum Speed");
        drive->Long(0).SetUnits("rpm");
        drive->Long(0).SetValue(speed);
        drive->Long(1).SetName("Current Limit");
        drive->Long(1).SetUnits("%");
        drive->Long(1).SetValue(100);
        drive->StatusValue().SetName("Load");
        drive->StatusValue().SetUnits("%");
        drive->StatusValue().SetValue(load);
        return drive;
    }

    // The tree (and the sheet with it) goes before the window's document area.
    TestTree tree{this};
    ValueRows rows;
    ScopedRowFactory installedRows{&rows};
};

} // namespace

void AddWorkspacePage(Gallery& gallery) {
    gallery.Add("workspace", [] { return std::make_unique<WorkspacePage>(); });
}
