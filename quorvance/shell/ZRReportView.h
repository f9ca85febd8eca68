#pragma once

#include "kitbase/model/ZRMvcModel.h"
#include "platform/ui/View.h"

#include <QPlainTextEdit>

#include <memory>
#include <string>

class CSizableChildFrame;
class ZRNodeMgr;
class ZRReportDoc;

// A read-only text window that node managers fill with drive reports and conversion results. Its
// opener observes it: the view sends reason Destroying before it goes.
class ZRReportView : public QPlainTextEdit, public ZRMvcModel, public platform::ui::View {
public:
    // The view owns the document.
    explicit ZRReportView(std::unique_ptr<ZRReportDoc> document, QWidget* parent = nullptr);
    ~ZRReportView() override;

    // A new report window with the title, owned by the controller's node: the view is registered
    // with it and the frame routes to it. The frame is shown by ShowFrame, once the text is in.
    static ZRReportView* Open(ZRNodeMgr* controller, const std::string& title, int helpId);
    void ShowFrame();

    void SetHelpId(int id) { m_HelpId = id; }
    int GetHelpId() const { return m_HelpId; }
    // Model text (code page 1252).
    void SetText(const std::string& text);
    std::string GetText() const;
    ZRReportDoc* GetDocument() const { return m_pDocument.get(); }
    CSizableChildFrame* GetFrame() const;

    // Print and print direct print the report, print preview previews it: through the print view
    // when there is one, else by the view itself.
    const platform::ui::CommandTable* Commands() const override;

private:
    void Print(unsigned id);

    std::unique_ptr<ZRReportDoc> m_pDocument;
    int m_HelpId = 0;
};
