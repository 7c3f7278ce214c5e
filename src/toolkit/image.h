#pragma once
// A windowless picture: drawn at its top-left corner or stretched to its bounds.
#include <string>

#include "toolkit/graphic_control.h"
#include "toolkit/picture.h"

namespace quorvex::tk {

class Image : public GraphicControl {
public:
    Image(Form& parent, std::string name, int left, int top, int width, int height);

    // Takes the picture; with AutoSize on the control takes its size.
    void SetPicture(Picture picture);
    void SetStretch(bool on);
    bool AutoSize() const { return autoSize_; }
    void SetAutoSize(bool on);

    void Paint(HDC dc) override;

private:
    Picture picture_;
    bool stretch_ = false;
    bool autoSize_ = false;
};

}  // namespace quorvex::tk
