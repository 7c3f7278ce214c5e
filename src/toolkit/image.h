#pragma once
// A windowless picture: drawn at its top-left corner or stretched to its bounds.
#include <string>

#include "toolkit/graphic_control.h"
#include "toolkit/picture.h"

namespace quorvex::tk {

class Image : public GraphicControl {
public:
    Image(Form& parent, std::string name, int left, int top, int width, int height);

    // Takes the picture, drawn for `artworkPercent` (100: one picture pixel
    // per design pixel; 150 and 200: artwork drawn for those scales). It is
    // drawn at its design size scaled to the form's DPI: 1:1 where the scale
    // matches the artwork, stretched otherwise. With AutoSize on the control
    // takes that size.
    void SetPicture(Picture picture, int artworkPercent = 100);
    void SetStretch(bool on);
    bool AutoSize() const { return autoSize_; }
    void SetAutoSize(bool on);

    void Paint(HDC dc) override;

private:
    // The picture's size on the form now.
    SIZE DrawnSize() const;
    void FitPicture();

    // The picture at `size`: itself, or a resampled copy kept for the next paint.
    const Picture& PictureAt(SIZE size);

    Picture picture_;
    Picture resampled_;
    int artworkPercent_ = 100;
    bool stretch_ = false;
    bool autoSize_ = false;
};

}  // namespace quorvex::tk
