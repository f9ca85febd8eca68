#include "kitbase/ui/ZREyeView.h"

#include "platform/core/Clock.h"
#include "platform/ui/Colour.h"
#include "platform/ui/Dialog.h"
#include "platform/ui/Guard.h"

#include <QFont>
#include <QLayout>
#include <QPainter>
#include <QPixmap>
#include <QThread>

int ZREyeView::nNextAvailTimerID = 100;
int ZREyeView::s_Position = 1;
int ZREyeView::s_Direction = 1;

namespace {
QColor FromBgr(unsigned long bgr) {
    return QColor(int(bgr & 0xFF), int((bgr >> 8) & 0xFF), int((bgr >> 16) & 0xFF));
}
} // namespace

ZREyeView::ZREyeView() : m_TimerId(nNextAvailTimerID++) {
    // The paint covers every pixel; nothing is erased first.
    setAttribute(Qt::WA_OpaquePaintEvent);
    m_PaintedCount = CurrentCount();
}

ZREyeView::~ZREyeView() {
    if (ZREye::m_pInstance && ZREye::m_pInstance->GetView() == this)
        ZREye::m_pInstance->SetView(nullptr);
}

int ZREyeView::CurrentCount() const {
    return ZREye::m_pInstance ? ZREye::m_pInstance->GetCount() : m_PaintedCount;
}

bool ZREyeView::Create(const QRect& rect, QWidget* parent, unsigned long style, unsigned id) {
    if (m_bCreated)
        return false;
    setParent(parent);
    setGeometry(rect);
    m_CtrlId = id;
    if (!FinishCreate())
        return false;
    if (style & StyleVisible)
        show();
    return true;
}

bool ZREyeView::AttachStatic(int id, platform::ui::Dialog* parent) {
    QWidget* control = parent ? parent->Item(id) : nullptr;
    if (m_bCreated || !control)
        return false;
    QWidget* owner = control->parentWidget();
    setParent(owner);
    setGeometry(control->geometry());
    if (owner && owner->layout())
        delete owner->layout()->replaceWidget(control, this);
    control->hide();
    m_CtrlId = unsigned(id);
    if (!FinishCreate())
        return false;
    show();
    return true;
}

bool ZREyeView::FinishCreate() {
    m_ClientRect = rect();
    if (!OnInitEye())
        return false;
    m_bCreated = true;
    ZREye::Instance()->SetView(this);
    return true;
}

bool ZREyeView::OnInitEye() {
    m_WhitePen = QPen(Qt::white, 1);
    m_BlackPen = QPen(Qt::black, 1);
    m_ShadowPen =
        QPen(platform::ui::ToQColor(platform::ui::Colour::System(platform::ui::Colour::ButtonShadow),
                                    palette(), Qt::darkGray),
             1);
    m_FacePen = QPen(platform::ui::ToQColor(platform::ui::Colour::System(platform::ui::Colour::ButtonFace),
                                            palette(), Qt::lightGray),
                     1);
    return true;
}

void ZREyeView::Start() {
    if (!m_bCreated)
        return;
    m_bTimerRunning = SetTimer(m_TimerId, m_ScrollDelay);
    m_LastTick = platform::core::TickCount();
}

void ZREyeView::SetColors(unsigned long foreground, unsigned long background) {
    m_Foreground = foreground;
    m_Background = background;
    update();
}

void ZREyeView::SetFont(const QFont* font, bool redraw) {
    m_pFont = font ? std::make_unique<QFont>(*font) : nullptr;
    if (redraw && m_bCreated)
        update();
}

bool ZREyeView::SetScrollDelay(unsigned ms) {
    if (ms == m_ScrollDelay)
        return true;
    m_ScrollDelay = ms;
    if (!m_bCreated)
        return true;
    KillTimer(m_TimerId);
    m_bTimerRunning = SetTimer(m_TimerId, m_ScrollDelay);
    m_LastTick = platform::core::TickCount();
    return m_bTimerRunning;
}

void ZREyeView::OnTimer(int id) {
    if (id != m_TimerId)
        return;
    m_LastTick = platform::core::TickCount();
    update();
}

void ZREyeView::OnIncrement() {
    // Worker threads count too, but only the window's own thread may paint.
    if (!m_bCreated || !m_bTimerRunning || QThread::currentThread() != thread())
        return;
    if (platform::core::TickCount() - m_LastTick < m_ScrollDelay)
        return;
    m_LastTick = platform::core::TickCount();
    repaint();
}

void ZREyeView::paintEvent(QPaintEvent*) {
    platform::ui::Guard("activity indicator", [this] {
        if (!m_bVisible || m_ClientRect.isEmpty())
            return;
        QPixmap buffer(m_ClientRect.size());
        {
            QPainter memory(&buffer);
            DoPaint(memory);
        }
        QPainter(this).drawPixmap(0, 0, buffer);
    });
}

void ZREyeView::DoPaint(QPainter& dc) {
    const QRect& r = m_ClientRect;
    dc.fillRect(r, FromBgr(m_Background));
    dc.setPen(FromBgr(m_Foreground));
    dc.setBackgroundMode(Qt::TransparentMode);
    if (m_pFont)
        dc.setFont(*m_pFont);
    const int count = CurrentCount();
    if (count == m_PaintedCount) {
        dc.drawText(r, Qt::AlignCenter | Qt::TextSingleLine, QStringLiteral("IDLE"));
    } else {
        m_PaintedCount = count;
        // Edges as the window has them: right is one past the last column.
        const int left = r.left();
        const int right = r.left() + r.width();
        s_Position += m_ScrollStep * s_Direction;
        if (s_Position < left) {
            s_Position = left;
            s_Direction = -s_Direction;
        } else if (s_Position > right) {
            s_Position = right;
            s_Direction = -s_Direction;
        }
        // Two pixels wide, centred on the position as a two-pixel pen would be.
        dc.fillRect(QRect(s_Position - 1, r.top(), 2, r.height()), FromBgr(m_Foreground));
    }
    Draw3DBorder(dc, r);
}

void ZREyeView::Draw3DBorder(QPainter& dc, QRect rect) {
    const int left = rect.left();
    const int top = rect.top();
    const int right = rect.left() + rect.width();
    const int bottom = rect.top() + rect.height();
    dc.setPen(m_ShadowPen);
    dc.drawLine(left, bottom - 2, left, top);
    dc.drawLine(left, top, right - 2, top);
    dc.setPen(m_WhitePen);
    dc.drawLine(right - 1, top, right - 1, bottom - 1);
    dc.drawLine(right - 1, bottom - 1, left, bottom - 1);
    dc.setPen(m_FacePen);
    dc.drawLine(right - 2, top + 1, right - 2, bottom - 2);
    dc.drawLine(right - 2, bottom - 2, left + 1, bottom - 2);
}

void ZREyeView::resizeEvent(QResizeEvent* event) {
    m_ClientRect = rect();
    QWidget::resizeEvent(event);
}

void ZREyeView::showEvent(QShowEvent* event) {
    m_bVisible = true;
    QWidget::showEvent(event);
}

void ZREyeView::hideEvent(QHideEvent* event) {
    m_bVisible = false;
    QWidget::hideEvent(event);
}
