#pragma once

#include "platform/ui/View.h"

#include <QWidget>

#include <functional>
#include <memory>
#include <string>

class QPrinter;
class QTextDocument;

// The hidden view that prints and previews HTML pages ("editor.html"), and the print dialogs that
// every print of the program goes through. Dialogs go through the modal hook; all prints use the
// application's one printer, whose page set-up therefore holds for the whole run.
class ZRWebView : public QWidget, public platform::ui::View {
public:
    // Dialog ids the modal hook sees.
    enum : int { IDD_PRINT = 1538, IDD_PAGE_SETUP = 1546, IDD_PRINT_PREVIEW = 57609 };

    explicit ZRWebView(QWidget* parent = nullptr);
    // Forgets itself in the global data.
    ~ZRWebView() override;

    // The start-up print view: writes the error page to the print file, loads it and hands the view
    // to the global data. The parent owns the view.
    static ZRWebView* CreatePrintView(QWidget* parent);

    // Loads the page; until it is complete nothing else happens. False, with no page loaded, when
    // the file cannot be read.
    bool NavigateAndWait(const std::string& path);
    void OnDocumentComplete() { m_bDocumentComplete = true; }
    bool IsDocumentComplete() const { return m_bDocumentComplete; }
    // The loaded page, or null.
    QTextDocument* GetDocument() const { return m_pDocument.get(); }

    // Print, print direct (no dialog), print preview and page set-up of the loaded page; nothing
    // without one.
    const platform::ui::CommandTable* Commands() const override;

    // ---- Printing shared with views that print themselves.
    static QPrinter& GetPrinter();
    // True when the user chose to print.
    static bool RunPrintDialog(QPrinter& printer);
    static bool RunPageSetup(QPrinter& printer);
    // paint draws the pages on the printer it is given.
    static bool RunPrintPreview(QPrinter& printer, std::function<void(QPrinter*)> paint);

private:
    void OnPrintCommand(unsigned id);
    std::unique_ptr<QTextDocument> m_pDocument;
    bool m_bDocumentComplete = false;
};
