// An on-line root whose link settings the test chooses, and the idle loop that drives it.
#pragma once

#include "RunEvents.h"
#include "kitbase/model/ZRIdleController.h"
#include "platform/ui/Application.h"
#include "quorvance/online/ZROnLine.h"
#include "support/ModalScript.h"
#include "support/ui/UiTestApp.h"

#include <QEventLoop>
#include <QTimer>

#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <memory>
#include <string>

class OnLineFixture : public testing::Test {
protected:
    void SetUp() override {
        m_Root = std::make_unique<ZROnLine>();
        m_Root->SetLinkSettingsSource([this] { return m_Link; });
        // Tarvik nodes only, unless a test says otherwise: the other families' probes wait out
        // their time-outs on a line where nobody speaks their protocol.
        ZRScanSettings& scan = m_Root->GetScanSettings();
        scan.scanFenwa = scan.scanZelna = scan.scanMerrix = 0;
        scan.tarvikFrom = 1;
        scan.tarvikTo = 2;
    }
    void TearDown() override {
        TestApp().SetIdleHandler(nullptr);
        m_Root.reset();
    }

    // Ticks the idle controller from the real event loop, as the program does, until done() or
    // the time is up.
    bool RunIdleUntil(const std::function<bool()>& done,
                      std::chrono::milliseconds limit = std::chrono::seconds(20)) {
        TestApp().SetIdlePace(1);
        TestApp().SetIdleHandler([](long) { return ZRIdleController::Instance()->DoIdle() != 0; });
        const bool finished = RunEventsUntil(done, limit);
        TestApp().SetIdleHandler(nullptr);
        return finished;
    }
    bool ScanToEnd() {
        return RunIdleUntil([this] { return !m_Root->IsScanning(); });
    }

    ZRLinkSettings m_Link;
    std::unique_ptr<ZROnLine> m_Root;
};
