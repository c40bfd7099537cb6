#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include "base/com_object.h"
#include "capture/sensor_renderer.h"
#include "renderer_test_support.h"
#include "test_source_filter.h"

using Microsoft::WRL::ComPtr;

namespace {

bool WaitForFrames(const RecordingSink& sink, int count) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (sink.frames < count) {
        if (std::chrono::steady_clock::now() > deadline) return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return true;
}

// The renderer in the platform's filter graph, fed by a source on its own streaming thread.
TEST(RendererGraph, FramesFlowOnTheStreamingThreadAndStopWithTheGraph) {
    ASSERT_TRUE(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)));
    {
        RecordingSink sink;
        ComPtr<IBaseFilter> renderer;
        ASSERT_EQ(SensorRenderer::Create(&sink, renderer), S_OK);
        const ComPtr<TestSourceFilter> source = TakeReference(new TestSourceFilter());
        ComPtr<IGraphBuilder> graph;
        ASSERT_EQ(CoCreateInstance(CLSID_FilterGraph, nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(&graph)), S_OK);
        ASSERT_EQ(graph->AddFilter(static_cast<IBaseFilter*>(source.Get()), L"Test Source"), S_OK);
        ASSERT_EQ(graph->AddFilter(renderer.Get(), L"Video Renderer"), S_OK);
        ComPtr<IPin> input;
        ASSERT_EQ(renderer->FindPin(L"In", &input), S_OK);
        ASSERT_EQ(graph->ConnectDirect(static_cast<IPin*>(source.Get()), input.Get(), nullptr), S_OK);
        EXPECT_EQ(sink.prepared, 1);
        EXPECT_EQ(sink.header.biWidth, 320);

        ComPtr<IMediaControl> control;
        ASSERT_EQ(graph->QueryInterface(IID_IMediaControl, reinterpret_cast<void**>(control.GetAddressOf())), S_OK);
        ASSERT_TRUE(SUCCEEDED(control->Run()));
        EXPECT_TRUE(WaitForFrames(sink, 5));
        ASSERT_TRUE(SUCCEEDED(control->Stop()));
        const int afterStop = sink.frames;
        EXPECT_NE(sink.frameThread, GetCurrentThreadId());
        EXPECT_EQ(afterStop, source->Delivered());
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
        EXPECT_EQ(sink.frames, afterStop);

        control.Reset();
        input.Reset();
        EXPECT_EQ(graph.Reset(), 0u);
        // The graph let go of both filters and their connection.
        EXPECT_EQ(renderer.Reset(), 0u);
        EXPECT_EQ(References(static_cast<IBaseFilter*>(source.Get())), 1u);
    }
    CoUninitialize();
}

}  // namespace
