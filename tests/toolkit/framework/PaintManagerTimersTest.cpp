// Window timers of controls, the progress overlay's timers and the
// multimedia animation timer, running for real under Wine.
#include "DialogFixtures.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>

namespace {

using FrameworkTest::PumpUntil;
using FrameworkTest::TestControl;
using FrameworkTest::TestDialog;

class TimerTest : public testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_NE(dialog.Open(100, 100, 400, 300), nullptr);
        manager = dialog.GetPaintManager();
        control = static_cast<TestControl*>(manager->AddControl(1, new TestControl(&dialog, 1, RECT{0, 0, 10, 10})));
    }
    void TearDown() override { dialog.DestroyWindow(); }
    bool Fired(UINT id) const { return std::count(dialog.timers.begin(), dialog.timers.end(), id) > 0; }

    TestDialog dialog;
    Lumo::PaintManager* manager = nullptr;
    TestControl* control = nullptr;
};

TEST_F(TimerTest, ControlTimerIdsStartAt17AndWrapAfter239)
{
    ASSERT_EQ(manager->SetTimer(control, 1, 10), 1);
    ASSERT_TRUE(PumpUntil([&] { return Fired(17); }));
    EXPECT_GT(control->timerTicks, 0);
    manager->KillTimer(control, 1);
    // Timers 2 to 222 never fire in the test; the 223rd and 224th do.
    for (UINT key = 2; key <= 222; ++key)
        ASSERT_EQ(manager->SetTimer(control, key, 3600000), 1) << key;
    ASSERT_EQ(manager->SetTimer(control, 223, 10), 1);
    EXPECT_TRUE(PumpUntil([&] { return Fired(239); }));
    manager->KillTimer(control, 223);
    ASSERT_EQ(manager->SetTimer(control, 224, 10), 1);
    EXPECT_TRUE(PumpUntil([&] { return Fired(0); }));
    manager->ClearTimers();
}

TEST_F(TimerTest, RunningTimerIsNotStartedTwiceAndAKilledOneRestartsWithItsId)
{
    ASSERT_EQ(manager->SetTimer(control, 7, 10), 1);
    EXPECT_EQ(manager->SetTimer(control, 7, 10), 0);
    ASSERT_TRUE(PumpUntil([&] { return control->timerTicks >= 2; }));
    EXPECT_EQ(manager->KillTimer(control, 7), 1);
    EXPECT_EQ(manager->KillTimer(control, 7), 0); // no running entry
    PumpUntil([] { return false; }, 60); // drain ticks already queued
    const int stopped = control->timerTicks;
    dialog.timers.clear();
    PumpUntil([] { return false; }, 150);
    EXPECT_EQ(control->timerTicks, stopped);

    ASSERT_EQ(manager->SetTimer(control, 7, 10), 1); // restarted
    ASSERT_TRUE(PumpUntil([&] { return control->timerTicks > stopped; }));
    EXPECT_TRUE(Fired(17)); // the same window-timer id as before
    manager->KillTimer(control);
    EXPECT_EQ(manager->KillTimer(control, 7), 0); // removed
}

TEST_F(TimerTest, ProgressRisesInStepsOfTwo)
{
    std::vector<int> seen;
    dialog.onTimer = [&](UINT id) {
        if (id == 99)
            seen.push_back(manager->GetProgress());
    };
    manager->SetProgress(50, L"Downloading", RECT{0, 0, 0, 0});
    EXPECT_EQ(manager->GetProgress(), 0);
    EXPECT_TRUE(ToolkitTest::SameRect(manager->GetMessageRect(), RECT{0, 240, 400, 298}));
    ASSERT_TRUE(PumpUntil([&] { return manager->GetProgress() == 50; }));
    ASSERT_EQ(seen.size(), 25u);
    for (size_t i = 0; i < seen.size(); ++i)
        EXPECT_EQ(seen[i], static_cast<int>(2 * i));
    PumpUntil([] { return false; }, 100);
    EXPECT_EQ(seen.size(), 25u); // the step timer stopped at the target
    EXPECT_EQ(manager->GetMessageAlpha(), 255);
}

TEST_F(TimerTest, ProgressJumpsToTheEndAndFadesOut)
{
    manager->SetProgress(96, L"Almost", RECT{0, 0, 0, 0});
    ASSERT_TRUE(PumpUntil([&] { return manager->GetProgress() == 96; }));
    manager->SetProgress(100, L"Done", RECT{0, 0, 0, 0});
    EXPECT_EQ(manager->GetProgress(), 100); // less than 6 to go: at once
    ASSERT_TRUE(PumpUntil([&] { return manager->GetMessageAlpha() < 255; }));
    EXPECT_EQ((255 - manager->GetMessageAlpha()) % 10, 0); // fades in steps of 10
    ASSERT_TRUE(PumpUntil([&] { return manager->GetMessageAlpha() == 0; }));
    EXPECT_EQ(manager->GetProgress(), 0);

    // The same percentage again does nothing, even with another text.
    manager->SetProgress(100, L"Done again", RECT{0, 0, 0, 0});
    EXPECT_EQ(manager->GetMessageAlpha(), 0);
    EXPECT_EQ(manager->GetProgress(), 0);
    manager->SetProgress(3, L"Restart", RECT{0, 0, 0, 0});
    EXPECT_EQ(manager->GetMessageAlpha(), 255);
    EXPECT_EQ(manager->GetProgress(), 3);
}

TEST_F(TimerTest, AnimationTicksRunTheControlsOnTheWindowThread)
{
    control->AddMTimer();
    const UINT id = dialog.SetMTimer(10);
    ASSERT_NE(id, 0u);
    EXPECT_EQ(manager->GetTimerIsRun(id), 1);
    EXPECT_EQ(Lumo::RKTimer::GetFSTimer(id), static_cast<Lumo::RKTimer*>(manager));
    ASSERT_TRUE(PumpUntil([&] { return control->timerTicks >= 5; }));
    for (DWORD thread : control->timerThreads)
        EXPECT_EQ(thread, GetCurrentThreadId());
    dialog.KillMTimer(id);
    EXPECT_EQ(manager->GetTimerIsRun(id), 0);
    PumpUntil([] { return false; }, 50);
    const int ticks = control->timerTicks;
    PumpUntil([] { return false; }, 150);
    EXPECT_EQ(control->timerTicks, ticks);
    EXPECT_EQ(manager->DeleteFSTimer(control), 1);
    EXPECT_EQ(manager->DeleteFSTimer(control), 0);
}

class NamedTimer : public Lumo::RKTimer {
public:
    void OnMTimer(UINT, std::wstring name) override
    {
        if (name == L"blink")
            named.fetch_add(1);
        thread = GetCurrentThreadId();
    }
    void OnMTimer(UINT) override { ticks.fetch_add(1); }
    std::atomic<int> named{0};
    std::atomic<int> ticks{0};
    std::atomic<DWORD> thread{0};
};

TEST(RKTimer, ApplicationTimersAreNamedAndRunOnTheTimerThread)
{
    NamedTimer timer;
    const UINT blink = timer.SetTimer(10, L"blink", 1);
    const UINT plain = timer.SetTimer(10, L"plain", 0);
    ASSERT_NE(blink, 0u);
    ASSERT_NE(plain, 0u);
    EXPECT_EQ(timer.GetTimerName(blink), L"blink");
    EXPECT_EQ(timer.IsAppTimer(blink), 1);
    EXPECT_EQ(timer.IsAppTimer(plain), 0);
    EXPECT_EQ(timer.GetTimerIsRun(L"plain"), 1);
    EXPECT_EQ(Lumo::RKTimer::GetFSTimer(blink), &timer);
    EXPECT_GE(Lumo::RKTimer::m_uAccuracy, 1u);
    ASSERT_TRUE(PumpUntil([&] { return timer.named.load() >= 3 && timer.ticks.load() >= 6; }));
    EXPECT_NE(timer.thread.load(), GetCurrentThreadId());

    EXPECT_EQ(timer.KillTimer(std::wstring(L"blink")), 1); // one left
    EXPECT_EQ(timer.GetTimerIsRun(blink), 0);
    EXPECT_EQ(timer.GetTimerName(blink), L"");
    EXPECT_EQ(Lumo::RKTimer::GetFSTimer(blink), nullptr);
    const int named = timer.named.load();
    PumpUntil([] { return false; }, 100);
    EXPECT_EQ(timer.named.load(), named);
    timer.KillTimer();
    EXPECT_EQ(timer.GetTimerIsRun(plain), 0);
}

} // namespace
