#include "SimulatorState.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <cwchar>

namespace DisplaySim {

namespace {

struct Collection {
    std::uint16_t usagePage;
    std::uint16_t usage;
};

// The display collection, then the other collections a device may expose.
constexpr Collection kDisplayCollection = {0xFF01, 1};
constexpr Collection kExtraCollections[] = {{0xFF01, 2}, {0x000C, 1}, {0xFF00, 1}};

bool ProcessAlive(DWORD processId)
{
    HANDLE process = OpenProcess(SYNCHRONIZE, FALSE, processId);
    if (!process)
        return false;
    const bool alive = WaitForSingleObject(process, 0) == WAIT_TIMEOUT;
    CloseHandle(process);
    return alive;
}

void FormatPath(char* out, int display, int collection)
{
    std::snprintf(out, kPathBytes,
        "\\\\?\\hid#vid_1a2c&pid_4e84&mi_00&col%02d#8&2f5e1c0a&0&%04d#{4d1e55b2-f16f-11cf-88cb-001111000030}",
        collection, display - 1);
}

InterfaceSlot* NewSlot(SharedState& state)
{
    if (state.slotCount >= static_cast<std::uint32_t>(kMaxInterfaces))
        return nullptr;
    InterfaceSlot* slot = &state.slots[state.slotCount++];
    std::memset(slot, 0, sizeof(*slot));
    slot->inUse = 1;
    return slot;
}

} // namespace

SimulatorState::~SimulatorState()
{
    if (m_state)
        UnmapViewOfFile(m_state);
    if (m_mapping)
        CloseHandle(m_mapping);
}

std::wstring SimulatorState::SessionName()
{
    wchar_t name[128] = {};
    const DWORD length = GetEnvironmentVariableW(kSessionVariable, name, 128);
    if (length == 0 || length >= 128)
        return kDefaultSession;
    return name;
}

bool SimulatorState::Open(const std::wstring& session, bool create)
{
    const std::wstring name = L"Local\\" + session;
    HANDLE mapping = create ? CreateFileMappingW(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0,
                         static_cast<DWORD>(sizeof(SharedState)), name.c_str())
                            : OpenFileMappingW(FILE_MAP_ALL_ACCESS, FALSE, name.c_str());
    if (!mapping)
        return false;
    void* view = MapViewOfFile(mapping, FILE_MAP_ALL_ACCESS, 0, 0, sizeof(SharedState));
    if (!view) {
        CloseHandle(mapping);
        return false;
    }
    m_mapping = mapping;
    m_state = static_cast<SharedState*>(view);
    // A fresh section is all zeros, which is an unlocked lock.
    Lock lock(m_state);
    if (m_state->magic != kMagic || m_state->layoutVersion != kLayoutVersion) {
        const LONG held = m_state->lock;
        const std::uint32_t owner = m_state->lockOwner;
        std::memset(m_state, 0, sizeof(SharedState));
        m_state->lock = held;
        m_state->lockOwner = owner;
        m_state->magic = kMagic;
        m_state->layoutVersion = kLayoutVersion;
    }
    return true;
}

SimulatorState::Lock::Lock(SharedState* state)
    : m_state(state)
{
    const DWORD self = GetCurrentProcessId();
    for (unsigned spins = 0;; ++spins) {
        if (InterlockedCompareExchange(&m_state->lock, 1, 0) == 0) {
            m_state->lockOwner = self;
            return;
        }
        if (spins < 64)
            YieldProcessor();
        else
            Sleep(spins < 1000 ? 0 : 1);
        // A process that died holding the lock would block everyone else.
        if (spins % 2000 == 1999) {
            const DWORD owner = m_state->lockOwner;
            if (owner != 0 && owner != self && !ProcessAlive(owner))
                InterlockedCompareExchange(&m_state->lock, 0, 1);
        }
    }
}

SimulatorState::Lock::~Lock()
{
    m_state->lockOwner = 0;
    InterlockedExchange(&m_state->lock, 0);
}

void SimulatorState::Reset()
{
    Lock lock(m_state);
    std::memset(m_state->slots, 0, sizeof(m_state->slots));
    std::memset(m_state->log, 0, sizeof(m_state->log));
    m_state->slotCount = 0;
    m_state->displayCount = 0;
    m_state->initCalls = m_state->exitCalls = m_state->enumerations = 0;
    m_state->logged = 0;
}

int SimulatorState::AddDisplay(const DisplayOptions& options)
{
    Lock lock(m_state);
    const int wanted = (options.displayCollection ? 1 : 0) + std::clamp(options.extraCollections, 0, 3);
    if (wanted == 0
        || m_state->slotCount + static_cast<std::uint32_t>(wanted) > static_cast<std::uint32_t>(kMaxInterfaces))
        return 0;
    const int display = static_cast<int>(++m_state->displayCount);
    int collection = 0;
    auto add = [&](Collection kind) {
        InterfaceSlot* slot = NewSlot(*m_state);
        slot->present = 1;
        slot->generation = 1;
        slot->displayNumber = static_cast<std::uint32_t>(display);
        slot->vendorId = options.vendorId;
        slot->productId = options.productId;
        slot->usagePage = kind.usagePage;
        slot->usage = kind.usage;
        slot->releaseNumber = 0x0100;
        slot->collection = static_cast<std::uint16_t>(++collection);
        FormatPath(slot->path, display, collection);
        std::wcsncpy(slot->productString, options.productString.c_str(), 63);
        std::swprintf(slot->serialNumber, 32, L"SIM%04d", display);
        slot->firmwareVersion = options.firmwareVersion;
    };
    if (options.displayCollection)
        add(kDisplayCollection);
    for (int i = 0; i < std::clamp(options.extraCollections, 0, 3); ++i)
        add(kExtraCollections[i]);
    return display;
}

bool SimulatorState::SetPresent(int display, bool present)
{
    Lock lock(m_state);
    bool found = false;
    for (std::uint32_t i = 0; i < m_state->slotCount; ++i) {
        InterfaceSlot& slot = m_state->slots[i];
        if (slot.displayNumber != static_cast<std::uint32_t>(display))
            continue;
        found = true;
        if (slot.present && !present) {
            ++slot.generation;
            slot.versionPending = 0;
            slot.showing = 0;
        }
        slot.present = present ? 1 : 0;
    }
    return found;
}

bool SimulatorState::SetFault(int display, Fault fault, bool on)
{
    Lock lock(m_state);
    bool found = false;
    for (std::uint32_t i = 0; i < m_state->slotCount; ++i) {
        InterfaceSlot& slot = m_state->slots[i];
        if (slot.displayNumber != static_cast<std::uint32_t>(display))
            continue;
        found = true;
        std::uint32_t* flag = fault == Fault::Open ? &slot.failOpen
            : fault == Fault::Sends                ? &slot.failSends
            : fault == Fault::Reads                ? &slot.failReads
                                                   : &slot.failProductString;
        *flag = on ? 1 : 0;
    }
    return found;
}

bool SimulatorState::SetFirmwareVersion(int display, int version, int staleReplies)
{
    Lock lock(m_state);
    bool found = false;
    for (std::uint32_t i = 0; i < m_state->slotCount; ++i) {
        InterfaceSlot& slot = m_state->slots[i];
        if (slot.displayNumber == static_cast<std::uint32_t>(display)) {
            slot.firmwareVersion = static_cast<std::uint32_t>(version) & 0xFFFF;
            slot.staleReplies = static_cast<std::uint32_t>(std::max(staleReplies, 0));
            found = true;
        }
    }
    return found;
}

std::vector<std::string> SimulatorState::InterfacePaths(int display) const
{
    std::vector<std::string> paths;
    for (const InterfaceSlot& slot : Interfaces()) {
        if (slot.displayNumber == static_cast<std::uint32_t>(display))
            paths.emplace_back(slot.path);
    }
    return paths;
}

std::vector<InterfaceSlot> SimulatorState::Interfaces() const
{
    Lock lock(m_state);
    return std::vector<InterfaceSlot>(m_state->slots, m_state->slots + m_state->slotCount);
}

bool SimulatorState::DisplayInterface(int display, InterfaceSlot& found) const
{
    for (const InterfaceSlot& slot : Interfaces()) {
        if (slot.displayNumber == static_cast<std::uint32_t>(display) && slot.usagePage == kDisplayCollection.usagePage
            && slot.usage == kDisplayCollection.usage) {
            found = slot;
            return true;
        }
    }
    return false;
}

std::vector<LogEntry> SimulatorState::LogSince(std::uint32_t after) const
{
    Lock lock(m_state);
    std::vector<LogEntry> entries;
    const std::uint32_t logged = m_state->logged;
    const std::uint32_t oldest = logged > static_cast<std::uint32_t>(kLogCapacity) ? logged - kLogCapacity : 0;
    for (std::uint32_t n = std::max(after, oldest) + 1; n <= logged; ++n)
        entries.push_back(m_state->log[(n - 1) % kLogCapacity]);
    return entries;
}

std::uint32_t SimulatorState::Logged() const
{
    Lock lock(m_state);
    return m_state->logged;
}

void AppendLog(SharedState& state, std::uint32_t slot, std::uint32_t kind, std::int32_t result,
    const std::uint8_t* bytes, std::size_t length)
{
    const std::uint32_t sequence = ++state.logged;
    LogEntry& entry = state.log[(sequence - 1) % kLogCapacity];
    entry.sequence = sequence;
    entry.slot = slot;
    entry.kind = kind;
    entry.result = result;
    entry.length = static_cast<std::uint32_t>(length);
    entry.tick = GetTickCount();
    std::memset(entry.bytes, 0, sizeof(entry.bytes));
    if (bytes)
        std::memcpy(entry.bytes, bytes, std::min(length, kMaxReportBytes));
}

std::string ShownText(const InterfaceSlot& slot)
{
    if (!slot.showing)
        return "----";
    char digits[6];
    for (int i = 0; i < 6; ++i)
        digits[i] = slot.digits[i] <= 9 ? static_cast<char>('0' + slot.digits[i]) : '?';
    char text[32];
    std::snprintf(
        text, sizeof(text), "%c%c C %c%c%c%c rpm", digits[0], digits[1], digits[2], digits[3], digits[4], digits[5]);
    return text;
}

} // namespace DisplaySim
