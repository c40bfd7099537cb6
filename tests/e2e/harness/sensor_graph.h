#pragma once
// A capture graph of the virtual sensor, Wine's Sample Grabber and the Null Renderer, with the
// frames counted and the newest one kept for the checks.
#include <windows.h>
#include <dshow.h>
#include <wrl/client.h>

#include <cstdint>
#include <mutex>
#include <string>
#include <vector>

#include "base/unique_handle.h"

struct VideoDevice {
    Microsoft::WRL::ComPtr<IMoniker> moniker;
    std::wstring displayName;
    std::wstring friendlyName;
};

// Video input devices in the enumerator's order.
std::vector<VideoDevice> ListVideoDevices();

class SensorGraph {
public:
    SensorGraph();
    ~SensorGraph();
    SensorGraph(const SensorGraph&) = delete;
    SensorGraph& operator=(const SensorGraph&) = delete;

    // Binds the first device whose display name contains "vid_05e1&pid_0500", asks for
    // width x height RGB24 and connects the stream; the failing step's name is in `failedStep`.
    HRESULT Build(int width, int height, std::string* failedStep);
    HRESULT Run();
    HRESULT Stop();

    IBaseFilter* Source() const { return source_.Get(); }
    IMediaEventEx* Events() const { return events_.Get(); }
    int Width() const { return width_; }
    int Height() const { return height_; }
    int Stride() const { return (width_ * 3 + 3) & ~3; }
    long Frames() const;
    // Waits for a frame delivered after the call and copies it (bottom-up RGB24 rows).
    bool NextFrame(std::vector<uint8_t>* pixels, DWORD timeoutMs);
    // Drops every reference the graph holds.
    void Release();

private:
    class Grabber;
    Grabber* grabber_;
    Microsoft::WRL::ComPtr<IGraphBuilder> graph_;
    Microsoft::WRL::ComPtr<ICaptureGraphBuilder2> builder_;
    Microsoft::WRL::ComPtr<IBaseFilter> source_;
    Microsoft::WRL::ComPtr<IBaseFilter> sampleGrabber_;
    Microsoft::WRL::ComPtr<IBaseFilter> nullRenderer_;
    Microsoft::WRL::ComPtr<IMediaEventEx> events_;
    int width_ = 0, height_ = 0;
};

// Sets the camera control's exposure; the result of IAMCameraControl::Set.
HRESULT SetExposure(IBaseFilter* source, long value);

// The virtual sensor DLL's count of live COM objects in this process (0 when it is not loaded).
long SensorLiveObjects();
