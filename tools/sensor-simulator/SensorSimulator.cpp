// The companion sensor process, simulated: it creates or opens the shared
// memory "velmar_hardware_mapfile" and keeps a SensorRecord current in it, with
// a processor temperature and a fan speed that vary over time (or fixed
// values), a liveness value and optional graphics adapters. Options come from
// the command line or, when the program is started with its bare path as
// Thermadex does, from the environment variable THERMADEX_SENSOR_SIM.
//
//   --temp T --fan F        fixed values (any float text, "nan" and "inf" too)
//   --liveness L            fixed liveness value (default: 1, 2, 3, ... per write)
//   --gpu1 NAME T --gpu2 NAME T   graphics adapters
//   --delay MS              wait before the first write
//   --interval MS           time between writes (default 500)
//   --seconds S             end after S seconds (default: run until ended)
#include "app/device/SensorRecord.h"

#include <windows.h>
#include <shellapi.h>

#include <cmath>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

struct Options {
    bool fixedTemperature = false;
    float temperature = 0.0f;
    bool fixedFan = false;
    float fan = 0.0f;
    bool fixedLiveness = false;
    float liveness = 0.0f;
    std::string gpuName[2];
    float gpuTemperature[2] = {0.0f, 0.0f};
    DWORD delayMs = 0;
    DWORD intervalMs = 500;
    DWORD seconds = 0;
};

std::string Narrow(const std::wstring& text) { return std::string(text.begin(), text.end()); }

std::vector<std::string> Words()
{
    std::vector<std::string> words;
    int count = 0;
    if (LPWSTR* argv = CommandLineToArgvW(GetCommandLineW(), &count)) {
        for (int i = 1; i < count; ++i)
            words.push_back(Narrow(argv[i]));
        LocalFree(argv);
    }
    bool anyOption = false;
    for (const std::string& word : words)
        anyOption = anyOption || word.rfind("--", 0) == 0;
    if (anyOption)
        return words;
    // Started with its bare path (which may hold blanks): options come from
    // the environment instead.
    words.clear();
    wchar_t text[1024] = {};
    const DWORD length = GetEnvironmentVariableW(L"THERMADEX_SENSOR_SIM", text, 1024);
    if (length > 0 && length < 1024) {
        const std::wstring line = L"x " + std::wstring(text);
        if (LPWSTR* argv = CommandLineToArgvW(line.c_str(), &count)) {
            for (int i = 1; i < count; ++i)
                words.push_back(Narrow(argv[i]));
            LocalFree(argv);
        }
    }
    return words;
}

Options Parse(const std::vector<std::string>& words)
{
    Options options;
    auto value = [&](std::size_t& i) { return i + 1 < words.size() ? words[++i] : std::string(); };
    for (std::size_t i = 0; i < words.size(); ++i) {
        const std::string& word = words[i];
        if (word == "--temp") {
            options.fixedTemperature = true;
            options.temperature = std::strtof(value(i).c_str(), nullptr);
        } else if (word == "--fan") {
            options.fixedFan = true;
            options.fan = std::strtof(value(i).c_str(), nullptr);
        } else if (word == "--liveness") {
            options.fixedLiveness = true;
            options.liveness = std::strtof(value(i).c_str(), nullptr);
        } else if (word == "--gpu1" || word == "--gpu2") {
            const int n = word == "--gpu1" ? 0 : 1;
            options.gpuName[n] = value(i);
            options.gpuTemperature[n] = std::strtof(value(i).c_str(), nullptr);
        } else if (word == "--delay") {
            options.delayMs = static_cast<DWORD>(std::atoi(value(i).c_str()));
        } else if (word == "--interval") {
            options.intervalMs = static_cast<DWORD>(std::atoi(value(i).c_str()));
        } else if (word == "--seconds") {
            options.seconds = static_cast<DWORD>(std::atoi(value(i).c_str()));
        }
    }
    return options;
}

void CopyName(char* field, std::size_t size, const std::string& name)
{
    std::memset(field, 0, size);
    std::memcpy(field, name.data(), name.size() < size ? name.size() : size - 1);
}

// Each field is written as one 32-bit store; the reader may see a record that
// mixes two writes, which every reader must accept anyway.
void StoreFloat(float& field, float value) { *static_cast<volatile float*>(&field) = value; }

void Publish(SensorRecord& record, const Options& options, double seconds, unsigned writes)
{
    const double pi = 3.14159265358979;
    const float temperature = options.fixedTemperature
        ? options.temperature
        : static_cast<float>(45.0 + 15.0 * std::sin(2 * pi * seconds / 30.0));
    const float fan
        = options.fixedFan ? options.fan : static_cast<float>(1250.0 + 450.0 * std::sin(2 * pi * seconds / 20.0));
    StoreFloat(record.cpuTemperature, temperature);
    StoreFloat(record.fanSpeed, fan);
    StoreFloat(record.gpuTemperature1, options.gpuTemperature[0]);
    StoreFloat(record.gpuTemperature2, options.gpuTemperature[1]);
    StoreFloat(record.liveness, options.fixedLiveness ? options.liveness : static_cast<float>(writes));
}

} // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int)
{
    const Options options = Parse(Words());
    HANDLE mapping = CreateFileMappingA(
        INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0, static_cast<DWORD>(kSensorRecordSize), kSensorMappingName);
    if (!mapping)
        return 1;
    auto* record = static_cast<SensorRecord*>(MapViewOfFile(mapping, FILE_MAP_WRITE, 0, 0, kSensorRecordSize));
    if (!record) {
        CloseHandle(mapping);
        return 1;
    }
    if (options.delayMs)
        Sleep(options.delayMs);
    CopyName(record->gpuName1, sizeof(record->gpuName1), options.gpuName[0]);
    CopyName(record->gpuName2, sizeof(record->gpuName2), options.gpuName[1]);
    const DWORD start = GetTickCount();
    for (unsigned writes = 1;; ++writes) {
        const DWORD elapsed = GetTickCount() - start;
        Publish(*record, options, elapsed / 1000.0, writes);
        if (options.seconds && elapsed >= options.seconds * 1000)
            break;
        Sleep(options.intervalMs ? options.intervalMs : 1);
    }
    UnmapViewOfFile(record);
    CloseHandle(mapping);
    return 0;
}
