#pragma once

// Something that must be tidied up however a long operation ends.
class ZRCleanable {
public:
    virtual ~ZRCleanable() = default;
    virtual void Cleanup() = 0;
};

// Runs the cleanable's Cleanup when the scope ends, normally or by an exception.
class ZRCleanup {
public:
    explicit ZRCleanup(ZRCleanable* cleanable) : m_pCleanable(cleanable) {}
    virtual ~ZRCleanup() { m_pCleanable->Cleanup(); }
    ZRCleanup(const ZRCleanup&) = delete;
    ZRCleanup& operator=(const ZRCleanup&) = delete;

private:
    ZRCleanable* m_pCleanable;
};
