#pragma once

// The display simulator's state, shared by every process that takes part:
// the simulated hidapi.dll inside the program, the control and monitor
// program, and tests. It lives in named shared memory ("session"), guarded by
// a small lock inside it, and holds the simulated HID interfaces (a display
// exposes its display collection and optionally further collections), their
// faults and firmware versions, what each display shows, and a log of every
// feature report sent to or read from them.
#include <windows.h>

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace DisplaySim {

constexpr std::uint32_t kMagic = 0x53445854;
constexpr std::uint32_t kLayoutVersion = 1;
constexpr int kMaxInterfaces = 32;
constexpr int kLogCapacity = 1024;
constexpr std::size_t kMaxReportBytes = 65;
constexpr std::size_t kPathBytes = 200;

// The environment variable that names the session; without it the session is
// "ThermadexDisplaySimulator".
constexpr wchar_t kSessionVariable[] = L"THERMADEX_DISPLAY_SIM";
constexpr wchar_t kDefaultSession[] = L"ThermadexDisplaySimulator";

enum ReportKind : std::uint32_t { kReportSent = 1, kReportRead = 2 };

// One simulated HID interface (top-level collection) of a simulated device.
struct InterfaceSlot {
    std::uint32_t inUse;
    std::uint32_t present; // plugged in
    std::uint32_t generation; // changes at every unplug: older handles stay dead
    std::uint32_t displayNumber; // 1-based; shared by the interfaces of one device
    std::uint16_t vendorId;
    std::uint16_t productId;
    std::uint16_t usagePage;
    std::uint16_t usage;
    std::uint16_t releaseNumber;
    std::uint16_t collection; // 1-based within its device
    char path[kPathBytes];
    wchar_t productString[64];
    wchar_t serialNumber[32];
    // Faults.
    std::uint32_t failOpen;
    std::uint32_t failSends;
    std::uint32_t failReads;
    std::uint32_t failProductString;
    // Firmware.
    std::uint32_t firmwareVersion;
    std::uint32_t staleReplies; // replies without report id 7 before each version reply
    std::uint32_t staleLeft;
    std::uint32_t versionPending;
    // Counters.
    std::uint32_t openHandles;
    std::uint32_t opens;
    std::uint32_t closes;
    std::uint32_t sends;
    std::uint32_t reads;
    // What the display shows: the six digits of its last temperature report.
    std::uint32_t showing;
    std::uint8_t digits[6];
    std::uint8_t reserved[2];
};

struct LogEntry {
    std::uint32_t sequence; // 1, 2, ... over the session's life
    std::uint32_t slot;
    std::uint32_t kind; // ReportKind
    std::int32_t result; // what the hidapi call returned
    std::uint32_t length; // length passed by the caller
    std::uint32_t tick;
    std::uint8_t bytes[kMaxReportBytes]; // as sent, or as returned to the caller
};

struct SharedState {
    std::uint32_t magic;
    std::uint32_t layoutVersion;
    volatile LONG lock;
    std::uint32_t lockOwner;
    std::uint32_t slotCount;
    std::uint32_t displayCount;
    std::uint32_t initCalls;
    std::uint32_t exitCalls;
    std::uint32_t enumerations;
    std::uint32_t logged; // entries ever written; entry n lives at log[(n - 1) % kLogCapacity]
    InterfaceSlot slots[kMaxInterfaces];
    LogEntry log[kLogCapacity];
};

// What a new simulated display looks like.
struct DisplayOptions {
    std::uint16_t vendorId = 0x1A2C;
    std::uint16_t productId = 0x4E84;
    std::uint16_t firmwareVersion = 0x0100;
    bool displayCollection = true; // the vendor collection 0xFF01 / 1
    int extraCollections = 0; // further collections of the same device (0..3)
    std::wstring productString = L"K9X Thermal Display";
};

enum class Fault { Open, Sends, Reads, ProductString };

// The shared state of one session, mapped into this process.
class SimulatorState {
public:
    SimulatorState() = default;
    SimulatorState(const SimulatorState&) = delete;
    SimulatorState& operator=(const SimulatorState&) = delete;
    ~SimulatorState();

    // The session named by the environment, or the default one.
    static std::wstring SessionName();
    // Maps the session, creating it when `create` is set and it does not exist.
    bool Open(const std::wstring& session, bool create);
    bool IsOpen() const { return m_state != nullptr; }
    SharedState* Shared() const { return m_state; }

    // Holds the session's lock for one short operation.
    class Lock {
    public:
        explicit Lock(SharedState* state);
        Lock(const Lock&) = delete;
        Lock& operator=(const Lock&) = delete;
        ~Lock();

    private:
        SharedState* m_state;
    };

    // Removes every display and clears the log and the counters.
    void Reset();
    // Adds a plugged-in display; returns its number (1-based), or 0 when full.
    int AddDisplay(const DisplayOptions& options);
    // Plugs a display in or out (all of its interfaces); false for an unknown number.
    bool SetPresent(int display, bool present);
    // Switches a fault on or off on a display's interfaces.
    bool SetFault(int display, Fault fault, bool on);
    bool SetFirmwareVersion(int display, int version, int staleReplies = 0);
    // The interface paths of a display, display collection first.
    std::vector<std::string> InterfacePaths(int display) const;

    // Copies for reading without holding the lock.
    std::vector<InterfaceSlot> Interfaces() const;
    // The display collection's interface of a display, if it has one.
    bool DisplayInterface(int display, InterfaceSlot& slot) const;
    // Log entries with a sequence number above `after`, oldest first.
    std::vector<LogEntry> LogSince(std::uint32_t after) const;
    std::uint32_t Logged() const;

private:
    HANDLE m_mapping = nullptr;
    SharedState* m_state = nullptr;
};

// Appends one entry to the log; the caller holds the lock.
void AppendLog(SharedState& state, std::uint32_t slot, std::uint32_t kind, std::int32_t result,
    const std::uint8_t* bytes, std::size_t length);

// "45 C 1234 rpm" style text of what a display shows, or "----" before its
// first temperature report.
std::string ShownText(const InterfaceSlot& slot);

} // namespace DisplaySim
