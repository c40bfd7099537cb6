#pragma once
// The message that tells the user why an alignment failed.
#include "alignment/screen_mapping.h"

int AlignmentFailureMessage(AlignmentFailure failure);
