#pragma once
// A preview graph from one capture device to one renderer, built step by step. The sensor and the
// companion device build theirs the same way and report the same failures.
#include <windows.h>
#include <dshow.h>
#include <wrl/client.h>

#include "capture/graph_step.h"

class CaptureGraph {
public:
    CaptureGraph() = default;
    ~CaptureGraph() { Release(); }
    CaptureGraph(const CaptureGraph&) = delete;
    CaptureGraph& operator=(const CaptureGraph&) = delete;

    GraphStep CreateGraph();
    // `made` is the result of making the renderer; the renderer goes in as "Video Renderer".
    GraphStep AddRenderer(HRESULT made, Microsoft::WRL::ComPtr<IBaseFilter> renderer);
    // Graph events go to the window as `message` (only when the graph offers IMediaEventEx).
    void NotifyWindow(HWND window, UINT message);
    GraphStep CreateBuilder();
    // The capture device goes in as "Video Capture".
    GraphStep AddSource(IBaseFilter* source);
    GraphStep RenderPreview();
    GraphStep Run();
    GraphStep Stop();
    // Stops, detaches the event window, takes the graph apart and releases everything.
    void Release();

    bool Exists() const { return static_cast<bool>(graph_); }
    ICaptureGraphBuilder2* Builder() const { return builder_.Get(); }
    IMediaEventEx* Events() const { return events_.Get(); }

private:
    GraphStep Control(HRESULT (STDMETHODCALLTYPE IMediaControl::*call)(), const wchar_t* failure);
    // Removes every filter downstream of `filter`, deepest first.
    void RemoveDownstream(IBaseFilter* filter);

    Microsoft::WRL::ComPtr<IGraphBuilder> graph_;
    Microsoft::WRL::ComPtr<ICaptureGraphBuilder2> builder_;
    Microsoft::WRL::ComPtr<IBaseFilter> renderer_;
    Microsoft::WRL::ComPtr<IBaseFilter> source_;
    Microsoft::WRL::ComPtr<IMediaEventEx> events_;
};
