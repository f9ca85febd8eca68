#include "quorvance/shell/ZRWebView.h"

#include "platform/core/FileStream.h"
#include "platform/core/FileSystem.h"
#include "platform/core/Modal.h"
#include "platform/ui/AppWindow.h"
#include "platform/ui/CommandIds.h"
#include "platform/ui/Dialog.h"
#include "platform/ui/Text.h"
#include "quorvance/shell/ZRGlobalDataMgr.h"

#include <QCoreApplication>
#include <QFile>
#include <QPageSetupDialog>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QTextDocument>
#include <QUrl>

using namespace platform::ui::ids;

namespace {

constexpr const char* kErrorPage =
    "<HTML><HEAD><TITLE>Error</TITLE><BODY>Print function failed. Please try again.</BODY>";

QPrinter* s_pPrinter = nullptr;

void DeletePrinter() {
    delete s_pPrinter;
    s_pPrinter = nullptr;
}

// A print dialog of the toolkit, handed to the modal hook like every dialog: a script answers it
// without a window, the program's hook runs the real one.
class PrintRequest : public platform::ui::Dialog {
public:
    PrintRequest(int id, const std::string& title, std::function<bool(QWidget*)> run)
        : Dialog(id, title, {}, platform::ui::GetMainWindow()), m_run(std::move(run)) {}

    int exec() override { return m_run(parentWidget()) ? platform::core::IDOK : platform::core::IDCANCEL; }

private:
    std::function<bool(QWidget*)> m_run;
};

bool Ask(int id, const std::string& title, std::function<bool(QWidget*)> run) {
    PrintRequest request(id, title, std::move(run));
    return request.DoModal() == platform::core::IDOK;
}

} // namespace

ZRWebView::ZRWebView(QWidget* parent) : QWidget(parent) {
    hide();
}

ZRWebView::~ZRWebView() {
    if (ZRGlobalDataMgr::m_pInstance && ZRGlobalDataMgr::m_pInstance->m_pPrintView == this)
        ZRGlobalDataMgr::m_pInstance->m_pPrintView = nullptr;
}

ZRWebView* ZRWebView::CreatePrintView(QWidget* parent) {
    ZRGlobalDataMgr* data = ZRGlobalDataMgr::Instance();
    if (!data)
        return nullptr;
    const std::string path = data->GetPrintFile();
    platform::core::FileSystem::TryMakeDirectories(platform::core::FileSystem::Directory(path));
    platform::core::OpenOutputFile(path, std::ios::binary | std::ios::trunc) << kErrorPage;
    auto* view = new ZRWebView(parent);
    view->NavigateAndWait(path);
    data->m_pPrintView = view;
    return view;
}

bool ZRWebView::NavigateAndWait(const std::string& path) {
    m_bDocumentComplete = false;
    m_pDocument.reset();
    QFile file(platform::ui::ToQString(path));
    if (!file.open(QIODevice::ReadOnly))
        return false;
    // Loading is synchronous: the page is complete when setHtml returns.
    auto document = std::make_unique<QTextDocument>();
    document->setBaseUrl(QUrl::fromLocalFile(file.fileName()));
    document->setHtml(QString::fromUtf8(file.readAll()));
    m_pDocument = std::move(document);
    OnDocumentComplete();
    return true;
}

void ZRWebView::OnPrintCommand(unsigned id) {
    if (!m_pDocument)
        return;
    QPrinter& printer = GetPrinter();
    QTextDocument* document = m_pDocument.get();
    switch (id) {
    case ID_FILE_PRINT:
        if (RunPrintDialog(printer))
            document->print(&printer);
        break;
    case ID_FILE_PRINT_DIRECT:
        document->print(&printer);
        break;
    case ID_FILE_PRINT_PREVIEW:
        RunPrintPreview(printer, [document](QPrinter* p) { document->print(p); });
        break;
    default:
        RunPageSetup(printer);
        break;
    }
}

const platform::ui::CommandTable* ZRWebView::Commands() const {
    using Row = platform::ui::CommandRow<ZRWebView>;
    static const auto loaded = [](const ZRWebView& view, platform::ui::CommandState& state) {
        state.enabled = view.m_pDocument != nullptr;
    };
    static const platform::ui::CommandTable table{
        Row(ID_FILE_PRINT, &ZRWebView::OnPrintCommand, loaded),
        Row(ID_FILE_PRINT_DIRECT, &ZRWebView::OnPrintCommand, loaded),
        Row(ID_FILE_PRINT_PREVIEW, &ZRWebView::OnPrintCommand, loaded),
        Row(ID_FILE_PRINT_SETUP, &ZRWebView::OnPrintCommand, loaded),
    };
    return &table;
}

// ---- Printing

QPrinter& ZRWebView::GetPrinter() {
    if (!s_pPrinter) {
        s_pPrinter = new QPrinter(QPrinter::HighResolution);
        // The printer goes before the toolkit does.
        qAddPostRoutine(DeletePrinter);
    }
    return *s_pPrinter;
}

bool ZRWebView::RunPrintDialog(QPrinter& printer) {
    return Ask(IDD_PRINT, "Print", [&printer](QWidget* parent) {
        QPrintDialog dialog(&printer, parent);
        return dialog.exec() == QDialog::Accepted;
    });
}

bool ZRWebView::RunPageSetup(QPrinter& printer) {
    return Ask(IDD_PAGE_SETUP, "Page Setup", [&printer](QWidget* parent) {
        QPageSetupDialog dialog(&printer, parent);
        return dialog.exec() == QDialog::Accepted;
    });
}

bool ZRWebView::RunPrintPreview(QPrinter& printer, std::function<void(QPrinter*)> paint) {
    return Ask(IDD_PRINT_PREVIEW, "Print Preview", [&printer, &paint](QWidget* parent) {
        QPrintPreviewDialog dialog(&printer, parent);
        QObject::connect(&dialog, &QPrintPreviewDialog::paintRequested, &dialog,
                         [&paint](QPrinter* p) { paint(p); });
        return dialog.exec() == QDialog::Accepted;
    });
}
