#pragma once

#include "platform/ui/View.h"

#include <QPlainTextEdit>
#include <QPointer>

#include <functional>
#include <string>

class ZROutputDoc;

// The docked Output window, where program builds write their messages. A double click on a
// message "file:line:..." opens that source line through the owner of the build output.
class ZROutputView : public QPlainTextEdit, public platform::ui::View {
public:
    using SourceLineHandler = std::function<void(const std::string& file, int line)>;

    // The view keeps the output document, which lives as long as it does.
    explicit ZROutputView(QWidget* parent = nullptr);
    ~ZROutputView() override;

    ZROutputDoc* GetDocument() const { return m_pDocument; }

    // Model text (code page 1252).
    void Clear();
    void AppendLine(const std::string& line);
    std::string GetText() const;

    // The owner of the build output; null: double clicks do nothing.
    void SetSourceLineHandler(SourceLineHandler handler) { m_SourceLine = std::move(handler); }
    // Opens the source line the message names: false when the line does not name one (no two ":",
    // or line number 0) or nobody owns the build output.
    bool GoToSourceLine(const std::string& line);
    // Splits "file:line:..." into the file and the line number; false without both ":" or with
    // line 0.
    static bool ParseSourceLine(const std::string& line, std::string& file, int& number);

    const platform::ui::CommandTable* Commands() const override;

protected:
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    bool event(QEvent* event) override;

private:
    // Watches the docking bar that holds the view, so its close only toggles it.
    void WatchBar();

    ZROutputDoc* m_pDocument;
    QPointer<QWidget> m_pWatchedBar;
    SourceLineHandler m_SourceLine;
};
