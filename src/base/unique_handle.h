#pragma once
// Owning holders for Win32 handles and GDI objects: one type per kind of handle, each closing
// its handle exactly once. COM interfaces are held in Microsoft::WRL::ComPtr.
#include <windows.h>

#include <utility>

template <typename Handle, typename Closer, Handle Invalid = Handle()>
class UniqueHandle {
public:
    UniqueHandle() = default;
    explicit UniqueHandle(Handle handle) : handle_(handle) {}
    ~UniqueHandle() { Reset(); }
    UniqueHandle(UniqueHandle&& other) noexcept : handle_(other.Release()) {}
    UniqueHandle& operator=(UniqueHandle&& other) noexcept {
        if (this != &other) Reset(other.Release());
        return *this;
    }
    UniqueHandle(const UniqueHandle&) = delete;
    UniqueHandle& operator=(const UniqueHandle&) = delete;

    Handle Get() const { return handle_; }
    explicit operator bool() const { return handle_ != Invalid; }
    Handle Release() { return std::exchange(handle_, Invalid); }
    void Reset(Handle handle = Invalid) {
        if (handle_ != Invalid) Closer()(handle_);
        handle_ = handle;
    }

private:
    Handle handle_ = Invalid;
};

struct KernelHandleCloser { void operator()(HANDLE h) const { CloseHandle(h); } };
struct GdiObjectCloser { void operator()(HGDIOBJ h) const { DeleteObject(h); } };
struct MemoryDcCloser { void operator()(HDC h) const { DeleteDC(h); } };
struct IconCloser { void operator()(HICON h) const { DestroyIcon(h); } };
struct MenuCloser { void operator()(HMENU h) const { DestroyMenu(h); } };
struct RegistryKeyCloser { void operator()(HKEY h) const { RegCloseKey(h); } };
struct ModuleCloser { void operator()(HMODULE h) const { FreeLibrary(h); } };
// Windows are destroyed by the thread that made them.
struct WindowCloser { void operator()(HWND h) const { DestroyWindow(h); } };

struct FileSearchCloser { void operator()(HANDLE h) const { FindClose(h); } };

using UniqueEvent = UniqueHandle<HANDLE, KernelHandleCloser>;
// Handles that use INVALID_HANDLE_VALUE as "none": files, devices, file searches, and the
// SetupAPI device lists and INF handles.
template <typename Closer>
struct UniqueInvalidValueHandle {
    UniqueInvalidValueHandle() = default;
    explicit UniqueInvalidValueHandle(HANDLE h) : handle(h == INVALID_HANDLE_VALUE ? nullptr : h) {}
    HANDLE Get() const { return handle ? handle.Get() : INVALID_HANDLE_VALUE; }
    explicit operator bool() const { return static_cast<bool>(handle); }
    void Reset() { handle.Reset(); }
    UniqueHandle<HANDLE, Closer> handle;
};
using UniqueFile = UniqueInvalidValueHandle<KernelHandleCloser>;
using UniqueFileSearch = UniqueInvalidValueHandle<FileSearchCloser>;
using UniqueBitmap = UniqueHandle<HBITMAP, GdiObjectCloser>;
using UniqueFont = UniqueHandle<HFONT, GdiObjectCloser>;
using UniqueBrush = UniqueHandle<HBRUSH, GdiObjectCloser>;
using UniquePen = UniqueHandle<HPEN, GdiObjectCloser>;
using UniqueRegion = UniqueHandle<HRGN, GdiObjectCloser>;
using UniqueMemoryDc = UniqueHandle<HDC, MemoryDcCloser>;
using UniqueIcon = UniqueHandle<HICON, IconCloser>;
using UniqueMenu = UniqueHandle<HMENU, MenuCloser>;
using UniqueRegistryKey = UniqueHandle<HKEY, RegistryKeyCloser>;
using UniqueModule = UniqueHandle<HMODULE, ModuleCloser>;
using UniqueWindow = UniqueHandle<HWND, WindowCloser>;

// Selects a GDI object into a device context for the holder's life.
class SelectedObject {
public:
    SelectedObject(HDC dc, HGDIOBJ object) : dc_(dc), previous_(SelectObject(dc, object)) {}
    ~SelectedObject() { SelectObject(dc_, previous_); }
    SelectedObject(const SelectedObject&) = delete;
    SelectedObject& operator=(const SelectedObject&) = delete;

private:
    HDC dc_;
    HGDIOBJ previous_;
};

// A window's device context from GetDC (the whole screen's for a null window), released with
// ReleaseDC.
class WindowDc {
public:
    explicit WindowDc(HWND window) : window_(window), dc_(GetDC(window)) {}
    ~WindowDc() {
        if (dc_) ReleaseDC(window_, dc_);
    }
    WindowDc(const WindowDc&) = delete;
    WindowDc& operator=(const WindowDc&) = delete;
    HDC Get() const { return dc_; }
    explicit operator bool() const { return dc_ != nullptr; }

private:
    HWND window_;
    HDC dc_;
};

// The device context of a WM_PAINT, from BeginPaint to EndPaint.
class PaintDc {
public:
    explicit PaintDc(HWND window) : window_(window), dc_(BeginPaint(window, &paint_)) {}
    ~PaintDc() { EndPaint(window_, &paint_); }
    PaintDc(const PaintDc&) = delete;
    PaintDc& operator=(const PaintDc&) = delete;
    HDC Get() const { return dc_; }

private:
    HWND window_;
    PAINTSTRUCT paint_{};
    HDC dc_;
};
