#pragma once
// A windowless button drawn from three pictures: normal, hot (pointer over
// it) and down (pressed with the pointer inside). Magenta is transparent.
#include <string>

#include "toolkit/graphic_control.h"
#include "toolkit/picture.h"

namespace quorvex::tk {

class ImageButton : public GraphicControl {
public:
    enum class State { Normal, Hot, Down };

    ImageButton(Form& parent, std::string name, int left, int top, int width, int height);

    // Each picture's magenta (0xFF00FF) is drawn transparent. Setting the
    // normal picture sizes the button to it.
    void SetPictures(Picture normal, Picture hot, Picture down);
    State GetState() const;

    void Paint(HDC dc) override;
    void MouseDown(MouseButton button, ShiftState shift, int x, int y) override;
    void MouseUp(MouseButton button, ShiftState shift, int x, int y) override;
    void MouseMove(ShiftState shift, int x, int y) override;
    void MouseEnter() override;
    void MouseLeave() override;

private:
    Picture normal_, hot_, down_;
    bool pressed_ = false;
    bool pointerIn_ = false;
};

}  // namespace quorvex::tk
