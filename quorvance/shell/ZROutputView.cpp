#include "quorvance/shell/ZROutputView.h"

#include "platform/ui/CommandIds.h"
#include "platform/ui/DockBar.h"
#include "platform/ui/Guard.h"
#include "platform/ui/HelpRequest.h"
#include "platform/ui/Text.h"
#include "quorvance/shell/QuorvanceIds.h"
#include "quorvance/shell/ZROutputDoc.h"

#include <QEvent>
#include <QMouseEvent>
#include <QTextBlock>

#include <cstdlib>

using namespace platform::ui::ids;

namespace {
// A message line is looked at up to this length.
constexpr int kMaxLine = 100;
} // namespace

ZROutputView::ZROutputView(QWidget* parent) : QPlainTextEdit(parent), m_pDocument(new ZROutputDoc) {
    setReadOnly(true);
    setWindowTitle(QStringLiteral("Output"));
    m_pDocument->SetTitle("Output");
    m_pDocument->AddView(this);
}

ZROutputView::~ZROutputView() {
    if (m_pWatchedBar)
        m_pWatchedBar->removeEventFilter(this);
    delete m_pDocument;
}

void ZROutputView::Clear() {
    clear();
}

void ZROutputView::AppendLine(const std::string& line) {
    appendPlainText(platform::ui::ToQString(line));
}

std::string ZROutputView::GetText() const {
    return platform::ui::FromQString(toPlainText());
}

bool ZROutputView::ParseSourceLine(const std::string& line, std::string& file, int& number) {
    const std::string text = line.substr(0, kMaxLine);
    size_t first = text.find(':');
    if (first == std::string::npos)
        return false;
    size_t second = text.find(':', first + 1);
    if (second == std::string::npos)
        return false;
    const std::string digits = text.substr(first + 1, second - first - 1);
    number = static_cast<int>(std::strtol(digits.c_str(), nullptr, 10));
    if (number == 0)
        return false;
    file = text.substr(0, first);
    return true;
}

bool ZROutputView::GoToSourceLine(const std::string& line) {
    std::string file;
    int number = 0;
    if (!m_SourceLine || !ParseSourceLine(line, file, number))
        return false;
    m_SourceLine(file, number);
    return true;
}

void ZROutputView::mouseDoubleClickEvent(QMouseEvent* event) {
    QPlainTextEdit::mouseDoubleClickEvent(event);
    const std::string line =
        platform::ui::FromQString(cursorForPosition(event->position().toPoint()).block().text());
    platform::ui::Guard("output double click", [&] { GoToSourceLine(line); });
}

const platform::ui::CommandTable* ZROutputView::Commands() const {
    using Row = platform::ui::CommandRow<ZROutputView>;
    static const platform::ui::CommandTable table{
        Row(ID_FILE_SAVE, nullptr, platform::ui::kCommandDisabled),
        Row(ID_FILE_CLOSE, nullptr, platform::ui::kCommandDisabled),
        Row(ID_EDIT_REPLACE, nullptr, platform::ui::kCommandDisabled),
        // The output is read-only: Cut does nothing.
        Row(
            ID_EDIT_CUT, [](ZROutputView&) {}, platform::ui::kCommandDisabled),
        Row(ID_HELP,
            [](ZROutputView&) { platform::ui::ShowHelp(kHelpTopicOutput, platform::ui::HELP_CONTEXT); }),
    };
    return &table;
}

bool ZROutputView::event(QEvent* event) {
    if (event->type() == QEvent::ParentChange)
        WatchBar();
    return QPlainTextEdit::event(event);
}

void ZROutputView::WatchBar() {
    QWidget* bar = nullptr;
    for (QWidget* w = parentWidget(); w && !bar; w = w->parentWidget())
        if (dynamic_cast<platform::ui::DockBar*>(w))
            bar = w;
    if (bar == m_pWatchedBar)
        return;
    if (m_pWatchedBar)
        m_pWatchedBar->removeEventFilter(this);
    m_pWatchedBar = bar;
    if (bar)
        bar->installEventFilter(this);
}

bool ZROutputView::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_pWatchedBar && event->type() == QEvent::Close) {
        platform::ui::Guard("output close", [&] { m_pDocument->CanCloseFrame(this); });
        event->ignore();
        return true;
    }
    return QPlainTextEdit::eventFilter(watched, event);
}
