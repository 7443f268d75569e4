// GoogleTest's place for platform settings, found before its own empty one. The win32 thread
// model of the tool chain has no std::mutex or std::condition_variable, which GoogleTest's
// Notification is built on; this one is a Win32 event.
#pragma once
#include <windows.h>

#define GTEST_HAS_NOTIFICATION_ 1

namespace testing::internal {

class Notification {
public:
    Notification() : ereignis_(CreateEventA(nullptr, TRUE, FALSE, nullptr)) {}
    ~Notification() { CloseHandle(ereignis_); }
    Notification(const Notification&) = delete;
    Notification& operator=(const Notification&) = delete;

    void Notify() { SetEvent(ereignis_); }
    void WaitForNotification() { WaitForSingleObject(ereignis_, INFINITE); }

private:
    HANDLE ereignis_;
};

}  // namespace testing::internal
