#pragma once
// A radio button on a form; BN_CLICKED raises OnClick.
#include <string>

#include "toolkit/win_control.h"

namespace quorvex::tk {

class RadioButton : public WinControl {
public:
    // `firstOfGroup` starts a group (WS_GROUP): the buttons made after it, up
    // to the next group start, are the ones it excludes.
    RadioButton(Form& parent, std::string name, const std::wstring& caption, int left, int top, int width, int height,
                bool firstOfGroup);
    bool Checked() const;
    // Checks this button, unchecks the others of its group and runs OnClick,
    // exactly as a click does.
    void Check();
    bool Command(WORD code) override;
};

}  // namespace quorvex::tk
