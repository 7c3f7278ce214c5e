#include "widgets/dialog_placement.h"

#include "base/checked.h"

namespace quorvex {

int DialogTopNextToBar(int barTop, int barHeight, int dialogHeight, int monitorTop) {
    if (CheckedSub(barTop, monitorTop) > dialogHeight) return CheckedSub(barTop, dialogHeight);
    return CheckedAdd(barTop, barHeight);
}

}  // namespace quorvex
