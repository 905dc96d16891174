// Tests that run the console beside the simulated chat room, both started
// in one scratch folder.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "chat_sim.h"
#include "tamblo_app.h"

namespace e2e {

class RoomTest : public ::testing::Test {
protected:
    // The room first, so that the console registers with it.
    void Start(const std::string& scenario = "") {
        sim = std::make_unique<ChatSim>(folder, scenario);
        ASSERT_TRUE(sim->ready()) << sim->failure();
        tamblo = std::make_unique<TambloApp>(folder);
        ASSERT_TRUE(tamblo->started());
        console = tamblo->console();
    }

    ScratchFolder folder;
    std::unique_ptr<ChatSim> sim;
    std::unique_ptr<TambloApp> tamblo;
    HWND console = nullptr;
};

}  // namespace e2e
