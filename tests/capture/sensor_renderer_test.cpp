#include "capture/sensor_renderer.h"

#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include "capture/discard_renderer.h"
#include "renderer_test_support.h"

using Microsoft::WRL::ComPtr;

namespace {

constexpr HRESULT kInvalidPixelFormat = static_cast<HRESULT>(0x88760091);
constexpr long kFrameBytes = 960 * 240;

class SensorRendererTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(SUCCEEDED(CoInitializeEx(nullptr, COINIT_MULTITHREADED)));
        ASSERT_EQ(SensorRenderer::Create(&sink_, filter_), S_OK);
        renderer_ = static_cast<SensorRenderer*>(filter_.Get());
        ASSERT_EQ(filter_->FindPin(L"In", &pin_), S_OK);
        ASSERT_EQ(pin_.As(&input_), S_OK);
        upstream_ = TakeReference(new FakeOutputPin());
        VideoType rgb(MEDIASUBTYPE_RGB24, 320, 240);
        ASSERT_EQ(pin_->ReceiveConnection(upstream_.Get(), rgb.Get()), S_OK);
    }
    void TearDown() override {
        if (allocator_) allocator_->Decommit();
        allocator_.Reset();
        input_.Reset();
        pin_.Reset();
        renderer_ = nullptr;
        if (filter_) {
            EXPECT_EQ(filter_.Reset(), 0u);
        }
        CoUninitialize();
    }

    ComPtr<IMediaSample> Sample(long bytes = kFrameBytes) {
        if (!allocator_) {
            EXPECT_EQ(CoCreateInstance(CLSID_MemoryAllocator, nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(&allocator_)),
                      S_OK);
            ALLOCATOR_PROPERTIES wanted{2, bytes, 1, 0};
            ALLOCATOR_PROPERTIES actual{};
            EXPECT_EQ(allocator_->SetProperties(&wanted, &actual), S_OK);
            EXPECT_EQ(allocator_->Commit(), S_OK);
        }
        ComPtr<IMediaSample> sample;
        EXPECT_EQ(allocator_->GetBuffer(&sample, nullptr, nullptr, 0), S_OK);
        return sample;
    }

    RecordingSink sink_;
    ComPtr<IBaseFilter> filter_;
    SensorRenderer* renderer_ = nullptr;
    ComPtr<IPin> pin_;
    ComPtr<IMemInputPin> input_;
    ComPtr<FakeOutputPin> upstream_;
    ComPtr<IMemAllocator> allocator_;
};

// RGB24 taken and YUY2 refused are met by every scenario and by program_yuy2_sensor_cannot_preview.
TEST_F(SensorRendererTest, CheckMediaTypeAnswersAndRefusesTypesWithoutAVideoInfoBlock) {
    const struct { const char* what; GUID subtype; WORD bits; void (*change)(AM_MEDIA_TYPE&); HRESULT expected; } cases[] = {
        {"VIDEOINFOHEADER2", MEDIASUBTYPE_RGB24, 24, [](AM_MEDIA_TYPE& t) { t.formattype = FORMAT_VideoInfo2; }, E_INVALIDARG},
        {"audio", MEDIASUBTYPE_RGB24, 24, [](AM_MEDIA_TYPE& t) { t.majortype = MEDIATYPE_Audio; }, VFW_E_INVALIDMEDIATYPE},
        {"RGB565", MEDIASUBTYPE_RGB565, 16, [](AM_MEDIA_TYPE&) {}, kInvalidPixelFormat},
        {"no format block", MEDIASUBTYPE_RGB24, 24, [](AM_MEDIA_TYPE& t) { t.pbFormat = nullptr; }, E_INVALIDARG},
        {"short format block", MEDIASUBTYPE_RGB24, 24, [](AM_MEDIA_TYPE& t) { t.cbFormat = sizeof(VIDEOINFOHEADER) - 1; },
         E_INVALIDARG},
    };
    for (const auto& c : cases) {
        VideoType type(c.subtype, 320, 240, c.bits);
        c.change(*type.Get());
        EXPECT_EQ(renderer_->CheckMediaType(type.Get()), c.expected) << c.what;
    }
    VideoType missing(MEDIASUBTYPE_RGB24, 320, 240);
    missing->pbFormat = nullptr;
    EXPECT_EQ(renderer_->SetMediaType(missing.Get()), E_FAIL);
    EXPECT_EQ(sink_.Calls(), (SinkCalls{1, 0, 0}));  // only the connection's
}

// The upstream pin let go of at the end is sensor_stream's live-object count.
TEST_F(SensorRendererTest, DisconnectOnlyWhenStoppedAndEnumeratorsKeepNoFilterReference) {
    EXPECT_EQ(filter_->Run(0), S_OK);
    EXPECT_EQ(pin_->Disconnect(), VFW_E_NOT_STOPPED);
    EXPECT_EQ(filter_->Stop(), S_OK);
    EXPECT_EQ(pin_->Disconnect(), S_OK);
    EXPECT_EQ(pin_->Disconnect(), S_FALSE);
    // A reference the pin or an enumerator keeps on the filter shows when TearDown releases it.
    ComPtr<IEnumPins> pins;
    ASSERT_EQ(filter_->EnumPins(&pins), S_OK);
    ComPtr<IPin> first;
    ULONG fetched = 0;
    ASSERT_EQ(pins->Next(1, &first, &fetched), S_OK);
    EXPECT_EQ(first.Get(), pin_.Get());
    EXPECT_EQ(pins->Next(1, &first, &fetched), S_FALSE);
    ComPtr<IEnumMediaTypes> types;
    ASSERT_EQ(pin_->EnumMediaTypes(&types), S_OK);
    AM_MEDIA_TYPE* type = nullptr;
    EXPECT_EQ(types->Next(1, &type, &fetched), S_FALSE);
    EXPECT_EQ(fetched, 0u);
    PIN_INFO info{};
    ASSERT_EQ(pin_->QueryPinInfo(&info), S_OK);
    EXPECT_EQ(info.dir, PINDIR_INPUT);
    info.pFilter->Release();
}

TEST_F(SensorRendererTest, OnlyWholeFramesReachTheSinkAndOnlyWhileRunning) {
    ComPtr<IMediaSample> sample = Sample();
    EXPECT_EQ(input_->Receive(sample.Get()), VFW_E_WRONG_STATE);
    ASSERT_EQ(filter_->Run(0), S_OK);
    EXPECT_EQ(input_->Receive(sample.Get()), S_OK);
    EXPECT_EQ(sink_.frames, 1);
    ASSERT_EQ(filter_->Stop(), S_OK);
    EXPECT_EQ(input_->Receive(sample.Get()), VFW_E_WRONG_STATE);
    allocator_->Decommit();
    allocator_.Reset();
    // A buffer shorter than a frame is taken from upstream but not handed on.
    ASSERT_EQ(filter_->Run(0), S_OK);
    ComPtr<IMediaSample> half = Sample(kFrameBytes / 2);
    EXPECT_EQ(input_->Receive(half.Get()), S_OK);
    EXPECT_EQ(sink_.frames, 1);
    filter_->Stop();
}

TEST_F(SensorRendererTest, ASampleRepeatingTheLayoutChangesNothingAndAnotherLayoutComesAsAChange) {
    ASSERT_EQ(filter_->Run(0), S_OK);
    ComPtr<IMediaSample> sample = Sample();
    // The same frames at another rate.
    VideoType slower(MEDIASUBTYPE_RGB24, 320, 240);
    reinterpret_cast<VIDEOINFOHEADER*>(slower->pbFormat)->AvgTimePerFrame = 666666;
    ASSERT_EQ(sample->SetMediaType(slower.Get()), S_OK);
    EXPECT_EQ(input_->Receive(sample.Get()), S_OK);
    EXPECT_EQ(sink_.Calls(), (SinkCalls{1, 0, 1}));

    // A smaller picture reaches the sink as a change, before its frame.
    VideoType smaller(MEDIASUBTYPE_RGB24, 160, 120);
    ASSERT_EQ(sample->SetMediaType(smaller.Get()), S_OK);
    EXPECT_EQ(input_->Receive(sample.Get()), S_OK);
    EXPECT_EQ(sink_.Calls(), (SinkCalls{1, 1, 2}));
    EXPECT_EQ(sink_.header.biWidth, 160);
    AM_MEDIA_TYPE connected{};
    ASSERT_EQ(pin_->ConnectionMediaType(&connected), S_OK);
    EXPECT_EQ(reinterpret_cast<VIDEOINFOHEADER*>(connected.pbFormat)->bmiHeader.biWidth, 160);
    CoTaskMemFree(connected.pbFormat);

    // One the renderer cannot take is refused and the frames keep the last layout.
    VideoType yuy2(MEDIASUBTYPE_YUY2, 320, 240, 16);
    ASSERT_EQ(sample->SetMediaType(yuy2.Get()), S_OK);
    EXPECT_EQ(input_->Receive(sample.Get()), VFW_E_INVALIDMEDIATYPE);
    EXPECT_EQ(sink_.Calls(), (SinkCalls{1, 1, 2}));
    filter_->Stop();
}

TEST_F(SensorRendererTest, UntimedSamplesRenderAtOnceAndStopEndsTheWaitOfATimedOne) {
    // On the platform's clock, stream time zero lies 10 s ahead.
    ComPtr<IReferenceClock> clock;
    ASSERT_EQ(CoCreateInstance(CLSID_SystemClock, nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(&clock)), S_OK);
    ASSERT_EQ(filter_->SetSyncSource(clock.Get()), S_OK);
    REFERENCE_TIME now = 0;
    clock->GetTime(&now);
    ASSERT_EQ(filter_->Run(now + 100'000'000), S_OK);
    ComPtr<IMediaSample> sample = Sample();
    EXPECT_EQ(input_->Receive(sample.Get()), S_OK);
    EXPECT_EQ(sink_.frames, 1);
    REFERENCE_TIME start = 0, stop = 333'333;  // due in 10 s
    ASSERT_EQ(sample->SetTime(&start, &stop), S_OK);
    HRESULT received = E_FAIL;
    std::thread streaming([&] { received = input_->Receive(sample.Get()); });
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    EXPECT_EQ(sink_.frames, 1);
    const auto stopped = std::chrono::steady_clock::now();
    filter_->Stop();
    streaming.join();
    EXPECT_LT(std::chrono::steady_clock::now() - stopped, std::chrono::seconds(5));
    EXPECT_EQ(received, S_FALSE);
    EXPECT_EQ(sink_.frames, 1);
    filter_->SetSyncSource(nullptr);
}

TEST(DiscardRenderer, TakesAnyTypeAndDropsSamples) {
    ComPtr<IBaseFilter> filter;
    ASSERT_EQ(DiscardRenderer::Create(filter), S_OK);
    auto* renderer = static_cast<DiscardRenderer*>(filter.Get());
    VideoType yuy2(MEDIASUBTYPE_YUY2, 640, 480, 16);
    EXPECT_EQ(renderer->CheckMediaType(yuy2.Get()), S_OK);
    EXPECT_EQ(renderer->SetMediaType(yuy2.Get()), S_OK);
    EXPECT_EQ(filter.Reset(), 0u);
}

}  // namespace
