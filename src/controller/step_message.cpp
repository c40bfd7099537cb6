#include "controller/step_message.h"

#include "resources/resource_ids.h"
#include "ui/messages.h"

void ShowStepMessage(int id) {
    switch (id) {
    case IDS_TOO_MANY_HOT_SPOTS:
        ShowTooManyHotSpots();
        break;
    case IDS_SMALL_HOT_SPOT:
        ShowSmallHotSpot();
        break;
    case IDS_LIGHT_CHANGED:
        ShowLightChanged();
        break;
    case IDS_STEP_ERROR:
        ShowStepError();
        break;
    case IDS_LOSING_CORNERS:
    case IDS_ALIGNMENT_FAIL:
    case IDS_ALIGNMENT_BAD:
        ShowAlignmentFailure(static_cast<UINT>(id));
        break;
    default:
        break;
    }
}
