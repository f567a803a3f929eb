#pragma once

// A recorded stand-in for the Task Scheduler's COM objects, for the steps that
// Wine does not implement (the logon trigger and the run level): every call
// of the registration is written down with its arguments, any call can be
// made to fail, and every object counts itself so that a test can see that
// all references were released.
#include <windows.h>
#include <taskschd.h>

#include <map>
#include <string>
#include <vector>

namespace FakeTaskScheduler {

struct Recorder {
    // "Object.Method(arguments)" in call order.
    std::vector<std::string> calls;
    // "Object.Method" (or "CoCreateInstance") → the result it returns.
    std::map<std::string, HRESULT> failures;
    int liveObjects = 0;

    HRESULT Call(const std::string& key, const std::string& arguments);
};

// The recorder that the fake objects report to.
Recorder& Current();
// Starts a fresh recording.
void Reset();

// A TaskServiceFactory that hands out a fake service (or the failure recorded
// for "CoCreateInstance").
HRESULT CreateService(ITaskService** service);

} // namespace FakeTaskScheduler
