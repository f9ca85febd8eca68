#pragma once

#include "kitbase/model/ZRCleanup.h"
#include "kitbase/model/ZRMvcModel.h"

#include <string>

// The progress of a long transfer and its cancel flag. Observers get reason ValueChanged on every step and
// reason Destroying when the transfer is cleaned up; the meter window is one of them.
class ZRProgress : public ZRMvcModel, public ZRCleanable {
public:
    // What the user interface lends the model: the meter window and the message pump.
    class Host {
    public:
        virtual ~Host() = default;
        // Opens a meter observing the model (its window closes on reason Destroying); answers whether
        // it did.
        virtual bool OpenMeter(ZRProgress* model, const std::string& text, bool cancellable) = 0;
        // Deletes the open meter; called after reason Destroying.
        virtual void CloseMeter() {}
        // Dispatches every waiting message, so that a click on Cancel gets through.
        virtual void PumpMessages() = 0;
        virtual void EnableMainWindow() = 0;
    };

    static ZRProgress* Instance();
    static void DestroyInstance();
    // Not owned; null when there is no user interface.
    static void SetHost(Host* host) { s_pHost = host; }
    static Host* GetHost() { return s_pHost; }

    // Starts a transfer of the given size and opens the meter.
    void Show(const std::string& text, double maximum, bool cancellable);
    // The value grows by step, never beyond the maximum; sends reason ValueChanged.
    void Increment(double step);
    short GetPercentDone() const { return m_PercentDone; }
    double GetValue() const { return m_Value; }
    double GetMaximum() const { return m_Maximum; }
    // Lets waiting messages through while a meter is open, then answers the flag.
    bool IsCancelled();
    void SetCancelled(bool cancelled) { m_bCancelled = cancelled; }
    bool IsMeterOpen() const { return m_bMeterOpen; }
    // Completes the bar, enables the main window, closes the meter (reason Destroying), clears the flag.
    void Cleanup() override;

    static ZRProgress* m_pInstance;

protected:
    ZRProgress() = default;
    // Sends reason Destroying and closes a meter still open.
    ~ZRProgress() override;

private:
    short m_PercentDone = 0;
    double m_Maximum = 0;
    double m_Value = 0;
    bool m_bCancelled = false;
    bool m_bMeterOpen = false;
    static Host* s_pHost;
};
