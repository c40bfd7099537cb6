#pragma once
// Reference counting and QueryInterface for the small single-interface COM objects of the capture
// side (enumerators and the like). Objects start with one reference owned by their creator.
#include <windows.h>
#include <unknwn.h>

#include <wrl/client.h>

#include <atomic>

// Holds a pointer whose reference the caller already owns (a new object, or an out-parameter
// that was handed over). MinGW's ComPtr::Attach adds a reference of its own, so it cannot do this.
template <typename Interface>
Microsoft::WRL::ComPtr<Interface> TakeReference(Interface* object) {
    Microsoft::WRL::ComPtr<Interface> held;
    *held.GetAddressOf() = object;
    return held;
}

template <typename Interface>
class ComObject : public Interface {
public:
    ComObject() = default;
    ComObject(const ComObject&) = delete;
    ComObject& operator=(const ComObject&) = delete;

    STDMETHODIMP QueryInterface(REFIID iid, void** out) override {
        if (!out) return E_POINTER;
        if (iid == __uuidof(IUnknown) || iid == __uuidof(Interface)) {
            *out = static_cast<Interface*>(this);
            AddRef();
            return S_OK;
        }
        *out = nullptr;
        return E_NOINTERFACE;
    }
    STDMETHODIMP_(ULONG) AddRef() override { return ++references_; }
    STDMETHODIMP_(ULONG) Release() override {
        const ULONG left = --references_;
        if (left == 0) delete this;
        return left;
    }

protected:
    virtual ~ComObject() = default;

private:
    std::atomic<ULONG> references_{1};
};
