// The double-click and drag values are widened in Track and written back exactly on leaving it
// and at shutdown (read back from the system).
#include "controller_fixture.h"
#include "controller/mouse_values.h"
#include "desktop_test_support.h"

namespace {

// Values a user might have, none equal to what tracking sets.
constexpr MouseValues kUserValues = {6, 5, 432, 3, 2};

void Apply(const MouseValues& v) {
    SystemParametersInfoW(SPI_SETDOUBLECLICKTIME, static_cast<UINT>(v.doubleClickTime), nullptr, 0);
    SystemParametersInfoW(SPI_SETDOUBLECLKWIDTH, static_cast<UINT>(v.doubleClickWidth), nullptr, 0);
    SystemParametersInfoW(SPI_SETDOUBLECLKHEIGHT, static_cast<UINT>(v.doubleClickHeight), nullptr, 0);
    SystemParametersInfoW(SPI_SETDRAGWIDTH, static_cast<UINT>(v.dragWidth), nullptr, 0);
    SystemParametersInfoW(SPI_SETDRAGHEIGHT, static_cast<UINT>(v.dragHeight), nullptr, 0);
}

::testing::AssertionResult SystemHas(const MouseValues& expected) {
    const MouseValues now = MouseValues::Current();
    if (now == expected) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure()
           << "double-click " << now.doubleClickWidth << "x" << now.doubleClickHeight << " "
           << now.doubleClickTime << " ms, drag " << now.dragWidth << "x" << now.dragHeight;
}

class MouseValuesInTrack : public ControllerFixture {
protected:
    MouseValuesInTrack() : original_(MouseValues::Current()) { Apply(kUserValues); }
    ~MouseValuesInTrack() override { Apply(original_); }

    testsupport::NamedLock lock_{L"TavroTestMouseValuesLock"};
    testsupport::CursorLock cursor_;
    MouseValues original_;
};

TEST_F(MouseValuesInTrack, SaverChangesOnceAndRestoresTheSnapshot) {
    MouseParameterSaver saver;
    saver.Change();
    EXPECT_TRUE(SystemHas(kUserValues)) << "no snapshot yet: nothing to go back to";
    saver.Snapshot();
    saver.Change();
    EXPECT_TRUE(SystemHas(kTrackingMouseValues));
    EXPECT_TRUE(saver.Changed());
    saver.Restore();
    EXPECT_TRUE(SystemHas(kUserValues));
    EXPECT_FALSE(saver.Changed());
    saver.Restore();
    EXPECT_TRUE(SystemHas(kUserValues));
}

TEST_F(MouseValuesInTrack, EnteringTrackTwiceChangesOnceAndLeavingRestoresExactly) {
    ControllerTestAccess::SnapshotMouseValues(controller);
    SetMode(Mode::Idle, 0, true, true);
    controller.EnterMode(Mode::Track);
    ASSERT_EQ(controller.CurrentMode(), Mode::Track);
    EXPECT_TRUE(SystemHas(kTrackingMouseValues));

    // Someone changes a value while tracking; entering Track again does not set it again.
    SystemParametersInfoW(SPI_SETDOUBLECLICKTIME, 777, nullptr, 0);
    controller.EnterMode(Mode::Track);
    EXPECT_EQ(GetDoubleClickTime(), 777u);

    controller.EnterMode(Mode::Idle);
    EXPECT_TRUE(SystemHas(kUserValues));
}

TEST_F(MouseValuesInTrack, ShutdownInTrackRestores) {
    ControllerTestAccess::SnapshotMouseValues(controller);
    SetMode(Mode::Idle, 0, true, true);
    controller.EnterMode(Mode::Track);
    EXPECT_TRUE(SystemHas(kTrackingMouseValues));
    controller.Shutdown();
    EXPECT_TRUE(SystemHas(kUserValues));
}

TEST_F(MouseValuesInTrack, OtherModesLeaveTheValuesAlone) {
    ControllerTestAccess::SnapshotMouseValues(controller);
    SetMode(Mode::Idle, 0, true, true);
    controller.EnterMode(Mode::ManualAlignment);
    controller.EnterMode(Mode::Idle);
    EXPECT_TRUE(SystemHas(kUserValues));
}

}  // namespace
