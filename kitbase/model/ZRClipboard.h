#pragma once

#include <cstdint>
#include <memory>

class ZRObject;

// Holds the workspace object that was copied or cut, with its type and transaction count.
class ZRClipboard {
public:
    static ZRClipboard* Instance();
    static void DestroyInstance();

    // Deletes the held object and marks the clipboard empty.
    void Clear();
    ZRObject* GetObject() const { return m_pObject.get(); }
    // Holds the object in place of (and deleting) the one held so far.
    void SetObject(std::unique_ptr<ZRObject> object);
    // Hands the held object to the caller; the clipboard keeps its type and count.
    std::unique_ptr<ZRObject> TakeObject();
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
    std::unique_ptr<ZRObject> m_pObject;
    int32_t m_TransCount = 0;
};
