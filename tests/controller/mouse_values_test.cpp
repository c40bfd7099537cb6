// The double-click and drag values are widened in Track and written back exactly on leaving it
// and at shutdown (all read back from the system).
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

class MouseValuesInTrack : public ControllerFixture {
protected:
    MouseValuesInTrack() : original_(MouseValues::Current()) { Apply(kUserValues); }
    ~MouseValuesInTrack() override { Apply(original_); }

    testsupport::NamedLock lock_{L"TavroTestMouseValuesLock"};
    MouseValues original_;
};

TEST_F(MouseValuesInTrack, EnteringTrackTwiceChangesOnceAndLeavingOrShutdownRestoresExactly) {
    // Start-up took the user's values; the gain was found and Track left again.
    SetMode(Mode::Idle, true, true);
    EXPECT_TRUE(MouseValues::Current() == kUserValues);
    controller.EnterMode(Mode::FindGain);
    EXPECT_TRUE(MouseValues::Current() == kUserValues) << "only Track changes them";
    controller.EnterMode(Mode::Track);
    ASSERT_EQ(controller.CurrentMode(), Mode::Track);
    EXPECT_TRUE(MouseValues::Current() == kTrackingMouseValues);

    // Someone changes a value while tracking; entering Track again does not set it again.
    SystemParametersInfoW(SPI_SETDOUBLECLICKTIME, 777, nullptr, 0);
    controller.EnterMode(Mode::Track);
    EXPECT_EQ(GetDoubleClickTime(), 777u);

    controller.EnterMode(Mode::Idle);
    EXPECT_TRUE(MouseValues::Current() == kUserValues);

    // Shutdown restores them too. (That it lets go of a held button, and no frame presses it
    // again, is fault_exits_mid_stroke's check.)
    controller.EnterMode(Mode::Track);
    EXPECT_TRUE(MouseValues::Current() == kTrackingMouseValues);
    controller.Shutdown();
    EXPECT_TRUE(MouseValues::Current() == kUserValues);
}

}  // namespace
