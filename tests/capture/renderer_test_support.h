#pragma once
// Pieces the renderer tests share: a frame sink that records what reaches it, video media types,
// and an upstream pin that only says it is an output pin.
#include <windows.h>
#include <dshow.h>
#include <wrl/client.h>

#include <array>
#include <atomic>

#include "base/com_object.h"
#include "capture/frame_sink.h"

// Prepared, changed and frame calls.
using SinkCalls = std::array<int, 3>;

class RecordingSink : public FrameSink {
public:
    SinkCalls Calls() const { return {prepared, changed, frames}; }
    void PrepareFrame(const BITMAPINFOHEADER& format) override {
        ++prepared;
        header = format;
    }
    void ChangeFormat(const BITMAPINFOHEADER& format) override {
        ++changed;
        header = format;
    }
    // Which buffer arrives is judged by sensor_stream, on the pictures it shows.
    void OnFrame(const BYTE*) override { ++frames; }
    int prepared = 0;
    int changed = 0;
    BITMAPINFOHEADER header{};
    std::atomic<int> frames{0};
};

// A video type over a caller-owned VIDEOINFOHEADER.
class VideoType {
public:
    VideoType(const GUID& subtype, LONG width, LONG height, WORD bits = 24) {
        info_.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
        info_.bmiHeader.biWidth = width;
        info_.bmiHeader.biHeight = height;
        info_.bmiHeader.biPlanes = 1;
        info_.bmiHeader.biBitCount = bits;
        info_.AvgTimePerFrame = 333333;
        type_.majortype = MEDIATYPE_Video;
        type_.subtype = subtype;
        type_.bFixedSizeSamples = TRUE;
        type_.formattype = FORMAT_VideoInfo;
        type_.cbFormat = sizeof(info_);
        type_.pbFormat = reinterpret_cast<BYTE*>(&info_);
    }
    AM_MEDIA_TYPE* operator->() { return &type_; }
    AM_MEDIA_TYPE* Get() { return &type_; }

private:
    VIDEOINFOHEADER info_{};
    AM_MEDIA_TYPE type_{};
};

// An upstream output pin that is only ever asked for its direction.
class FakeOutputPin : public ComObject<IPin> {
public:
    STDMETHODIMP Connect(IPin*, const AM_MEDIA_TYPE*) override { return E_NOTIMPL; }
    STDMETHODIMP ReceiveConnection(IPin*, const AM_MEDIA_TYPE*) override { return E_NOTIMPL; }
    STDMETHODIMP Disconnect() override { return E_NOTIMPL; }
    STDMETHODIMP ConnectedTo(IPin**) override { return E_NOTIMPL; }
    STDMETHODIMP ConnectionMediaType(AM_MEDIA_TYPE*) override { return E_NOTIMPL; }
    STDMETHODIMP QueryPinInfo(PIN_INFO*) override { return E_NOTIMPL; }
    STDMETHODIMP QueryDirection(PIN_DIRECTION* direction) override {
        *direction = PINDIR_OUTPUT;
        return S_OK;
    }
    STDMETHODIMP QueryId(LPWSTR*) override { return E_NOTIMPL; }
    STDMETHODIMP QueryAccept(const AM_MEDIA_TYPE*) override { return E_NOTIMPL; }
    STDMETHODIMP EnumMediaTypes(IEnumMediaTypes**) override { return E_NOTIMPL; }
    STDMETHODIMP QueryInternalConnections(IPin**, ULONG*) override { return E_NOTIMPL; }
    STDMETHODIMP EndOfStream() override { return E_NOTIMPL; }
    STDMETHODIMP BeginFlush() override { return E_NOTIMPL; }
    STDMETHODIMP EndFlush() override { return E_NOTIMPL; }
    STDMETHODIMP NewSegment(REFERENCE_TIME, REFERENCE_TIME, double) override { return E_NOTIMPL; }
};
