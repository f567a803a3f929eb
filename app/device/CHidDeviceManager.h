#pragma once

#include "app/device/HidDisplay.h"

#include <atomic>
#include <cstdint>
#include <memory>
#include <vector>

// A vendor and product id pair that a scan accepts.
struct HidDeviceFilter {
    std::uint32_t vendorId = 0;
    std::uint32_t productId = 0;
};

// The one owner of the open displays: filters, the display list in scan
// order and the ready flag. Everything but Instance and DisplayCount runs on
// the worker thread, so the lists need no lock; the window thread reads only
// the atomic display count.
class CHidDeviceManager {
public:
    // The process-wide manager, created on first use (safe when two threads
    // arrive together) and destroyed at process exit.
    static CHidDeviceManager& Instance();

    CHidDeviceManager();
    CHidDeviceManager(const CHidDeviceManager&) = delete;
    CHidDeviceManager& operator=(const CHidDeviceManager&) = delete;
    ~CHidDeviceManager();

    void ClearFilters();
    void AddFilter(std::uint32_t vendorId, std::uint32_t productId);
    // Closes and drops every display; does nothing before the first completed scan.
    void CloseAll();
    // Opens every present interface that matches a filter and is the display
    // collection, appending it to the list. Other matching interfaces are
    // opened and closed again.
    void OpenMatching();
    // Marks the scan as complete: sending and querying work from now on.
    void SetReady() { m_ready = true; }
    bool IsReady() const { return m_ready; }

    // Sends the 64 bytes (byte 0 the report id) with one zero byte appended,
    // as a 65-byte feature report, to every open display in list order.
    // Failed sends are ignored. False only before a completed scan.
    bool SendFeatureToAll(const std::uint8_t* report);
    // Asks the first display for its firmware version; on failure `version`
    // is left as it was.
    bool QueryFirmwareVersion(int& version);
    // The first display's single feature-report send and read, 64 bytes each.
    int SendFeatureToFirst(const std::uint8_t* report);
    int GetFeatureFromFirst(std::uint8_t* report);

    // Number of displays in the list; safe on any thread.
    int DisplayCount() const { return m_count.load(); }
    // The display at `index` in list order (worker thread only).
    const HidDisplay* Display(int index) const;

private:
    bool FirstDisplayOpen() const;

    bool m_ready = false;
    std::vector<std::unique_ptr<HidDisplay>> m_displays;
    std::vector<HidDeviceFilter> m_filters;
    std::atomic<int> m_count{0};
};
