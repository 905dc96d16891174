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
    void Start(const std::string& scenario = "") { StartWith(scenario, "", TambloApp::Library::Absent); }

    // With a settings file, and the simulated library beside the program.
    void StartWith(const std::string& scenario, const std::string& settings, TambloApp::Library library) {
        if (!settings.empty()) folder.Write("SCONTROL.TXT", settings);
        sim = std::make_unique<ChatSim>(folder, scenario);
        ASSERT_TRUE(sim->ready()) << sim->failure();
        tamblo = std::make_unique<TambloApp>(folder, library);
        ASSERT_TRUE(tamblo->started());
        console = tamblo->console();
    }

    ScratchFolder folder;
    std::unique_ptr<ChatSim> sim;
    std::unique_ptr<TambloApp> tamblo;
    HWND console = nullptr;
};

}  // namespace e2e
