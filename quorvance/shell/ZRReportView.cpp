#include "quorvance/shell/ZRReportView.h"

#include "kitbase/model/ZRUpdate.h"
#include "kitbase/ui/CSizableChildFrame.h"
#include "kitbase/ui/ZRNodeMgr.h"
#include "platform/core/Modal.h"
#include "platform/core/Text.h"
#include "platform/ui/AppWindow.h"
#include "platform/ui/CommandIds.h"
#include "platform/ui/HelpRequest.h"
#include "platform/ui/MainWindow.h"
#include "platform/ui/Text.h"
#include "quorvance/shell/ZRGlobalDataMgr.h"
#include "quorvance/shell/ZRHtmlPrint.h"
#include "quorvance/shell/ZRReportDoc.h"
#include "quorvance/shell/ZRWebView.h"

#include <QPrinter>

using namespace platform::ui::ids;

ZRReportView::ZRReportView(std::unique_ptr<ZRReportDoc> document, QWidget* parent)
    : QPlainTextEdit(parent), m_pDocument(std::move(document)) {
    setReadOnly(true);
    setLineWrapMode(QPlainTextEdit::NoWrap);
    if (m_pDocument) {
        setDocument(m_pDocument->GetBuffer());
        m_pDocument->AddView(this);
    }
}

ZRReportView::~ZRReportView() {
    Notify(ZRUpdate::Destroying);
    if (m_pDocument) {
        m_pDocument->RemoveView(this);
        // The editor lets go of the buffer before the document takes it away.
        setDocument(nullptr);
    }
}

ZRReportView* ZRReportView::Open(ZRNodeMgr* controller, const std::string& title, int helpId) {
    auto document = std::make_unique<ZRReportDoc>();
    if (!document->OnNewDocument())
        return nullptr;
    document->SetTitle(title);
    auto* frame = new CSizableChildFrame;
    auto* view = new ZRReportView(std::move(document));
    frame->SetView(view);
    frame->setWindowTitle(platform::ui::ToQString(title));
    if (controller)
        controller->AddSimpleView(view, view);
    frame->SetController(controller);
    frame->SetHelpTopic(static_cast<unsigned long>(helpId));
    view->SetHelpId(helpId);
    return view;
}

void ZRReportView::ShowFrame() {
    CSizableChildFrame* frame = GetFrame();
    if (!frame)
        return;
    if (auto* main = dynamic_cast<platform::ui::MainWindow*>(platform::ui::GetMainWindow());
        main && !frame->mdiArea())
        main->AddChildFrame(frame);
    frame->ActivateFrame();
}

CSizableChildFrame* ZRReportView::GetFrame() const {
    return dynamic_cast<CSizableChildFrame*>(
        platform::ui::ChildFrame::FrameOf(const_cast<ZRReportView*>(this)));
}

void ZRReportView::SetText(const std::string& text) {
    setPlainText(platform::ui::ToQString(text));
}

std::string ZRReportView::GetText() const {
    return platform::ui::FromQString(toPlainText());
}

const platform::ui::CommandTable* ZRReportView::Commands() const {
    using Row = platform::ui::CommandRow<ZRReportView>;
    static const platform::ui::CommandTable table{
        Row(ID_FILE_PRINT, &ZRReportView::Print),
        Row(ID_FILE_PRINT_DIRECT, &ZRReportView::Print),
        Row(ID_FILE_PRINT_PREVIEW, &ZRReportView::Print),
        Row(ID_HELP,
            [](ZRReportView& view) {
                if (view.m_HelpId != 0)
                    platform::ui::ShowHelp(static_cast<unsigned long>(view.m_HelpId),
                                           platform::ui::HELP_CONTEXT);
                else
                    platform::ui::ShowHelp(0, platform::ui::HELP_CONTENTS);
            }),
    };
    return &table;
}

void ZRReportView::Print(unsigned id) {
    ZRWebView* web = ZRGlobalDataMgr::m_pInstance ? ZRGlobalDataMgr::m_pInstance->m_pPrintView : nullptr;
    if (!web) {
        QPrinter& printer = ZRWebView::GetPrinter();
        if (id == ID_FILE_PRINT_PREVIEW)
            ZRWebView::RunPrintPreview(printer, [this](QPrinter* p) { print(p); });
        else if (id == ID_FILE_PRINT_DIRECT || ZRWebView::RunPrintDialog(printer))
            print(&printer);
        return;
    }
    ZRHtmlPrint html;
    html.SetText(GetText());
    if (!html.WriteHtml(m_pDocument ? m_pDocument->GetTitle() : std::string())) {
        platform::core::MessageBox(platform::core::Format("Unable to write %s.", html.GetFileName().c_str()));
        return;
    }
    web->NavigateAndWait(html.GetFileName());
    web->OnCommand(id);
}
