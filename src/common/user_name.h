#pragma once
// The user name as the program records it.

#include <QString>

namespace km {

// The login name of the user; "" when the system gives none.
QString get_user_name();

}  // namespace km
