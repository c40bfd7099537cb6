// Entry points of the virtual sensor's COM server.
#include <windows.h>

#include <new>

#include "capture_filter.h"
#include "class_factory.h"
#include "live_objects.h"
#include "registration.h"

namespace {
HMODULE g_module = nullptr;
}

extern "C" {

BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
    if (reason == DLL_PROCESS_ATTACH) {
        g_module = instance;
        DisableThreadLibraryCalls(instance);
    }
    return TRUE;
}

HRESULT STDAPICALLTYPE DllGetClassObject(REFCLSID clsid, REFIID iid, void** object) {
    if (!object) return E_POINTER;
    *object = nullptr;
    if (clsid != CLSID_VirtualSensor) return CLASS_E_CLASSNOTAVAILABLE;
    auto* factory = new (std::nothrow) ClassFactory();
    if (!factory) return E_OUTOFMEMORY;
    const HRESULT result = factory->QueryInterface(iid, object);
    factory->Release();
    return result;
}

HRESULT STDAPICALLTYPE DllCanUnloadNow() {
    return LiveObjects::Count() == 0 && LiveObjects::Locks() == 0 ? S_OK : S_FALSE;
}

HRESULT STDAPICALLTYPE DllRegisterServer() { return RegisterSensor(g_module); }

HRESULT STDAPICALLTYPE DllUnregisterServer() { return UnregisterSensor(); }

// Number of the DLL's COM objects alive now (filters, enumerators, class factories); tests use it
// to check that everything they were handed was released.
long STDAPICALLTYPE VSensorLiveObjects() { return LiveObjects::Count(); }

}  // extern "C"
