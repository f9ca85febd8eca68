#include "quorvance/shell/ZRReportView.h"
#include "quorvance/shell/ZRReportDoc.h"
#include "quorvance/shell/ZRWebView.h"

#include "kitbase/ui/CSizableChildFrame.h"
#include "kitbase/ui/ZRNodeMgr.h"
#include "platform/ui/AppWindow.h"
#include "platform/ui/CommandIds.h"
#include "platform/ui/HelpRequest.h"
#include "platform/ui/MainWindow.h"
#include "quorvance/shell/ZRGlobalDataMgr.h"
#include "support/ModalScript.h"
#include "support/ScopedEnv.h"
#include "support/TempDir.h"

#include <QCoreApplication>
#include <QPrinter>
#include <QTextDocument>
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>

using namespace platform::ui::ids;

using platform::core::IDCANCEL;
using platform::core::IDOK;
using platform::core::ModalKind;

namespace {

class PlainNode : public ZRNodeMgr {
public:
    using ZRNodeMgr::ZRNodeMgr;
    void Initialize() override {}
};

std::string ReadFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

// Prints go to PDF files in a private directory; the print file lands there too.
class ZRReportViewTest : public testing::Test {
protected:
    void SetUp() override {
        m_DataHome.emplace("XDG_DATA_HOME", m_Dir.Path().string());
        main.show();
        platform::ui::SetMainWindow(&main);
        ZRWebView::GetPrinter().setOutputFormat(QPrinter::PdfFormat);
    }
    void TearDown() override {
        platform::ui::SetMainWindow(nullptr);
        ZRGlobalDataMgr::DestroyInstance();
        m_DataHome.reset();
    }
    std::string Pdf(const std::string& name) {
        std::string path = m_Dir.File(name);
        ZRWebView::GetPrinter().setOutputFileName(QString::fromStdString(path));
        return path;
    }
    static bool IsPdf(const std::string& path) { return ReadFile(path).rfind("%PDF", 0) == 0; }

    TempDir m_Dir;
    std::optional<ScopedEnv> m_DataHome;
    platform::ui::MainWindow main;
};

TEST_F(ZRReportViewTest, OpensAWindowOfItsNodeThatClosesWithIt) {
    PlainNode node(nullptr, nullptr, nullptr);
    ZRReportView* view = ZRReportView::Open(&node, "drive.par - Conversion Results", 1142);
    ASSERT_NE(view, nullptr);
    view->SetText("Conversion completed successfully.");
    view->ShowFrame();
    CSizableChildFrame* frame = view->GetFrame();
    ASSERT_NE(frame, nullptr);
    EXPECT_EQ(frame->GetController(), &node);
    EXPECT_EQ(frame->windowTitle(), QStringLiteral("drive.par - Conversion Results"));
    EXPECT_EQ(main.ActiveChildFrame(), frame);
    EXPECT_TRUE(view->isReadOnly());
    EXPECT_EQ(view->GetDocument()->GetTitle(), "drive.par - Conversion Results");

    std::vector<std::pair<unsigned long, unsigned>> help;
    auto previous =
        platform::ui::SetHelpHandler([&help](unsigned long t, unsigned c) { help.emplace_back(t, c); });
    view->OnCommand(ID_HELP);
    view->SetHelpId(0);
    view->OnCommand(ID_HELP);
    platform::ui::SetHelpHandler(previous);
    EXPECT_EQ(help, (std::vector<std::pair<unsigned long, unsigned>>{{1142, 1}, {0, 3}}));

    // The node closes its windows: the report goes and the node forgets it.
    EXPECT_TRUE(node.IsWindowOpen());
    EXPECT_TRUE(node.DoCloseWindows());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_FALSE(node.IsWindowOpen());
    EXPECT_TRUE(main.ChildFrames().empty());
}

TEST_F(ZRReportViewTest, PrintsThroughThePrintViewWithoutADialog) {
    ZRWebView* web = ZRWebView::CreatePrintView(&main);
    ASSERT_NE(web, nullptr);
    ASSERT_EQ(ZRGlobalDataMgr::Instance()->m_pPrintView, web);
    const std::string printFile = ZRGlobalDataMgr::Instance()->GetPrintFile();
    EXPECT_EQ(ReadFile(printFile).size(), 85u);
    EXPECT_TRUE(web->IsDocumentComplete());

    ZRReportView* view = ZRReportView::Open(nullptr, "Drive Report", 0);
    view->SetText("Name: Axis 1\nMode: <Velocity>\n");
    const std::string pdf = Pdf("direct.pdf");
    EXPECT_TRUE(view->OnCommand(ID_FILE_PRINT_DIRECT));
    EXPECT_TRUE(IsPdf(pdf));
    // The page the print view printed is the report, titled after its document.
    const std::string page = ReadFile(printFile);
    EXPECT_NE(page.find("<TITLE>Drive Report</TITLE>"), std::string::npos);
    EXPECT_NE(page.find("Mode: &lt;Velocity&gt;"), std::string::npos);
    EXPECT_EQ(web->GetDocument()->toPlainText().contains(QStringLiteral("Axis 1")), true);

    // Print asks first; Cancel prints nothing.
    const std::string cancelled = Pdf("cancelled.pdf");
    {
        ModalScript script;
        script.Expect(ModalKind::Dialog, "Print", [](platform::core::ModalRequest&) { return IDCANCEL; });
        view->OnCommand(ID_FILE_PRINT);
    }
    EXPECT_FALSE(std::filesystem::exists(cancelled));
    const std::string printed = Pdf("printed.pdf");
    {
        ModalScript script;
        script.Expect(ModalKind::Dialog, "Print", [](platform::core::ModalRequest&) { return IDOK; });
        view->OnCommand(ID_FILE_PRINT);
    }
    EXPECT_TRUE(IsPdf(printed));
    delete view->GetFrame();
    delete web;
    EXPECT_EQ(ZRGlobalDataMgr::Instance()->m_pPrintView, nullptr);
}

TEST_F(ZRReportViewTest, PrintsItselfWhenThereIsNoPrintView) {
    ZRReportView* view = ZRReportView::Open(nullptr, "Faults", 0);
    view->SetText("No faults.");
    const std::string pdf = Pdf("own.pdf");
    view->OnCommand(ID_FILE_PRINT_DIRECT);
    EXPECT_TRUE(IsPdf(pdf));
    EXPECT_FALSE(std::filesystem::exists(m_Dir.Path() / "Kelbrant Vuzovaruza" / "Quorvance" / "editor.html"));

    ModalScript script;
    script.Expect(ModalKind::Dialog, "Print Preview", [](platform::core::ModalRequest&) { return IDCANCEL; });
    view->OnCommand(ID_FILE_PRINT_PREVIEW);
    delete view->GetFrame();
}

TEST_F(ZRReportViewTest, PrintViewDoesNothingWithoutAPage) {
    ZRWebView web;
    EXPECT_FALSE(web.NavigateAndWait(m_Dir.File("missing.html")));
    EXPECT_EQ(web.GetDocument(), nullptr);
    const std::string pdf = Pdf("nothing.pdf");
    for (unsigned id : {ID_FILE_PRINT, ID_FILE_PRINT_DIRECT, ID_FILE_PRINT_PREVIEW, ID_FILE_PRINT_SETUP}) {
        EXPECT_TRUE(web.OnCommand(id));
        platform::ui::CommandState state;
        EXPECT_TRUE(web.OnUpdateCommand(id, state));
        EXPECT_FALSE(state.enabled);
    }
    EXPECT_FALSE(std::filesystem::exists(pdf));
}

} // namespace
