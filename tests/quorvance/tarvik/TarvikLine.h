// One simulated Tarvik drive (node 1) behind the real serial port and link, with an on-line device
// and its storage on it.
#pragma once

#include "quorvance/tarvik/TarvikStorage.h"
#include "quorvance/tarvik/ZRNoxelDevice.h"
#include "tests/support/wire/FakeClock.h"
#include "tests/support/wire/TarvikDriveSim.h"
#include "wirelink/NoxelComm.h"
#include "wirelink/SerialComm.h"

#include <cstdint>
#include <memory>
#include <optional>

class TarvikLine {
public:
    static constexpr uint8_t kLineNode = 1;

    // Opens the port and the link to the simulated drive, first giving it the product word when one
    // is given.
    void OpenLine(std::optional<uint32_t> product = {}) {
        if (product)
            sim.SetValue(kLineNode, 0, 0, *product);
        port.Init(sim.Path(), 38400);
        NoxelComm::Instance()->Init(&port);
        storage = std::make_unique<TarvikStorage>(NoxelComm::Instance(), kLineNode);
        device.SetStorage(storage.get());
        device.SetOffLine(false);
    }
    void CloseLine() {
        storage.reset();
        NoxelComm::DestroyInstance();
    }

    wiresim::Started<wiresim::TarvikDriveSim> sim;
    SerialComm port;
    FakeClock fast{20};
    std::unique_ptr<TarvikStorage> storage;
    ZRNoxelDevice device;
};
