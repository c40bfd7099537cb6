// Frames delivered from a second thread, as the capture graph does, and how an ended step
// reaches the UI thread.
#include "controller_fixture.h"
#include "base/unique_handle.h"
#include "controller/step_message.h"
#include "resources/resource_ids.h"

#include <algorithm>
#include <atomic>
#include <stdexcept>
#include <thread>

namespace {

using FrameDispatch = ControllerFixture;

TEST(StepHandOffRun, AStepThatThrowsHasFailedAndItsMessageIsTheStepError) {
    StepHandOff handOff;
    EXPECT_EQ(handOff.Run([]() -> StepResult { throw std::runtime_error("OpenCV"); }), StepResult::Failed);
    std::vector<std::wstring> shown;
    {
        testsupport::BoxDismisser boxes([&shown](HWND box) { shown.push_back(testsupport::WindowTexts(box)); });
        ShowStepMessage(handOff.pendingMessage);
        ShowStepMessage(0);
    }
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_NE(shown[0].find(L"#" + std::to_wstring(IDS_STEP_ERROR)), std::wstring::npos);
}

TEST_F(FrameDispatch, NoModeWorkWhilePausedOrPaintingOrWithoutABuffer) {
    SetMode(Mode::FindGain, true);
    controller.SetPaused(true);
    DeliverFrames(3);
    controller.SetPaused(false);
    controller.SetPainting(true);
    DeliverFrames(2);
    controller.SetPainting(false);
    std::thread([this] { controller.OnFrame(nullptr); }).join();
    // Gain finding still needs every one of its frames for its verdict.
    ExpectVerdictOnTheLastFrame();
}

// A frame buffer of guard pages: the first read of one holds the reading thread a second and a
// half, as a step may take on a slow computer.
class SlowFrame {
public:
    explicit SlowFrame(const std::vector<BYTE>& content)
        : size_(content.size()),
          buffer_(static_cast<BYTE*>(VirtualAlloc(nullptr, size_, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE))) {
        std::copy(content.begin(), content.end(), buffer_);
        DWORD previous = 0;
        VirtualProtect(buffer_, size_, PAGE_READWRITE | PAGE_GUARD, &previous);
        current_ = this;
        handler_ = AddVectoredExceptionHandler(1, &HoldFirstRead);
    }
    ~SlowFrame() {
        RemoveVectoredExceptionHandler(handler_);
        current_ = nullptr;
        VirtualFree(buffer_, 0, MEM_RELEASE);
    }
    const BYTE* Data() const { return buffer_; }
    bool ReadBegins(DWORD milliseconds) { return WaitForSingleObject(readBegun_.Get(), milliseconds) == WAIT_OBJECT_0; }

private:
    static LONG CALLBACK HoldFirstRead(EXCEPTION_POINTERS* exception) {
        const EXCEPTION_RECORD& record = *exception->ExceptionRecord;
        SlowFrame* self = current_;
        const auto address = reinterpret_cast<const BYTE*>(record.ExceptionInformation[1]);
        if (record.ExceptionCode != STATUS_GUARD_PAGE_VIOLATION || !self || address < self->buffer_ ||
            address >= self->buffer_ + self->size_)
            return EXCEPTION_CONTINUE_SEARCH;
        // The page is an ordinary one again: the read goes on once this returns.
        if (!self->held_.exchange(true)) {
            SetEvent(self->readBegun_.Get());
            Sleep(1500);
        }
        return EXCEPTION_CONTINUE_EXECUTION;
    }

    static inline SlowFrame* current_ = nullptr;
    size_t size_;
    BYTE* buffer_;
    void* handler_ = nullptr;
    std::atomic<bool> held_{false};
    UniqueHandle<HANDLE, KernelHandleCloser> readBegun_{CreateEventW(nullptr, TRUE, FALSE, nullptr)};
};

TEST_F(FrameDispatch, AModeEnteredDuringASlowStepGetsTheNextFramesAndNoneOfItsEnd) {
    testsupport::BoxDismisser boxes;
    // The spies take their references from the first frame and look at every second one.
    records.coreParameters.tracking.spyInterval = 1;
    SetMode(Mode::Track, true, true);
    DeliverFrames(2);
    std::vector<BYTE> brighter(frame.size(), 0xC0);
    std::thread([this, &brighter] { controller.OnFrame(brighter.data()); }).join();
    // The brighter room ends tracking on the next frame, in a slow step; the user starts gain
    // finding meanwhile.
    SlowFrame slow(brighter);
    std::thread frameThread([this, &slow] { controller.OnFrame(slow.Data()); });
    const bool stepRunning = slow.ReadBegins(10000);
    if (stepRunning) controller.EnterMode(Mode::FindGain);
    frameThread.join();
    ASSERT_TRUE(stepRunning);

    // The main window concludes what was posted: nothing of the old Mode reaches the new one.
    const Notifications posted = TakeNotifications();
    const std::pair<WPARAM, LPARAM> ended{NotifyStepEnded, static_cast<LPARAM>(Mode::Track)};
    ASSERT_NE(std::find(posted.begin(), posted.end(), ended), posted.end()) << "the slow step ended tracking";
    controller.OnStepEnded();
    EXPECT_EQ(boxes.BoxesClosed(), 0);
    EXPECT_EQ(controller.CurrentMode(), Mode::FindGain);
    // Gain finding takes the next frames from its start, up to its verdict.
    EXPECT_EQ(FindGain(), 0);
}

}  // namespace
