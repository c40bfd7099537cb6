#pragma once
// A stand-in for a capture filter's control interfaces: per-id ranges, the current values, and a
// log of every Set.
#include <windows.h>
#include <dshow.h>
#include <wrl/client.h>

#include <map>
#include <utility>
#include <vector>

#include "base/com_object.h"

struct FakeRange {
    long minimum, maximum, delta, defaultValue;
};

struct FakeWrite {
    long id, value, flags;
};

using Writes = std::vector<std::pair<long, long>>;

template <typename Controls>
class FakeControls : public ComObject<Controls> {
public:
    std::map<long, FakeRange> ranges;
    std::map<long, long> values;
    std::vector<FakeWrite> writes;
    HRESULT getResult = S_OK;

    // The id and value of every Set, in order.
    Writes Written() const {
        Writes written;
        for (const FakeWrite& write : writes) written.emplace_back(write.id, write.value);
        return written;
    }

    STDMETHODIMP GetRange(long id, long* minimum, long* maximum, long* delta, long* defaultValue,
                          long* capabilities) override {
        const auto found = ranges.find(id);
        if (found == ranges.end()) return E_PROP_ID_UNSUPPORTED;
        *minimum = found->second.minimum;
        *maximum = found->second.maximum;
        *delta = found->second.delta;
        *defaultValue = found->second.defaultValue;
        *capabilities = 2;
        return S_OK;
    }
    STDMETHODIMP Set(long id, long value, long flags) override {
        writes.push_back({id, value, flags});
        values[id] = value;
        return S_OK;
    }
    STDMETHODIMP Get(long id, long* value, long* flags) override {
        *value = values[id];
        *flags = 2;
        return getResult;
    }
};

// Answers QueryInterface for the two control interfaces, as a capture filter does.
class FakeCaptureFilter : public ComObject<IUnknown> {
public:
    Microsoft::WRL::ComPtr<FakeControls<IAMVideoProcAmp>> videoProcAmp =
        TakeReference(new FakeControls<IAMVideoProcAmp>());
    Microsoft::WRL::ComPtr<FakeControls<IAMCameraControl>> cameraControl =
        TakeReference(new FakeControls<IAMCameraControl>());

    STDMETHODIMP QueryInterface(REFIID iid, void** out) override {
        if (iid == IID_IAMVideoProcAmp && videoProcAmp) return videoProcAmp->QueryInterface(iid, out);
        if (iid == IID_IAMCameraControl && cameraControl) return cameraControl->QueryInterface(iid, out);
        return ComObject<IUnknown>::QueryInterface(iid, out);
    }
};
