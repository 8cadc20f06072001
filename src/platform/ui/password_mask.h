#pragma once
// Password boxes that show each typed character as "*", as the program's
// prompts always have (the desktop style's own mark is a dot).

class QLineEdit;

namespace km::platform {

// Hides the box's text, showing one "*" per character.
void mask_with_stars(QLineEdit* box);

}  // namespace km::platform
