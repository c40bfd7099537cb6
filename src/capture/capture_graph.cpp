#include "capture/capture_graph.h"

#include <utility>

#include "base/com_object.h"

using Microsoft::WRL::ComPtr;

GraphStep CaptureGraph::CreateGraph() {
    const HRESULT made = CoCreateInstance(CLSID_FilterGraph, nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(&graph_));
    if (FAILED(made)) return GraphStep::Failure(made, L"Cannot instantiate filtergraph");
    return GraphStep::Success(made);
}

GraphStep CaptureGraph::AddRenderer(HRESULT made, ComPtr<IBaseFilter> renderer) {
    if (FAILED(made) || !renderer)
        return GraphStep::Failure(FAILED(made) ? made : E_FAIL, L"Could not create texture renderer object.");
    renderer_ = std::move(renderer);
    const HRESULT added = graph_->AddFilter(renderer_.Get(), L"Video Renderer");
    if (FAILED(added)) return GraphStep::Failure(added, L"Could not add renderer filter to graph.");
    // Without IMediaEventEx the graph runs without telling anyone about device loss.
    graph_->QueryInterface(IID_IMediaEventEx, reinterpret_cast<void**>(events_.ReleaseAndGetAddressOf()));
    return GraphStep::Success(added);
}

void CaptureGraph::NotifyWindow(HWND window, UINT message) {
    if (events_) events_->SetNotifyWindow(reinterpret_cast<OAHWND>(window), message, 0);
}

GraphStep CaptureGraph::CreateBuilder() {
    const HRESULT made =
        CoCreateInstance(CLSID_CaptureGraphBuilder2, nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(&builder_));
    if (FAILED(made)) return GraphStep::Failure(made, L"Could not create the capture graph builder!");
    const HRESULT set = builder_->SetFiltergraph(graph_.Get());
    if (FAILED(set)) return GraphStep::Failure(set, L"Failed to set capture filter graph!");
    return GraphStep::Success(set);
}

GraphStep CaptureGraph::AddSource(IBaseFilter* source) {
    const HRESULT added = source ? graph_->AddFilter(source, L"Video Capture") : E_POINTER;
    if (FAILED(added)) return GraphStep::Failure(added, L"Cannot add vidcap to filtergraph");
    source_ = source;
    return GraphStep::Success(added);
}

// A source without a preview pin is rendered from its capture pin (VFW_S_NOPREVIEWPIN, a success).
GraphStep CaptureGraph::RenderPreview() {
    const HRESULT rendered =
        builder_->RenderStream(&PIN_CATEGORY_PREVIEW, &MEDIATYPE_Video, source_.Get(), nullptr, renderer_.Get());
    if (FAILED(rendered)) return GraphStep::Failure(rendered, L"This graph cannot preview!");
    return GraphStep::Success(rendered);
}

GraphStep CaptureGraph::Run() { return Control(&IMediaControl::Run, L"Cannot run graph"); }

GraphStep CaptureGraph::Stop() { return Control(&IMediaControl::Stop, L"Cannot stop graph"); }

GraphStep CaptureGraph::Control(HRESULT (STDMETHODCALLTYPE IMediaControl::*call)(), const wchar_t* failure) {
    ComPtr<IMediaControl> control;
    HRESULT result = graph_ ? graph_.As(&control) : E_POINTER;
    if (SUCCEEDED(result)) result = (control.Get()->*call)();
    if (FAILED(result)) {
        // A graph that did not start is left stopped, not half running.
        if (control && call == &IMediaControl::Run) control->Stop();
        return GraphStep::Failure(result, failure);
    }
    return GraphStep::Success(result);
}

void CaptureGraph::Release() {
    if (graph_) Stop();
    if (events_) events_->SetNotifyWindow(0, 0, 0);
    if (graph_ && source_) RemoveDownstream(source_.Get());
    events_.Reset();
    source_.Reset();
    renderer_.Reset();
    builder_.Reset();
    graph_.Reset();
}

void CaptureGraph::RemoveDownstream(IBaseFilter* filter) {
    ComPtr<IEnumPins> pins;
    if (FAILED(filter->EnumPins(&pins))) return;
    ComPtr<IPin> pin;
    while (pins->Next(1, &pin, nullptr) == S_OK) {
        ComPtr<IPin> other;
        if (SUCCEEDED(pin->ConnectedTo(&other)) && other) {
            PIN_INFO info{};
            if (SUCCEEDED(other->QueryPinInfo(&info))) {
                const ComPtr<IBaseFilter> downstream = TakeReference(info.pFilter);
                if (info.dir == PINDIR_INPUT && downstream) {
                    RemoveDownstream(downstream.Get());
                    graph_->Disconnect(other.Get());
                    graph_->Disconnect(pin.Get());
                    graph_->RemoveFilter(downstream.Get());
                }
            }
        }
        pin.Reset();
    }
}
