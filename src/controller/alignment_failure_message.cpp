#include "controller/alignment_failure_message.h"

#include "resources/resource_ids.h"

int AlignmentFailureMessage(AlignmentFailure failure) {
    switch (failure) {
    case AlignmentFailure::TooFewCorners:
        return IDS_LOSING_CORNERS;
    case AlignmentFailure::Bad:
        return IDS_ALIGNMENT_BAD;
    case AlignmentFailure::Coarse:
        return IDS_ALIGNMENT_COARSE;
    case AlignmentFailure::Unknown:
        break;
    }
    return IDS_ALIGNMENT_FAIL;
}
