#include "app/device/CHidDeviceManager.h"

#include "app/device/DisplayIds.h"
#include "app/device/FirmwareVersion.h"

#include <windows.h>

#include <algorithm>
#include <cstring>

namespace {

constexpr std::size_t kFeatureReportLength = 65;
constexpr std::size_t kProductStringLength = 512;
constexpr DWORD kFirmwareStepPauseMs = 16;

bool IsDisplayCollection(const hid_device_info& info)
{
    return info.usage_page == kDisplayUsagePage && info.usage == kDisplayUsage;
}

} // namespace

CHidDeviceManager& CHidDeviceManager::Instance()
{
    static CHidDeviceManager manager;
    return manager;
}

CHidDeviceManager::CHidDeviceManager() { hid_init(); }

CHidDeviceManager::~CHidDeviceManager()
{
    CloseAll();
    m_displays.clear();
    hid_exit();
}

void CHidDeviceManager::ClearFilters() { m_filters.clear(); }

void CHidDeviceManager::AddFilter(std::uint32_t vendorId, std::uint32_t productId)
{
    m_filters.push_back({vendorId, productId});
}

void CHidDeviceManager::CloseAll()
{
    if (!m_ready)
        return;
    m_ready = false;
    m_displays.clear(); // each record closes its device
    m_count.store(0);
}

void CHidDeviceManager::OpenMatching()
{
    hid_device_info* interfaces = hid_enumerate(0, 0);
    for (const hid_device_info* info = interfaces; info; info = info->next) {
        const auto filter = std::find_if(m_filters.begin(), m_filters.end(), [info](const HidDeviceFilter& f) {
            return f.vendorId == info->vendor_id && f.productId == info->product_id;
        });
        if (filter == m_filters.end() || !info->path)
            continue;
        hid_device* device = hid_open_path(info->path);
        if (!device)
            continue;
        if (!IsDisplayCollection(*info)) {
            hid_close(device);
            continue;
        }
        wchar_t product[kProductStringLength] = {};
        if (hid_get_product_string(device, product, kProductStringLength) != 0)
            product[0] = L'\0'; // a failed read leaves the name empty
        product[kProductStringLength - 1] = L'\0';
        const int position = static_cast<int>(m_displays.size());
        m_displays.push_back(std::make_unique<HidDisplay>(position, *info, product, device));
        m_count.store(static_cast<int>(m_displays.size()));
    }
    hid_free_enumeration(interfaces);
}

bool CHidDeviceManager::SendFeatureToAll(const std::uint8_t* report)
{
    if (!m_ready)
        return false;
    std::uint8_t buffer[kFeatureReportLength] = {};
    std::memcpy(buffer, report, kFeatureReportLength - 1);
    const std::size_t count = m_displays.size();
    for (std::size_t i = 0; i < count; ++i) {
        if (m_displays[i]->Device())
            m_displays[i]->SendFeatureReport(buffer, kFeatureReportLength);
    }
    return true;
}

bool CHidDeviceManager::FirstDisplayOpen() const
{
    return m_ready && !m_displays.empty() && m_displays.front()->Device();
}

int CHidDeviceManager::SendFeatureToFirst(const std::uint8_t* report)
{
    if (!FirstDisplayOpen())
        return -1;
    return m_displays.front()->SendFeatureReport(report, kFirmwareReportSize);
}

int CHidDeviceManager::GetFeatureFromFirst(std::uint8_t* report)
{
    if (!FirstDisplayOpen())
        return -1;
    return m_displays.front()->GetFeatureReport(report, kFirmwareReportSize);
}

bool CHidDeviceManager::QueryFirmwareVersion(int& version)
{
    if (!FirstDisplayOpen())
        return false;
    const FirmwareReport request = FirmwareVersionRequest();
    Sleep(kFirmwareStepPauseMs);
    if (SendFeatureToFirst(request.data()) <= 0)
        return false;
    Sleep(kFirmwareStepPauseMs);
    // The reply replaces a copy of the request, so byte 0 asks for report 7.
    FirmwareReport reply = request;
    if (GetFeatureFromFirst(reply.data()) < 0)
        return false;
    if (!IsFirmwareVersionReply(reply)) {
        Sleep(kFirmwareStepPauseMs);
        reply = request;
        if (GetFeatureFromFirst(reply.data()) < 0)
            return false;
    }
    version = FirmwareVersionFromReply(reply);
    return true;
}

const HidDisplay* CHidDeviceManager::Display(int index) const
{
    if (index < 0 || index >= static_cast<int>(m_displays.size()))
        return nullptr;
    return m_displays[static_cast<std::size_t>(index)].get();
}
