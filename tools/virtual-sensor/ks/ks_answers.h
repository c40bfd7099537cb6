#pragma once
// The camera's side of the kernel-streaming property requests on its capture interface, as the
// sensor's driver answers them: exposure (value and automatic/manual) of the camera-control set,
// and the mode word and power-line frequency of the vendor set. Every request is also written as
// one line of text for the record. Built into the driver, so it uses no C++ library.
#include <stddef.h>
#include <stdint.h>

struct KsSensorState {
    int32_t exposure = -5;
    uint32_t exposureFlags = 1;  // automatic, as the camera powers up
    int32_t vendorMode = 0;
    int32_t powerLineFrequency = 2;  // the vendor code for 60 Hz
};

enum class KsAnswer {
    kAnswered,     // a get filled the answer, a set was taken
    kNotFound,     // a property set or id the camera does not have
    kTooSmall,     // a buffer shorter than the property's layout
};

struct KsReply {
    KsAnswer answer;
    uint32_t bytes;  // bytes of the answer written to `out`
};

// `request` is the property request as sent (its size `requestSize`); a get's answer goes to
// `out` (`outSize` bytes, which may be the request's own buffer). `line` gets the record line,
// without a line break, cut to `lineSize` - 1 characters.
KsReply AnswerKsProperty(KsSensorState& state, const uint8_t* request, uint32_t requestSize, uint8_t* out,
                         uint32_t outSize, char* line, size_t lineSize);
