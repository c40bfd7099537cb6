#pragma once
// Counts the DLL's live COM objects and server locks, for DllCanUnloadNow and for tests that
// check nothing was leaked.
#include <unknwn.h>

#include <atomic>

class LiveObjects {
public:
    static long Count() { return count_.load(); }
    static long Locks() { return locks_.load(); }
    static void Lock(bool lock) { lock ? ++locks_ : --locks_; }

protected:
    LiveObjects() { ++count_; }
    LiveObjects(const LiveObjects&) { ++count_; }
    ~LiveObjects() { --count_; }

private:
    static std::atomic<long> count_;
    static std::atomic<long> locks_;
};

// Reference counting shared by the DLL's COM objects; QueryInterface stays with each class.
template <typename... Interfaces>
class ComObject : public Interfaces..., private LiveObjects {
public:
    ULONG STDMETHODCALLTYPE AddRef() override { return ++references_; }
    ULONG STDMETHODCALLTYPE Release() override {
        const ULONG left = --references_;
        if (left == 0) delete this;
        return left;
    }

protected:
    virtual ~ComObject() = default;

private:
    std::atomic<ULONG> references_{1};
};
