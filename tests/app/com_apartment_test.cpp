// COM for the UI thread: started and ended with its holder, and a start that failed is never
// undone (that would end COM that someone else started on the thread).
#include "base/com_apartment.h"

#include <gtest/gtest.h>

#include <thread>

namespace {

TEST(ComApartmentTest, AStartedApartmentEndsWithItsHolderAndAFailedOneNever) {
    std::thread([] {
        {
            const ComApartment apartment;
            EXPECT_TRUE(apartment.Started());
            EXPECT_EQ(apartment.Result(), S_OK);
        }
        // Ended: a new start is a first one again.
        EXPECT_EQ(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED), S_OK);
        CoUninitialize();
    }).join();
    // A failed start leaves the thread's COM alone.
    std::thread([] {
        ASSERT_EQ(CoInitializeEx(nullptr, COINIT_MULTITHREADED), S_OK);
        {
            const ComApartment apartment;
            EXPECT_FALSE(apartment.Started());
            EXPECT_EQ(apartment.Result(), RPC_E_CHANGED_MODE);
        }
        // The multithreaded start is still in force, so another one only counts up.
        EXPECT_EQ(CoInitializeEx(nullptr, COINIT_MULTITHREADED), S_FALSE);
        CoUninitialize();
        CoUninitialize();
    }).join();
}

}  // namespace
