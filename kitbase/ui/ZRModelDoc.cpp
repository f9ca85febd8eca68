#include "kitbase/ui/ZRModelDoc.h"

#include "kitbase/model/ZRMvcModel.h"

#include <QWidget>

#include <algorithm>

ZRModelDoc::ZRModelDoc() = default;
ZRModelDoc::~ZRModelDoc() = default;

bool ZRModelDoc::OnNewDocument() {
    return true;
}

bool ZRModelDoc::SaveModified() {
    if (m_Views.empty())
        return true;
    for (QWidget* w = m_Views.front(); w; w = w->parentWidget())
        if (auto* frame = dynamic_cast<ZRCloseQuery*>(w))
            return frame->OkToClose() != 0;
    // Documents hold no data of their own to save.
    return true;
}

void ZRModelDoc::SetModel(ZRMvcModel* model) {
    if (model != m_pModel.get())
        m_pModel.reset(model);
}

void ZRModelDoc::AddView(QWidget* view) {
    if (view && std::find(m_Views.begin(), m_Views.end(), view) == m_Views.end())
        m_Views.push_back(view);
}

void ZRModelDoc::RemoveView(QWidget* view) {
    std::erase(m_Views, view);
}
