#include "app/device/SensorMapping.h"

#include "app/device/SensorFeed.h"

SensorMapping::~SensorMapping()
{
    if (const SensorRecord* view = m_pSensor.load())
        UnmapViewOfFile(view);
    if (m_hMapping)
        CloseHandle(m_hMapping);
}

bool SensorMapping::MapIfNeeded()
{
    if (Record())
        return true;
    HANDLE mapping = nullptr;
    const SensorRecord* view = nullptr;
    bool createdNew = false;
    if (!MapSensorMemory(mapping, view, createdNew))
        return false;
    m_hMapping = mapping;
    m_pSensor.store(view, std::memory_order_release);
    return true;
}
