#pragma once

#include <hidapi.h>

#include <cstddef>
#include <cstdint>
#include <string>

// One open display as the last scan found it. Owns its hidapi device and
// closes it when destroyed; every operation on the display uses that handle.
class HidDisplay {
public:
    HidDisplay(int position, const hid_device_info& info, std::wstring productString, hid_device* device);
    HidDisplay(const HidDisplay&) = delete;
    HidDisplay& operator=(const HidDisplay&) = delete;
    ~HidDisplay();

    int Position() const { return m_position; }
    std::uint16_t VendorId() const { return m_vendorId; }
    std::uint16_t ProductId() const { return m_productId; }
    const std::string& Path() const { return m_path; }
    const std::wstring& ProductString() const { return m_productString; }
    int ReleaseNumber() const { return m_releaseNumber; }
    hid_device* Device() const { return m_device; }

    // hidapi's feature-report calls: byte 0 is the report id; the result is
    // the byte count or -1.
    int SendFeatureReport(const std::uint8_t* data, std::size_t length);
    int GetFeatureReport(std::uint8_t* data, std::size_t length);

private:
    int m_position;
    std::uint16_t m_vendorId;
    std::uint16_t m_productId;
    std::string m_path;
    std::wstring m_productString;
    int m_releaseNumber;
    hid_device* m_device;
};
