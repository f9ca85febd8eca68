#include "kitbase/ui/ZRTabView.h"

#include "platform/ui/ChildFrame.h"
#include "platform/ui/CommandIds.h"
#include "platform/ui/Guard.h"
#include "platform/ui/TabView.h"

#include <QPushButton>

unsigned int ZRTabView::m_ID = 1;

ZRTabView::ZRTabView(QWidget* parent)
    : QWidget(parent), m_pClose(new QPushButton(QStringLiteral("Close"), this)) {
    // Close is the frame's close command.
    connect(m_pClose, &QPushButton::clicked, this, [this] {
        platform::ui::Guard("tab view close", [&] {
            if (platform::ui::ChildFrame* frame = platform::ui::ChildFrame::FrameOf(this))
                for (platform::ui::CommandTarget* target : frame->CommandChain())
                    if (target->OnCommand(platform::ui::ids::ID_FILE_CLOSE))
                        return;
        });
    });
}

ZRTabView::~ZRTabView() {
    Notify(3);
    // The tab window hands the pages back unparented when it goes.
    delete m_pTabWnd;
}

void ZRTabView::AddTab(QWidget* page, const char* label) {
    if (!page)
        return;
    m_PageRect = m_PageRect.united(QRect(QPoint(0, 0), page->frameGeometry().size()));
    m_Pages.push_back(page);
    m_Labels.emplace_back(label ? label : "");
}

bool ZRTabView::SetTabFont(int pointSizeTimes10, const char* face) {
    if (!m_pTabWnd || !face)
        return false;
    return m_pTabWnd->SetTabFont(pointSizeTimes10, face);
}

void ZRTabView::OnInitialUpdate() {
    const int width = m_PageRect.width();
    const int height = m_PageRect.height();
    if (platform::ui::ChildFrame* frame = platform::ui::ChildFrame::FrameOf(this))
        frame->resize(width + 20, height + 95);

    m_pTabWnd = new platform::ui::TabView(this);
    m_TabWndId = m_ID++;
    m_pTabWnd->setGeometry(0, 0, width + 10, height + 30);
    m_pTabWnd->show();
    for (size_t i = 0; i < m_Pages.size(); ++i)
        m_pTabWnd->AddPage(m_Pages[i], m_Labels[i]);

    m_pClose->setGeometry(width - 50, height + 35, 57, 25);
    m_pTabWnd->SetCurrentPage(0);
    SetTabFont(80, "MS Sans Serif");
}
