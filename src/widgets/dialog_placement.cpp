#include "widgets/dialog_placement.h"

#include "base/checked.h"

namespace quorvex {

int DialogTopNextToBar(int barTop, int barHeight, int dialogHeight) {
    if (barTop > dialogHeight) return CheckedSub(barTop, dialogHeight);
    return CheckedAdd(barTop, barHeight);
}

}  // namespace quorvex
