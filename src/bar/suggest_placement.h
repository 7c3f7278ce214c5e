#pragma once
// Where the suggestion list opens: under the query box, or above it when the
// bar's monitor has no room below (the bar usually sits on the taskbar).
#include "base/desktop.h"

namespace quorvex {

// The list's rectangle for a `width` × `height` list and the query box's
// rectangle `box` (screen pixels) on a monitor with `workArea`. Below the box
// when the list fits there, else above it when it fits there, else on the
// side with more room, cut to that room. Moved left as little as needed to
// end inside the work area, never past its left edge; never narrower than 1
// or lower than 0.
TRectI PlaceSuggestList(const TRectI& box, int width, int height, const TRectI& workArea);

}  // namespace quorvex
