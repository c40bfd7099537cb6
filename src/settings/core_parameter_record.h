#pragma once
// The product's fixed tuning values, kept in tavro_param.und next to the executable. The file
// comes with the product; the program only reads it.
#include "settings/file_result.h"

#include <cstddef>
#include <cstdint>

inline constexpr wchar_t kCoreParameterFileName[] = L"tavro_param.und";

// Sensor controls set once when the sensor starts.
struct SensorInitParameters {
    int32_t frequency;       // power-line frequency in Hz
    int32_t colorEnabled;
    int32_t whiteBalance;
    int32_t backlightComp;
    int32_t gain;
};

// One preset row of sensor picture controls and the detection values that go with it.
struct ImagingParameters {
    int32_t brightness;
    int32_t contrast;
    int32_t hue;
    int32_t saturation;
    int32_t sharpness;
    int32_t gamma;
    int32_t exposureTime;
    int32_t thresGap;        // margin added to the learnt screen brightness
    int32_t range;           // row 0: settle time (ms, or frames below 100)
    int32_t channel;         // colour plane: 0 blue, 1 green, 2 red
};

struct TrackingParameters {
    int32_t dilateCount;
    int32_t spotMaxBand;
    int32_t spotMinArea;
    int32_t spyVariance;
    int32_t spyInterval;
    int32_t noiseThres;
    int32_t noiseRatio;
    int32_t maxAveNoise;
    int32_t hotSpotRatioPercent;
};

struct MiscParameters {
    int32_t findFlip;        // quadrant style of the pattern screen
    int32_t chbSkips;        // short settle frame count
    int32_t lightRatio;
    int32_t reserve3;        // weighting mode of the alignment refinement
    int32_t reserve4;
};

inline constexpr int kPresetRows = 6;   // row 0 general, rows 1-5 for gain levels 1-5
inline constexpr size_t kNameLength = 256;
inline constexpr size_t kSensorTextLength = 260;

struct CoreParameterRecord {
    SensorInitParameters sensorInit;
    ImagingParameters alignment[kPresetRows];
    ImagingParameters findThreshold[kPresetRows];
    TrackingParameters tracking;
    int32_t tuneAlignBrightness[3];
    wchar_t companyName[kNameLength];
    wchar_t productName[kNameLength];   // window title, message box titles, tray tip
    wchar_t sensorVidPid[kSensorTextLength];
    wchar_t sensorUserName[kSensorTextLength];
    wchar_t sensorDefName[kSensorTextLength];
    MiscParameters misc;
};
static_assert(sizeof(SensorInitParameters) == 20);
static_assert(sizeof(ImagingParameters) == 40);
static_assert(sizeof(CoreParameterRecord) == 3152);
static_assert(offsetof(CoreParameterRecord, alignment) == 20);
static_assert(offsetof(CoreParameterRecord, findThreshold) == 260);
static_assert(offsetof(CoreParameterRecord, tracking) == 500);
static_assert(offsetof(CoreParameterRecord, tuneAlignBrightness) == 536);
static_assert(offsetof(CoreParameterRecord, companyName) == 548);
static_assert(offsetof(CoreParameterRecord, productName) == 1060);
static_assert(offsetof(CoreParameterRecord, sensorVidPid) == 1572);
static_assert(offsetof(CoreParameterRecord, sensorUserName) == 2092);
static_assert(offsetof(CoreParameterRecord, sensorDefName) == 2612);
static_assert(offsetof(CoreParameterRecord, misc) == 3132);

// Built-in values; Company Name and Product Name are empty.
CoreParameterRecord DefaultCoreParameters();

// Reads and unscrambles the record. Invalid (2) when short or a Channel lies outside 0-2;
// InvalidText (4) when one of the five texts is empty or has no end inside its slot.
// The file's bytes as a record: short, out-of-range or damaged bytes give a result other than
// Ok and leave `parameters` as it was.
FileResult DecodeCoreParameters(const void* bytes, size_t size, CoreParameterRecord& parameters);
FileResult ReadCoreParameters(CoreParameterRecord& parameters);

// Writes the record with its texts scrambled, as the product ships it. InvalidText when a text
// cannot be scrambled; the program itself never writes this file.
FileResult WriteCoreParameters(const CoreParameterRecord& parameters);
