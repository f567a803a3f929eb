#pragma once

// A fixture over the display simulator's session for this test process. The
// simulated hidapi.dll that the test program loads answers from the same
// session, and child processes inherit its name.
#include "SimulatorState.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

class SimulatedDisplays : public testing::Test {
protected:
    void SetUp() override;

    // Adds plugged-in displays; returns the number of the first one.
    int AddDisplays(int count, const DisplaySim::DisplayOptions& options = {});
    // The display collection's interface of a display (its counters, what it shows).
    DisplaySim::InterfaceSlot DisplayInterface(int display) const;
    // All interfaces of a display.
    std::vector<DisplaySim::InterfaceSlot> InterfacesOf(int display) const;
    // Reports sent to (or read from) any display since the fixture started.
    std::vector<DisplaySim::LogEntry> Reports(std::uint32_t kind) const;
    unsigned DisplayOfSlot(std::uint32_t slot) const;

    DisplaySim::SimulatorState sim;
};

// The session name of this test process.
const wchar_t* TestSessionName();
