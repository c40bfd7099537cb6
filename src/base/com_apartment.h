#pragma once
// COM on the calling thread as a single-threaded apartment, for the holder's life. Only an
// initialisation that succeeded (S_OK, or S_FALSE when the thread had COM already) is undone.
#include <objbase.h>

class ComApartment {
public:
    ComApartment() : result_(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)) {}
    ~ComApartment() {
        if (Started()) CoUninitialize();
    }
    ComApartment(const ComApartment&) = delete;
    ComApartment& operator=(const ComApartment&) = delete;

    bool Started() const { return SUCCEEDED(result_); }
    HRESULT Result() const { return result_; }

private:
    HRESULT result_;
};
