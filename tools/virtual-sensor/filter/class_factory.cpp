#include "class_factory.h"

#include <new>

#include "capture_filter.h"

HRESULT ClassFactory::QueryInterface(REFIID iid, void** object) {
    if (!object) return E_POINTER;
    if (iid == IID_IUnknown || iid == IID_IClassFactory) {
        *object = static_cast<IClassFactory*>(this);
        AddRef();
        return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
}

HRESULT ClassFactory::CreateInstance(IUnknown* outer, REFIID iid, void** object) {
    if (!object) return E_POINTER;
    *object = nullptr;
    if (outer) return CLASS_E_NOAGGREGATION;
    auto* filter = new (std::nothrow) CaptureFilter();
    if (!filter) return E_OUTOFMEMORY;
    const HRESULT result = filter->QueryInterface(iid, object);
    filter->Release();
    return result;
}

HRESULT ClassFactory::LockServer(BOOL lock) {
    ::LiveObjects::Lock(lock != FALSE);
    return S_OK;
}
