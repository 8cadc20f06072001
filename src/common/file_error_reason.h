#pragma once
// Why a file step failed, in the chosen language, for the reasons that
// messages append in brackets ("(Pad nie gevind nie)").

#include <QString>

#include "platform/file_error.h"

namespace km {

// The platform's description of the failure, in Afrikaans when g_language
// says so, else in English.
QString file_error_reason(const platform::file_error& e);
QString file_error_reason(platform::file_error::kind k);

}  // namespace km
