#pragma once
// What the capture side hands frames to. One PrepareFrame before the first frame, then every
// frame of exactly that format, one call at a time, on a thread other than the UI thread; a
// ChangeFormat on that thread comes before the first frame of another format.
#include <windows.h>

class FrameSink {
public:
    virtual ~FrameSink() = default;
    // The connected format; called before the graph runs.
    virtual void PrepareFrame(const BITMAPINFOHEADER& format) = 0;
    // Mid-stream, a sample brought another frame layout; the frames after this call have it.
    virtual void ChangeFormat(const BITMAPINFOHEADER& format) = 0;
    // One frame; the buffer belongs to the sample and is valid only during the call.
    virtual void OnFrame(const BYTE* buffer) = 0;
};
