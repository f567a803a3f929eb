#pragma once

#include "app/device/SensorRecord.h"

#include <windows.h>

#include <atomic>

// The main window's read-only view of the companion's record: made by the
// first rescan that succeeds, then fixed for the rest of the run. The worker
// maps it; the worker and the window thread read the pointer, which is
// published once with release ordering.
class SensorMapping {
public:
    SensorMapping() = default;
    SensorMapping(const SensorMapping&) = delete;
    SensorMapping& operator=(const SensorMapping&) = delete;
    ~SensorMapping();

    // Maps the record unless it is mapped already; true when it is mapped.
    bool MapIfNeeded();
    // The record, or null while it is not mapped.
    const SensorRecord* Record() const { return m_pSensor.load(std::memory_order_acquire); }

private:
    HANDLE m_hMapping = nullptr;
    std::atomic<const SensorRecord*> m_pSensor{nullptr};
};
