#pragma once
// Display scale: the program's lengths are written for 96 DPI (100 %) and
// scaled to the DPI of the window they appear in. Everything that turns a
// design length into pixels goes through ScaleLength.
namespace quorvex {

// The DPI the design lengths are written for.
constexpr int DesignDpi = 96;

// `length` at `fromDpi` expressed at `toDpi`, rounded to the nearest pixel
// (halves away from zero, as MulDiv does). Throws RangeError when a DPI is not
// positive or the result does not fit an int.
int ScaleLength(int length, int toDpi, int fromDpi = DesignDpi);

// The artwork scale (100 or 200 %, the sets built in) drawn at `dpi`: the
// nearest one at or above the display scale, so pictures are only ever
// scaled down; 200 % above that (the only case where artwork is enlarged).
int ArtworkPercentFor(int dpi);

}  // namespace quorvex
