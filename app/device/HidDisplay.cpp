#include "app/device/HidDisplay.h"

#include <utility>

HidDisplay::HidDisplay(int position, const hid_device_info& info, std::wstring productString, hid_device* device)
    : m_position(position)
    , m_vendorId(info.vendor_id)
    , m_productId(info.product_id)
    , m_path(info.path ? info.path : "")
    , m_productString(std::move(productString))
    , m_releaseNumber(info.release_number)
    , m_device(device)
{
}

HidDisplay::~HidDisplay()
{
    if (m_device)
        hid_close(m_device);
}

int HidDisplay::SendFeatureReport(const std::uint8_t* data, std::size_t length)
{
    return m_device ? hid_send_feature_report(m_device, data, length) : -1;
}

int HidDisplay::GetFeatureReport(std::uint8_t* data, std::size_t length)
{
    return m_device ? hid_get_feature_report(m_device, data, length) : -1;
}
