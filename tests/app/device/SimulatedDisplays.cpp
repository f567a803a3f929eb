#include "SimulatedDisplays.h"

#include <windows.h>

#include <string>

namespace {

// Named before anything loads the simulated hidapi.dll's session.
const std::wstring g_session = [] {
    const std::wstring name = L"ThermadexDeviceTests-" + std::to_wstring(GetCurrentProcessId());
    SetEnvironmentVariableW(DisplaySim::kSessionVariable, name.c_str());
    return name;
}();

} // namespace

const wchar_t* TestSessionName() { return g_session.c_str(); }

void SimulatedDisplays::SetUp()
{
    ASSERT_TRUE(sim.Open(g_session, true));
    sim.Reset();
}

int SimulatedDisplays::AddDisplays(int count, const DisplaySim::DisplayOptions& options)
{
    int first = 0;
    for (int i = 0; i < count; ++i) {
        const int display = sim.AddDisplay(options);
        EXPECT_NE(display, 0);
        if (i == 0)
            first = display;
    }
    return first;
}

DisplaySim::InterfaceSlot SimulatedDisplays::DisplayInterface(int display) const
{
    DisplaySim::InterfaceSlot slot = {};
    EXPECT_TRUE(sim.DisplayInterface(display, slot)) << "display " << display << " has no display collection";
    return slot;
}

std::vector<DisplaySim::InterfaceSlot> SimulatedDisplays::InterfacesOf(int display) const
{
    std::vector<DisplaySim::InterfaceSlot> slots;
    for (const DisplaySim::InterfaceSlot& slot : sim.Interfaces())
        if (slot.displayNumber == static_cast<std::uint32_t>(display))
            slots.push_back(slot);
    return slots;
}

std::vector<DisplaySim::LogEntry> SimulatedDisplays::Reports(std::uint32_t kind) const
{
    std::vector<DisplaySim::LogEntry> reports;
    for (const DisplaySim::LogEntry& entry : sim.LogSince(0))
        if (entry.kind == kind)
            reports.push_back(entry);
    return reports;
}

unsigned SimulatedDisplays::DisplayOfSlot(std::uint32_t slot) const
{
    const std::vector<DisplaySim::InterfaceSlot> slots = sim.Interfaces();
    return slot < slots.size() ? slots[slot].displayNumber : 0;
}
