// A line of simulated Fenwa drives (nodes 1 and 2) and the storage of the drive at node 1.
#pragma once

#include "kitbase/model/ZRError.h"
#include "quorvance/fenwa/FenwaStorage.h"
#include "tests/support/wire/FakeClock.h"
#include "tests/support/wire/FenwaDriveSim.h"
#include "wirelink/FenwaComm.h"
#include "wirelink/SerialComm.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

// The ZRError an operation threw; a failure when it threw none.
inline ZRError FenwaErrorOf(const std::function<void()>& operation) {
    try {
        operation();
    } catch (const ZRError& e) {
        return e;
    }
    ADD_FAILURE() << "no ZRError";
    return ZRError(-1, "<none>");
}

class FenwaLine : public ::testing::Test {
protected:
    void SetUp() override {
        port.Init(sim.Path(), 38400);
        comm = FenwaComm::Instance();
        comm->Init(&port);
        storage = std::make_unique<FenwaStorage>(comm, 1);
    }
    void TearDown() override {
        storage.reset();
        FenwaComm::DestroyInstance();
    }

    // The command texts (data included) the drives received since the last call.
    std::vector<std::string> Sent() {
        std::vector<std::string> texts;
        std::vector<wiresim::CommandRequest> requests = sim.Requests();
        for (size_t i = m_seen; i < requests.size(); ++i)
            texts.push_back(requests[i].command);
        m_seen = requests.size();
        return texts;
    }
    // The drive answers every request of one command with this reply text.
    void AnswerWith(const std::string& reply) {
        sim.SetHandler([reply](const wiresim::CommandRequest& r) -> std::optional<wiresim::CommandAnswer> {
            return wiresim::CommandAnswer::Text("#" + r.command.substr(0, 3) + reply);
        });
    }

    wiresim::Started<wiresim::FenwaDriveSim> sim{std::set<uint8_t>{1, 2}};
    SerialComm port;
    // Silence lasts seconds of the link's clock: let them pass twenty times as fast.
    FakeClock fast{20};
    FenwaComm* comm = nullptr;
    std::unique_ptr<FenwaStorage> storage;

private:
    size_t m_seen = 0;
};
