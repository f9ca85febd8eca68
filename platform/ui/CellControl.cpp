#include "platform/ui/CellControl.h"

#include "platform/ui/CellStyle.h"
#include "platform/ui/Grid.h"
#include "platform/ui/Resources.h"
#include "platform/ui/Text.h"

#include <QFontMetrics>
#include <QPainter>
#include <QPalette>
#include <QPixmap>
#include <QWidget>

namespace platform::ui {

namespace {
constexpr int kMarginX = 3;
constexpr int kMarginY = 2;
ControlFactory* g_factory = nullptr;

int TextFlags(const CellStyle& style) {
    int flags = Qt::AlignVCenter;
    switch (style.align) {
    case CellAlign::Left:
        flags |= Qt::AlignLeft;
        break;
    case CellAlign::Centre:
        flags |= Qt::AlignHCenter;
        break;
    case CellAlign::Right:
        flags |= Qt::AlignRight;
        break;
    }
    flags |= style.wordWrap ? Qt::TextWordWrap : Qt::TextSingleLine;
    return flags;
}
} // namespace

void SetControlFactory(ControlFactory* factory) {
    g_factory = factory;
}
ControlFactory* GetControlFactory() {
    return g_factory;
}

CellControl::CellControl() = default;
CellControl::~CellControl() = default; // the editor belongs to the grid's viewport

void CellControl::DrawText(const CellPaint& paint, const QRect& rect, const std::string& text) {
    const CellStyle& style = *paint.style;
    QPainter& p = *paint.painter;
    int bitmap = Resources::ParseBitmapText(text);
    if (bitmap >= 0) {
        QPixmap pixmap = Resources::Pixmap(bitmap);
        if (!pixmap.isNull()) {
            int x = rect.left() + kMarginX;
            if (style.align == CellAlign::Centre)
                x = rect.left() + (rect.width() - pixmap.width()) / 2;
            else if (style.align == CellAlign::Right)
                x = rect.right() - kMarginX - pixmap.width();
            p.drawPixmap(x, rect.top() + (rect.height() - pixmap.height()) / 2, pixmap);
            return;
        }
    }
    p.setFont(paint.font);
    p.setPen(ToQColor(style.textColour, *paint.palette, paint.palette->color(QPalette::Text)));
    p.drawText(rect.adjusted(kMarginX, kMarginY, -kMarginX, -kMarginY), TextFlags(style), ToQString(text));
}

void CellControl::Paint(const CellPaint& paint) const {
    const CellStyle& style = *paint.style;
    paint.painter->fillRect(paint.rect,
                            ToQColor(style.interior, *paint.palette, paint.palette->color(QPalette::Base)));
    DrawText(paint, paint.rect, DisplayText(style));
}

std::string CellControl::DisplayText(const CellStyle& style) const {
    return style.value;
}

QSize CellControl::ContentSize(const CellStyle& style, const QFont& font, int width) const {
    std::string text = DisplayText(style);
    int bitmap = Resources::ParseBitmapText(text);
    if (bitmap >= 0) {
        QPixmap pixmap = Resources::Pixmap(bitmap);
        if (!pixmap.isNull())
            return {pixmap.width() + 2 * kMarginX, pixmap.height() + 2 * kMarginY};
    }
    QFontMetrics metrics(font);
    QString t = ToQString(text);
    QSize size;
    if (style.wordWrap && width > 2 * kMarginX)
        size = metrics.boundingRect(QRect(0, 0, width - 2 * kMarginX, 100000), TextFlags(style), t).size();
    else
        size = metrics.size(Qt::TextSingleLine, t);
    size.setHeight(std::max(size.height(), metrics.height()));
    return {size.width() + 2 * kMarginX, size.height() + 2 * kMarginY};
}

QSize CellControl::SizeHint(const CellStyle& style, const QFont& font, int width) const {
    QSize size = ContentSize(style, font, width);
    int buttons = 0;
    for (int b = 0; b < ButtonCount(style); ++b)
        buttons += ButtonRect(QRect(0, 0, 1000, size.height()), b).width();
    return {size.width() + buttons, size.height()};
}

int CellControl::ButtonCount(const CellStyle&) const {
    return 0;
}
QRect CellControl::ButtonRect(const QRect&, int) const {
    return {};
}
bool CellControl::ButtonActsOnPress(int) const {
    return false;
}
void CellControl::OnButton(int) {}
bool CellControl::OnSpace() {
    return false;
}
bool CellControl::CanActivate(const CellStyle&) const {
    return false;
}

QWidget* CellControl::Editor() {
    if (!m_editor && m_grid) {
        m_editor = CreateEditor(m_grid->viewport());
        if (m_editor)
            m_grid->PrepareEditor(m_editor);
    }
    return m_editor;
}

QWidget* CellControl::CreateEditor(QWidget*) {
    return nullptr;
}
void CellControl::Load(const CellStyle&) {}
void CellControl::Begin(const QString&) {}
std::string CellControl::Value(const CellStyle& style) const {
    return style.value;
}
std::string CellControl::Text() const {
    return {};
}
void CellControl::SetValue(const std::string&, const CellStyle&) {}
void CellControl::Restyle(const CellStyle&) {}
bool CellControl::StoresOnCommit() const {
    return true;
}
void CellControl::DropDown() {}
bool CellControl::PopupKey(QKeyEvent&) {
    return false;
}
void CellControl::End() {}

void CellControl::UserModified() {
    if (m_grid && m_grid->m_activeControl == this)
        m_grid->ControlModified();
}

void CellControl::SetModified() {
    if (m_grid && m_grid->m_activeControl == this)
        m_grid->m_modified = true;
}

bool CellControl::ForwardKey(QWidget* sender, QKeyEvent& event) {
    return m_grid && m_grid->DispatchKey(sender, event);
}

void CellControl::NotifyButtonClicked() {
    int row = 0, col = 0;
    if (CurrentCell(row, col))
        m_grid->NotifyButtonClicked(row, col);
}

bool CellControl::CurrentCell(int& row, int& col) const {
    return m_grid && m_grid->GetCurrentCell(row, col);
}

const CellStyle* CellControl::CurrentStyle() const {
    int row = 0, col = 0;
    return CurrentCell(row, col) ? &m_grid->Style(row, col) : nullptr;
}

bool CellControl::IsActive() const {
    return m_grid && m_grid->m_active && m_grid->m_activeControl == this;
}

} // namespace platform::ui
