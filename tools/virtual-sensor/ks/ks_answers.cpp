#include "ks/ks_answers.h"

namespace {

// KSPROPERTY: the set's GUID, the id, the request type (1 get, 2 set).
constexpr uint32_t kIdOffset = 16;
constexpr uint32_t kTypeOffset = 20;
constexpr uint32_t kHeaderSize = 24;
constexpr uint32_t kGet = 1;
constexpr uint32_t kSet = 2;

// The camera-control set: value, flags and capabilities follow the header; 40 bytes in all.
constexpr uint8_t kCameraControlSet[16] = {0x70, 0x33, 0xE1, 0xC6, 0xAC, 0x30, 0xD0, 0x11,
                                           0xA1, 0x8C, 0x00, 0xA0, 0xC9, 0x11, 0x89, 0x56};
constexpr uint32_t kCameraValueOffset = 24;
constexpr uint32_t kCameraFlagsOffset = 28;
constexpr uint32_t kCameraCapabilitiesOffset = 32;
constexpr uint32_t kCameraSize = 40;
constexpr uint32_t kExposureId = 4;
constexpr uint32_t kFlagsAuto = 1;
constexpr uint32_t kCameraCapabilities = 3;  // automatic and manual

// The vendor set of the sensor's driver: flags, capabilities, then the value at byte 52.
constexpr uint8_t kVendorSet[16] = {0x56, 0x4C, 0x97, 0xA7, 0x7E, 0xA7, 0x90, 0x4B,
                                    0x8C, 0xBF, 0x1C, 0x71, 0xEC, 0x30, 0x10, 0x00};
constexpr uint32_t kVendorFlagsOffset = 28;
constexpr uint32_t kVendorCapabilitiesOffset = 32;
constexpr uint32_t kVendorValueOffset = 52;
constexpr uint32_t kVendorSize = 56;
constexpr uint32_t kVendorModeId = 0;
constexpr uint32_t kVendorPowerLineId = 1;
constexpr uint32_t kVendorCapabilities = 2;  // writable

bool SameSet(const uint8_t* request, const uint8_t (&set)[16]) {
    for (int i = 0; i < 16; ++i)
        if (request[i] != set[i]) return false;
    return true;
}

uint32_t Read32(const uint8_t* bytes, uint32_t offset) {
    return static_cast<uint32_t>(bytes[offset]) | static_cast<uint32_t>(bytes[offset + 1]) << 8 |
           static_cast<uint32_t>(bytes[offset + 2]) << 16 | static_cast<uint32_t>(bytes[offset + 3]) << 24;
}

void Write32(uint8_t* bytes, uint32_t offset, uint32_t value) {
    for (int i = 0; i < 4; ++i) bytes[offset + i] = static_cast<uint8_t>(value >> (8 * i));
}

// A line of text in a caller's buffer; what does not fit is cut.
class Line {
public:
    Line(char* text, size_t size) : text_(text), size_(size) {
        if (size_ > 0) text_[0] = '\0';
    }
    Line& operator<<(const char* part) {
        while (*part && length_ + 1 < size_) text_[length_++] = *part++;
        if (size_ > 0) text_[length_] = '\0';
        return *this;
    }
    Line& operator<<(int64_t number) {
        char digits[24];
        int count = 0;
        const bool negative = number < 0;
        uint64_t rest = negative ? static_cast<uint64_t>(-number) : static_cast<uint64_t>(number);
        do {
            digits[count++] = static_cast<char>('0' + rest % 10);
            rest /= 10;
        } while (rest > 0);
        if (negative) digits[count++] = '-';
        char reversed[24];
        for (int i = 0; i < count; ++i) reversed[i] = digits[count - 1 - i];
        reversed[count] = '\0';
        return *this << reversed;
    }

private:
    char* text_;
    size_t size_;
    size_t length_ = 0;
};

struct Exchange {
    const uint8_t* request;
    uint32_t requestSize;
    uint8_t* out;
    uint32_t outSize;
    uint32_t type;
};

// Copies the request into the answer buffer, so the answer carries its header.
void StartAnswer(const Exchange& exchange, uint32_t size) {
    if (exchange.out == exchange.request) return;
    for (uint32_t i = 0; i < size && i < exchange.requestSize; ++i) exchange.out[i] = exchange.request[i];
}

KsReply AnswerExposure(KsSensorState& state, const Exchange& exchange, Line& line) {
    line << "camera exposure ";
    if (exchange.requestSize < kCameraSize || (exchange.type == kGet && exchange.outSize < kCameraSize)) {
        line << "too small";
        return {KsAnswer::kTooSmall, 0};
    }
    if (exchange.type == kSet) {
        state.exposure = static_cast<int32_t>(Read32(exchange.request, kCameraValueOffset));
        state.exposureFlags = Read32(exchange.request, kCameraFlagsOffset);
        line << "set value=" << state.exposure << " flags=" << (state.exposureFlags & kFlagsAuto ? "auto" : "manual");
        return {KsAnswer::kAnswered, 0};
    }
    StartAnswer(exchange, kCameraSize);
    Write32(exchange.out, kCameraValueOffset, static_cast<uint32_t>(state.exposure));
    Write32(exchange.out, kCameraFlagsOffset, state.exposureFlags);
    Write32(exchange.out, kCameraCapabilitiesOffset, kCameraCapabilities);
    line << "get value=" << state.exposure << " flags=" << (state.exposureFlags & kFlagsAuto ? "auto" : "manual");
    return {KsAnswer::kAnswered, kCameraSize};
}

KsReply AnswerVendor(int32_t& value, const char* name, const Exchange& exchange, Line& line) {
    line << "vendor " << name << " ";
    if (exchange.requestSize < kVendorSize || (exchange.type == kGet && exchange.outSize < kVendorSize)) {
        line << "too small";
        return {KsAnswer::kTooSmall, 0};
    }
    if (exchange.type == kSet) {
        value = static_cast<int32_t>(Read32(exchange.request, kVendorValueOffset));
        line << "set value=" << value << " flags=" << static_cast<int64_t>(Read32(exchange.request, kVendorFlagsOffset));
        return {KsAnswer::kAnswered, 0};
    }
    StartAnswer(exchange, kVendorSize);
    Write32(exchange.out, kVendorValueOffset, static_cast<uint32_t>(value));
    Write32(exchange.out, kVendorFlagsOffset, 0);
    Write32(exchange.out, kVendorCapabilitiesOffset, kVendorCapabilities);
    line << "get value=" << value;
    return {KsAnswer::kAnswered, kVendorSize};
}

}  // namespace

KsReply AnswerKsProperty(KsSensorState& state, const uint8_t* request, uint32_t requestSize, uint8_t* out,
                         uint32_t outSize, char* line, size_t lineSize) {
    Line text(line, lineSize);
    if (!request || requestSize < kHeaderSize) {
        text << "request of " << static_cast<int64_t>(requestSize) << " bytes: too small";
        return {KsAnswer::kTooSmall, 0};
    }
    const uint32_t id = Read32(request, kIdOffset);
    const Exchange exchange{request, requestSize, out, out ? outSize : 0, Read32(request, kTypeOffset)};
    if (exchange.type == kGet || exchange.type == kSet) {
        if (SameSet(request, kCameraControlSet) && id == kExposureId) return AnswerExposure(state, exchange, text);
        if (SameSet(request, kVendorSet) && id == kVendorModeId)
            return AnswerVendor(state.vendorMode, "mode", exchange, text);
        if (SameSet(request, kVendorSet) && id == kVendorPowerLineId)
            return AnswerVendor(state.powerLineFrequency, "power_line", exchange, text);
    }
    text << (SameSet(request, kCameraControlSet) ? "camera" : SameSet(request, kVendorSet) ? "vendor" : "other")
         << " id=" << static_cast<int64_t>(id) << " type=" << static_cast<int64_t>(exchange.type) << " not found";
    return {KsAnswer::kNotFound, 0};
}
