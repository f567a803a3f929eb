// hidapi.dll for simulated displays: the same exported functions and
// signatures as hidapi, answering from the shared simulator session instead of
// real HID devices. A display takes feature report 7: a temperature report
// (digits in bytes 1 to 6) changes what it shows; the version request
// (byte 1 = 0xFD) makes the next feature read return 07, high byte, low byte.
#include "SimulatorState.h"

#include <hidapi.h>
#include <hidapi_winapi.h>

#include <cstdlib>
#include <cstring>
#include <cwchar>
#include <mutex>

using DisplaySim::InterfaceSlot;
using DisplaySim::SharedState;
using DisplaySim::SimulatorState;

struct hid_device_ {
    std::uint32_t slot;
    std::uint32_t generation;
    int nonblocking;
    hid_device_info* info;
    const wchar_t* lastError;
};

namespace {

constexpr std::uint8_t kReportId = 0x07;
constexpr std::uint8_t kVersionCommand = 0xFD;
constexpr std::size_t kFeatureReportBytes = 65;

const wchar_t* g_lastError = L"Success";

// The session is opened once, on first use, under the name the environment
// gives at that moment.
SimulatorState& Session()
{
    static SimulatorState state;
    static std::once_flag opened;
    std::call_once(opened, [] { state.Open(SimulatorState::SessionName(), true); });
    return state;
}

SharedState* Shared() { return Session().Shared(); }

bool IsDisplayCollection(const InterfaceSlot& slot) { return slot.usagePage == 0xFF01 && slot.usage == 1; }

// The slot of a handle when its device is still the one it opened.
InterfaceSlot* LiveSlot(SharedState& state, hid_device* device)
{
    if (device->slot >= state.slotCount)
        return nullptr;
    InterfaceSlot& slot = state.slots[device->slot];
    if (!slot.present || slot.generation != device->generation)
        return nullptr;
    return &slot;
}

wchar_t* CopyText(const wchar_t* text)
{
    const std::size_t length = std::wcslen(text);
    auto* copy = static_cast<wchar_t*>(std::calloc(length + 1, sizeof(wchar_t)));
    if (copy)
        std::wmemcpy(copy, text, length);
    return copy;
}

char* CopyText(const char* text)
{
    const std::size_t length = std::strlen(text);
    auto* copy = static_cast<char*>(std::calloc(length + 1, 1));
    if (copy)
        std::memcpy(copy, text, length);
    return copy;
}

hid_device_info* MakeInfo(const InterfaceSlot& slot)
{
    auto* info = static_cast<hid_device_info*>(std::calloc(1, sizeof(hid_device_info)));
    if (!info)
        return nullptr;
    info->path = CopyText(slot.path);
    info->vendor_id = slot.vendorId;
    info->product_id = slot.productId;
    info->serial_number = CopyText(slot.serialNumber);
    info->release_number = slot.releaseNumber;
    info->manufacturer_string = CopyText(L"Thermadex display simulator");
    info->product_string = CopyText(slot.productString);
    info->usage_page = slot.usagePage;
    info->usage = slot.usage;
    info->interface_number = 0;
    info->next = nullptr;
    info->bus_type = HID_API_BUS_USB;
    return info;
}

void FreeInfo(hid_device_info* info)
{
    if (!info)
        return;
    std::free(info->path);
    std::free(info->serial_number);
    std::free(info->manufacturer_string);
    std::free(info->product_string);
    std::free(info);
}

int CopyString(const wchar_t* text, wchar_t* out, std::size_t maxlen)
{
    if (!out || maxlen == 0)
        return -1;
    std::wcsncpy(out, text, maxlen);
    out[maxlen - 1] = L'\0';
    return 0;
}

} // namespace

extern "C" {

int HID_API_EXPORT HID_API_CALL hid_init(void)
{
    SharedState* state = Shared();
    if (!state)
        return -1;
    SimulatorState::Lock lock(state);
    ++state->initCalls;
    return 0;
}

int HID_API_EXPORT HID_API_CALL hid_exit(void)
{
    if (SharedState* state = Shared()) {
        SimulatorState::Lock lock(state);
        ++state->exitCalls;
    }
    return 0;
}

struct hid_device_info HID_API_EXPORT* HID_API_CALL hid_enumerate(unsigned short vendor_id, unsigned short product_id)
{
    SharedState* state = Shared();
    if (!state)
        return nullptr;
    SimulatorState::Lock lock(state);
    ++state->enumerations;
    hid_device_info* first = nullptr;
    hid_device_info** tail = &first;
    for (std::uint32_t i = 0; i < state->slotCount; ++i) {
        const InterfaceSlot& slot = state->slots[i];
        if (!slot.present || (vendor_id && slot.vendorId != vendor_id) || (product_id && slot.productId != product_id))
            continue;
        if (hid_device_info* info = MakeInfo(slot)) {
            *tail = info;
            tail = &info->next;
        }
    }
    return first;
}

void HID_API_EXPORT HID_API_CALL hid_free_enumeration(struct hid_device_info* devs)
{
    while (devs) {
        hid_device_info* next = devs->next;
        FreeInfo(devs);
        devs = next;
    }
}

HID_API_EXPORT hid_device* HID_API_CALL hid_open_path(const char* path)
{
    SharedState* state = Shared();
    if (!state || !path)
        return nullptr;
    SimulatorState::Lock lock(state);
    for (std::uint32_t i = 0; i < state->slotCount; ++i) {
        InterfaceSlot& slot = state->slots[i];
        if (!slot.present || _stricmp(slot.path, path) != 0)
            continue;
        if (slot.failOpen) {
            g_lastError = L"The device is held by another program";
            return nullptr;
        }
        auto* device = static_cast<hid_device*>(std::calloc(1, sizeof(hid_device)));
        if (!device)
            return nullptr;
        device->slot = i;
        device->generation = slot.generation;
        device->info = MakeInfo(slot);
        device->lastError = L"Success";
        ++slot.openHandles;
        ++slot.opens;
        return device;
    }
    g_lastError = L"No such device";
    return nullptr;
}

HID_API_EXPORT hid_device* HID_API_CALL hid_open(
    unsigned short vendor_id, unsigned short product_id, const wchar_t* serial_number)
{
    hid_device_info* devices = hid_enumerate(vendor_id, product_id);
    const char* path = nullptr;
    for (hid_device_info* info = devices; info && !path; info = info->next) {
        if (!serial_number || (info->serial_number && std::wcscmp(serial_number, info->serial_number) == 0))
            path = info->path;
    }
    hid_device* device = path ? hid_open_path(path) : nullptr;
    hid_free_enumeration(devices);
    return device;
}

void HID_API_EXPORT HID_API_CALL hid_close(hid_device* dev)
{
    if (!dev)
        return;
    if (SharedState* state = Shared()) {
        SimulatorState::Lock lock(state);
        if (dev->slot < state->slotCount) {
            InterfaceSlot& slot = state->slots[dev->slot];
            ++slot.closes;
            if (slot.openHandles > 0)
                --slot.openHandles;
        }
    }
    FreeInfo(dev->info);
    std::free(dev);
}

int HID_API_EXPORT HID_API_CALL hid_send_feature_report(hid_device* dev, const unsigned char* data, size_t length)
{
    SharedState* state = Shared();
    if (!state || !dev || !data)
        return -1;
    SimulatorState::Lock lock(state);
    InterfaceSlot* slot = LiveSlot(*state, dev);
    int result = -1;
    if (!slot) {
        dev->lastError = L"The device is not connected";
    } else if (slot->failSends) {
        dev->lastError = L"The device did not take the report";
    } else if (length < 2 || length > kFeatureReportBytes || data[0] != kReportId || !IsDisplayCollection(*slot)) {
        dev->lastError = L"The parameter is incorrect";
    } else {
        if (data[1] == kVersionCommand) {
            slot->versionPending = 1;
            slot->staleLeft = slot->staleReplies;
        } else {
            std::memcpy(slot->digits, data + 1, std::min<size_t>(length - 1, sizeof(slot->digits)));
            slot->showing = 1;
        }
        ++slot->sends;
        dev->lastError = L"Success";
        result = static_cast<int>(length);
    }
    DisplaySim::AppendLog(*state, dev->slot, DisplaySim::kReportSent, result, data, length);
    return result;
}

int HID_API_EXPORT HID_API_CALL hid_get_feature_report(hid_device* dev, unsigned char* data, size_t length)
{
    SharedState* state = Shared();
    if (!state || !dev || !data || length == 0)
        return -1;
    SimulatorState::Lock lock(state);
    InterfaceSlot* slot = LiveSlot(*state, dev);
    int result = -1;
    if (!slot) {
        dev->lastError = L"The device is not connected";
    } else if (slot->failReads || data[0] != kReportId || !IsDisplayCollection(*slot)) {
        dev->lastError = L"The device did not answer";
    } else {
        const std::size_t replyLength = std::min(length, kFeatureReportBytes);
        std::memset(data, 0, replyLength);
        if (slot->versionPending && slot->staleLeft > 0) {
            // An answer that is not yet the version reply.
            --slot->staleLeft;
        } else if (slot->versionPending) {
            slot->versionPending = 0;
            data[0] = kReportId;
            data[1] = static_cast<unsigned char>(slot->firmwareVersion >> 8);
            data[2] = static_cast<unsigned char>(slot->firmwareVersion & 0xFF);
        } else {
            // Without a request the display reports what it shows.
            data[0] = kReportId;
            std::memcpy(data + 1, slot->digits, std::min(replyLength - 1, sizeof(slot->digits)));
        }
        ++slot->reads;
        dev->lastError = L"Success";
        result = static_cast<int>(replyLength);
    }
    DisplaySim::AppendLog(*state, dev->slot, DisplaySim::kReportRead, result, result > 0 ? data : nullptr,
        result > 0 ? static_cast<std::size_t>(result) : 0);
    return result;
}

int HID_API_EXPORT HID_API_CALL hid_get_input_report(hid_device* dev, unsigned char*, size_t)
{
    if (dev)
        dev->lastError = L"The display has no input reports";
    return -1;
}

int HID_API_EXPORT HID_API_CALL hid_write(hid_device* dev, const unsigned char*, size_t)
{
    if (dev)
        dev->lastError = L"The display has no output reports";
    return -1;
}

int HID_API_EXPORT HID_API_CALL hid_read_timeout(hid_device* dev, unsigned char*, size_t, int milliseconds)
{
    // The display sends no input reports: a read only ever times out, or
    // fails once the device is gone.
    if (!dev)
        return -1;
    const DWORD start = GetTickCount();
    for (;;) {
        {
            SharedState* state = Shared();
            if (!state)
                return -1;
            SimulatorState::Lock lock(state);
            if (!LiveSlot(*state, dev)) {
                dev->lastError = L"The device is not connected";
                return -1;
            }
        }
        if (milliseconds == 0 || (milliseconds > 0 && GetTickCount() - start >= static_cast<DWORD>(milliseconds)))
            return 0;
        Sleep(10);
    }
}

int HID_API_EXPORT HID_API_CALL hid_read(hid_device* dev, unsigned char* data, size_t length)
{
    return hid_read_timeout(dev, data, length, dev && dev->nonblocking ? 0 : -1);
}

int HID_API_EXPORT HID_API_CALL hid_set_nonblocking(hid_device* dev, int nonblock)
{
    if (!dev)
        return -1;
    dev->nonblocking = nonblock;
    return 0;
}

int HID_API_EXPORT_CALL hid_get_manufacturer_string(hid_device* dev, wchar_t* string, size_t maxlen)
{
    if (!dev || !dev->info)
        return -1;
    return CopyString(dev->info->manufacturer_string, string, maxlen);
}

int HID_API_EXPORT_CALL hid_get_product_string(hid_device* dev, wchar_t* string, size_t maxlen)
{
    SharedState* state = Shared();
    if (!state || !dev)
        return -1;
    SimulatorState::Lock lock(state);
    InterfaceSlot* slot = LiveSlot(*state, dev);
    if (!slot || slot->failProductString) {
        dev->lastError = L"The device did not give its product string";
        return -1;
    }
    return CopyString(slot->productString, string, maxlen);
}

int HID_API_EXPORT_CALL hid_get_serial_number_string(hid_device* dev, wchar_t* string, size_t maxlen)
{
    if (!dev || !dev->info)
        return -1;
    return CopyString(dev->info->serial_number, string, maxlen);
}

struct hid_device_info HID_API_EXPORT* HID_API_CALL hid_get_device_info(hid_device* dev)
{
    return dev ? dev->info : nullptr;
}

int HID_API_EXPORT_CALL hid_get_indexed_string(hid_device* dev, int, wchar_t*, size_t)
{
    if (dev)
        dev->lastError = L"The display has no indexed strings";
    return -1;
}

HID_API_EXPORT const wchar_t* HID_API_CALL hid_error(hid_device* dev) { return dev ? dev->lastError : g_lastError; }

HID_API_EXPORT const struct hid_api_version* HID_API_CALL hid_version(void)
{
    static const hid_api_version version = {HID_API_VERSION_MAJOR, HID_API_VERSION_MINOR, HID_API_VERSION_PATCH};
    return &version;
}

HID_API_EXPORT const char* HID_API_CALL hid_version_str(void) { return HID_API_VERSION_STR; }

int HID_API_EXPORT_CALL hid_winapi_get_container_id(hid_device* dev, GUID* container_id)
{
    SharedState* state = Shared();
    if (!state || !dev || !container_id)
        return -1;
    SimulatorState::Lock lock(state);
    if (dev->slot >= state->slotCount)
        return -1;
    // One container per simulated device, shared by its collections.
    *container_id = {0x7468726d, 0x6164, 0x6578, {0x73, 0x69, 0x6d, 0, 0, 0, 0, 0}};
    container_id->Data4[7] = static_cast<unsigned char>(state->slots[dev->slot].displayNumber);
    return 0;
}

} // extern "C"
