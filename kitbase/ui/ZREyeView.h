#pragma once

#include "kitbase/model/ZREye.h"
#include "platform/ui/TimerOwner.h"

#include <QPen>
#include <QWidget>

#include <cstdint>
#include <memory>

class QFont;
class QPainter;

namespace platform::ui {
class Dialog;
}

// The activity indicator's window: a line that moves one step per timer tick while work is being
// done, and "IDLE" otherwise. It attaches itself to the activity count when its window is made.
class ZREyeView : public QWidget, public ZREye::View, protected platform::ui::TimerOwner {
public:
    // Style bits of Create; only the visible bit changes anything.
    enum : unsigned long { StyleChild = 0x40000000, StyleVisible = 0x10000000 };

    ZREyeView();
    ~ZREyeView() override;

    // Makes the window in the parent; false when it exists already.
    virtual bool Create(const QRect& rect, QWidget* parent, unsigned long style, unsigned id);
    // Takes the place of an existing control of a built dialog instead; false without that control.
    virtual bool AttachStatic(int id, platform::ui::Dialog* parent);
    // (Re)starts the animation timer; nothing before the window exists.
    void Start();
    // Colours as 0x00BBGGRR values.
    virtual void SetColors(unsigned long foreground, unsigned long background);
    // Keeps its own copy of the font; null goes back to the window's font.
    virtual void SetFont(const QFont* font, bool redraw);
    // False when a changed period could not be started; the timer then stays stopped.
    virtual bool SetScrollDelay(unsigned ms);
    int GetScrollStep() const { return m_ScrollStep; }
    void SetScrollStep(int step) { m_ScrollStep = step; }

    bool IsCreated() const { return m_bCreated; }
    bool IsTimerRunning() const { return m_bTimerRunning; }
    unsigned GetScrollDelay() const { return m_ScrollDelay; }
    int GetTimerId() const { return m_TimerId; }
    unsigned GetCtrlId() const { return m_CtrlId; }
    // The line's place and direction, shared by every indicator.
    static int GetLinePosition() { return s_Position; }
    static int GetLineDirection() { return s_Direction; }

    // Each indicator takes the next timer id.
    static int nNextAvailTimerID;

    // Work was done: while the caller blocks, a tick that is due is handled and painted at once.
    void OnIncrement() override;

protected:
    virtual void DoPaint(QPainter& dc);
    virtual void Draw3DBorder(QPainter& dc, QRect rect);
    // Makes the pens; false fails the creation.
    virtual bool OnInitEye();

    void OnTimer(int id) override;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    bool FinishCreate();
    int CurrentCount() const;

    bool m_bTimerRunning = false;
    bool m_bCreated = false;
    unsigned m_ScrollDelay = 70;
    int m_TimerId;
    unsigned long m_Foreground = 0;
    unsigned long m_Background = 0xBEBEBE; // RGB(190, 190, 190)
    QPen m_WhitePen;
    QPen m_BlackPen;
    QPen m_ShadowPen;
    QPen m_FacePen;
    std::unique_ptr<QFont> m_pFont;
    bool m_bVisible = true;
    int m_ScrollStep = 1;
    int m_PaintedCount = 0;
    QRect m_ClientRect;
    unsigned m_CtrlId = 0;
    uint32_t m_LastTick = 0;

    static int s_Position;
    static int s_Direction;
};
