#pragma once
/* The driver's one camera, for the driver's C code: answers a property request against the
   camera's state (ks_answers.h) and gives the record line. */
#include <stddef.h>
#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif

enum { kVSensorKsAnswered = 0, kVSensorKsNotFound = 1, kVSensorKsTooSmall = 2 };

/* One of the three results above; `bytes` gets the length of the answer written to `out`. */
int VSensorKsAnswer(const uint8_t* request, uint32_t requestSize, uint8_t* out, uint32_t outSize, char* line,
                    size_t lineSize, uint32_t* bytes);

#ifdef __cplusplus
}
#endif
