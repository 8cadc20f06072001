#pragma once
// The name of the user the program runs for.

#include <QString>

namespace km::platform {

// The login name of the effective user from the user database, else the
// USER or LOGNAME variable of the environment; "" when none gives one.
QString login_user_name();

}  // namespace km::platform
