#pragma once
// The warning before a paste of marks from the clipboard and the question
// before an undo, which the mark-book and the cycle-marks capture windows
// ask alike, in the chosen language.
#include <QString>

namespace km {

// Seven lines joined by CR LF, with an empty line after the fourth and the
// sixth. The outcomes-based window words two Afrikaans lines its own way.
enum class paste_wording { marks, outcomes };
QString paste_warning(paste_wording wording = paste_wording::marks);
QString undo_question();

}  // namespace km
