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
    m_pObject.reset();
    m_Type = -1;
}

void ZRClipboard::SetObject(std::unique_ptr<ZRObject> object) {
    m_pObject = std::move(object);
}

std::unique_ptr<ZRObject> ZRClipboard::TakeObject() {
    return std::move(m_pObject);
}
