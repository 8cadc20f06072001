#include "platform/user_name.h"

#include <pwd.h>
#include <unistd.h>

namespace km::platform {

QString login_user_name() {
  if (const passwd* pw = getpwuid(geteuid()); pw && pw->pw_name && *pw->pw_name)
    return QString::fromLocal8Bit(pw->pw_name);
  // A user the database does not know (a container, a removed account).
  for (const char* variable : {"USER", "LOGNAME"}) {
    const QString name = qEnvironmentVariable(variable);
    if (!name.isEmpty()) return name;
  }
  return QString();
}

}  // namespace km::platform
