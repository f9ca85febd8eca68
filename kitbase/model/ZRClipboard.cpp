#include "kitbase/model/ZRClipboard.h"

#include "kitbase/model/ZRObject.h"

ZRClipboard* ZRClipboard::m_pInstance = nullptr;

ZRClipboard* ZRClipboard::Instance() {
    if (!m_pInstance)
        m_pInstance = new ZRClipboard;
    return m_pInstance;
}

void ZRClipboard::DestroyInstance() {
    delete m_pInstance;
    m_pInstance = nullptr;
}

ZRClipboard::~ZRClipboard() {
    Clear();
}

void ZRClipboard::Clear() {
    delete m_pObject;
    m_pObject = nullptr;
    m_Type = -1;
}
