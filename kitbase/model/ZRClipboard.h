#pragma once

#include <cstdint>

class ZRObject;

// Holds the workspace object that was copied or cut, with its type and transaction count.
class ZRClipboard {
public:
    static ZRClipboard* Instance();
    static void DestroyInstance();

    // Deletes the held object and marks the clipboard empty.
    void Clear();
    ZRObject* GetObject() const { return m_pObject; }
    // Takes ownership; a held object is not deleted, so copiers call Clear first.
    void SetObject(ZRObject* object) { m_pObject = object; }
    int32_t GetType() const { return m_Type; }
    void SetType(int32_t type) { m_Type = type; }
    int32_t GetTransCount() const { return m_TransCount; }
    void SetTransCount(int32_t count) { m_TransCount = count; }

    static ZRClipboard* m_pInstance;

protected:
    ZRClipboard() = default;
    virtual ~ZRClipboard();
    ZRClipboard(const ZRClipboard&) = delete;
    ZRClipboard& operator=(const ZRClipboard&) = delete;

private:
    // -1: empty.
    int32_t m_Type = -1;
    ZRObject* m_pObject = nullptr;
    int32_t m_TransCount = 0;
};
