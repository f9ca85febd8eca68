#include "kitbase/ui/ZRPaneLinks.h"

#include <QWidget>

QWidget* ZRPaneLinks::PassOn(QWidget* old) const {
    const bool fromNext = old && m_pNext && (old == m_pNext || m_pNext->isAncestorOf(old));
    return fromNext ? m_pPrevious : m_pNext;
}
