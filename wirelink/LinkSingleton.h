// The one instance of a link class, made on first use. Its destructor forgets it, so a
// destroyed link is made anew by the next Instance().
#pragma once

template <class T> class LinkSingleton {
public:
    static T* Instance() {
        if (!pInstance)
            pInstance = new T;
        return pInstance;
    }
    static void DestroyInstance() { delete pInstance; }

protected:
    LinkSingleton() = default;
    ~LinkSingleton() {
        if (pInstance == this)
            pInstance = nullptr;
    }

    static inline T* pInstance = nullptr;
};
