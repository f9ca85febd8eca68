// The Fenwa "Faults" node on a simulated drive: the fault history in a report window, "Clear
// Faults", and the fault-detail window that uploads the four capture channels, plots what was
// captured and saves it (a file that cannot be written is reported, naming it).
#include "FenwaLine.h"

#include "kitbase/model/ZRBoolAttribute.h"
#include "kitbase/model/ZRStringAttribute.h"
#include "kitbase/model/ZRUlongAttribute.h"
#include "kitbase/ui/CSizableChildFrame.h"
#include "kitbase/ui/KitbaseIds.h"
#include "kitbase/ui/ZRGraph.h"
#include "kitbase/ui/ZRGraphControl.h"
#include "kitbase/ui/ZRWorkspaceView.h"
#include "platform/ui/AppWindow.h"
#include "platform/ui/MainWindow.h"
#include "quorvance/fenwa/FenwaCommands.h"
#include "quorvance/fenwa/FenwaDevice.h"
#include "quorvance/fenwa/FenwaDrive.h"
#include "quorvance/fenwa/FenwaFaultDetailServicesView.h"
#include "quorvance/fenwa/FenwaFaultDetailView.h"
#include "quorvance/fenwa/FenwaFaults.h"
#include "quorvance/fenwa/FenwaFaultsNodeMgr.h"
#include "quorvance/fenwa/FenwaIds.h"
#include "quorvance/shell/ZRFamilyRegistry.h"
#include "quorvance/shell/ZRReportDoc.h"
#include "quorvance/shell/ZRReportView.h"
#include "support/ModalScript.h"
#include "support/TempDir.h"
#include "support/ui/UiTestApp.h"

#include <QCoreApplication>

#include <fstream>
#include <sstream>

namespace {

using platform::core::IDOK;
using platform::core::ModalKind;
using Strings = std::vector<std::string>;

std::string ReadAll(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

class FenwaFaultsNodeTest : public FenwaLine {
protected:
    void SetUp() override {
        FenwaLine::SetUp();
        TestApp();
        main.show();
        platform::ui::SetMainWindow(&main);
        device.SetStorage(storage.get());
        device.SetOffLine(false);
        drive.Init();
        drive.GetName().SetAsString("Axis 2");
        faults = dynamic_cast<FenwaFaults*>(Child(fenwa::kFaultsType));
        ASSERT_NE(faults, nullptr);
        faults->Attach(&device, 1);
        view = std::make_unique<ZRWorkspaceView>();
        ZRTreeItem* item = view->InsertItem("Faults");
        node = new FenwaFaultsNodeMgr(faults, item, view.get());
        view->SetItemData(item, node);
        node->Initialize();
        Sent();
    }
    void TearDown() override {
        if (node)
            node->DoCloseWindows();
        view.reset();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        platform::ui::SetMainWindow(nullptr);
        FenwaLine::TearDown();
    }
    ZRObject* Child(int32_t type) {
        for (ZRObject* child : drive.GetChildren())
            if (child->GetClass() == type)
                return child;
        return nullptr;
    }
    std::vector<ZRReportView*> Reports() {
        const QList<ZRReportView*> found = main.findChildren<ZRReportView*>();
        return {found.begin(), found.end()};
    }

    platform::ui::MainWindow main;
    FenwaDevice device;
    FenwaDrive drive;
    FenwaFaults* faults = nullptr;
    std::unique_ptr<ZRWorkspaceView> view;
    FenwaFaultsNodeMgr* node = nullptr;
};

TEST_F(FenwaFaultsNodeTest, TheFamilyMakesTheNodeForTheBlock) {
    const ZRNodeMaker make = ZRFamilyRegistry::Instance().FindNode(fenwa::kFaultsType);
    ASSERT_NE(make, nullptr);
    EXPECT_NE(dynamic_cast<FenwaFaultsNodeMgr*>(make(faults, nullptr, nullptr).get()), nullptr);
    EXPECT_EQ(make(&drive, nullptr, nullptr), nullptr);
}

TEST_F(FenwaFaultsNodeTest, HistoryOpensANewReportEachTimeAndClearFaultsResetsTheDrive) {
    sim.SetFaultHistory(1, "22&&13");
    node->DoCommand(ID_FAULT_HISTORY);
    node->DoCommand(ID_FAULT_HISTORY);
    EXPECT_EQ(Sent(), (Strings{"EHY*", "EHY*"}));
    const std::vector<ZRReportView*> reports = Reports();
    ASSERT_EQ(reports.size(), 2u);
    EXPECT_EQ(reports[0]->GetDocument()->GetTitle(), "Axis 2 - Fault History");
    EXPECT_EQ(reports[0]->GetText(), "(Most recent fault is listed first.)\n\n"
                                     "4      Motor Overtemperature Fault\n"
                                     "           No Fault\n"
                                     "54      Current Feedback Offset Fault\n");

    sim.SetFault(1, "E22");
    node->DoCommand(ID_CLEAR_FAULTS);
    EXPECT_EQ(Sent(), Strings{"RST"});
    EXPECT_EQ(sim.FaultClears(1), 1);

    device.SetOffLine(true);
    ModalScript script;
    script.ExpectMessage("No fault history available for off-line drive.", IDOK);
    node->DoCommand(ID_FAULT_HISTORY);
    EXPECT_EQ(Reports().size(), 2u);
}

TEST_F(FenwaFaultsNodeTest, FaultDetailUploadsPlotsAndSavesTheCapture) {
    // A and D: 50 samples; B: bad tokens among good ones; C: the drive's no-data marks only.
    std::string a;
    for (int i = 0; i < 50; ++i)
        a += (i ? "&" : "") + std::to_string(i % 10);
    sim.SetCapture(1, 1, a);
    sim.SetCapture(1, 2, "0010&zz&&0020");
    sim.SetCapture(1, 3, "FFFFFFFF&FFFFFFFF");
    sim.SetCapture(1, 4, a);
    for (int c = 0; c < FenwaFaults::kChannels; ++c)
        faults->GetChannel(c)->SetValue(12); // "Absolute Rotations": no scale
    faults->GetVisible(3)->SetValue(false);
    Sent(); // the channel writes

    node->DoCommand(ID_FENWA_FAULT_DETAIL);
    EXPECT_EQ(Sent(), (Strings{"DIE0001", "DIE0002", "DIE0003", "DIE0004"}));
    FenwaFaultDetailView* detail = node->GetFaultDetailView();
    ASSERT_NE(detail, nullptr);
    EXPECT_EQ(node->GetFaultDetailFrame()->windowTitle().toStdString(), "Axis 2 - Faults");
    // The bad tokens are no data, never a number.
    EXPECT_EQ(faults->GetSamples(1), (std::vector<float>{16, -1, -1, 32}));
    EXPECT_TRUE(faults->HasCapturedData(0) && faults->HasCapturedData(1) && faults->HasCapturedData(3));
    EXPECT_FALSE(faults->HasCapturedData(2));

    // A and B are plotted; C has nothing, D is hidden but still saved.
    FenwaFaultDetailServicesView* services = detail->GetServicesView();
    EXPECT_EQ(detail->GetGraphControl()->GetGraph()->GetDisplayCount(), 2);
    for (auto [channel, shown] : {std::pair{0, true}, {1, true}, {2, false}, {3, false}})
        EXPECT_EQ(services->IsLabelShown(channel), shown) << channel;
    EXPECT_NE(services->GetLabelText(0).find("/grid"), std::string::npos);

    // A second open brings the same window forward without a new upload.
    node->DoCommand(ID_FENWA_FAULT_DETAIL);
    EXPECT_EQ(node->GetFaultDetailView(), detail);
    EXPECT_TRUE(Sent().empty());

    TempDir dir;
    const std::string path = dir.File("FaultDetails.txt");
    ModalScript script;
    script.ExpectFile(ModalKind::SaveFile, path);
    detail->OnSaveData();
    const std::string text = ReadAll(path);
    std::istringstream lines(text);
    std::string heading, first, second;
    std::getline(lines, heading);
    std::getline(lines, first);
    std::getline(lines, second);
    EXPECT_EQ(std::count(heading.begin(), heading.end(), '\t'), 3) << heading;
    EXPECT_EQ(heading.rfind("Time (ms)\t", 0), 0u);
    EXPECT_EQ(first, "0\t0\t16\t0\r");
    EXPECT_EQ(second, "5\t1\t-1\t1\r");
    EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 51);

    // A file that cannot be written is named in the message.
    const std::string bad = dir.File("no/such/dir/FaultDetails.txt");
    script.ExpectFile(ModalKind::SaveFile, bad);
    script.ExpectMessage("Unable to write " + bad, IDOK);
    detail->OnSaveData();
}

} // namespace
