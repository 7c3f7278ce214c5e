#pragma once
// The mouse buttons, apart from the Windows headers so the portable widget
// states can name them too.

namespace quorvex::tk {

enum class MouseButton { Left, Right, Middle };

}  // namespace quorvex::tk
