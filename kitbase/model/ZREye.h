#pragma once

#include <atomic>

// The activity indicator's count of work done: storages tick it once per exchange or record.
// The indicator window compares the count between repaints to animate or show "IDLE".
class ZREye {
public:
    // What the indicator window does on every tick: let its own waiting messages through.
    class View {
    public:
        virtual ~View() = default;
        virtual void OnIncrement() = 0;
    };

    static ZREye* Instance();
    static void DestroyInstance();

    void Increment();
    int GetCount() const { return m_Count.load(std::memory_order_relaxed); }
    // Not owned; null when there is no window.
    void SetView(View* view) { m_pView = view; }
    View* GetView() const { return m_pView; }

    static ZREye* m_pInstance;

protected:
    ZREye() = default;
    ~ZREye() = default;

private:
    // Atomic: a worker thread's exchanges may tick it too.
    std::atomic<int> m_Count{0};
    View* m_pView = nullptr;
};
