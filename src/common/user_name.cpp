#include "common/user_name.h"

#include <pwd.h>
#include <unistd.h>

namespace km {

QString get_user_name() {
  QString name;
  if (const passwd* pw = getpwuid(geteuid()); pw && pw->pw_name) name = QString::fromLocal8Bit(pw->pw_name);
  if (name.isEmpty()) name = qEnvironmentVariable("USER");
  // The name must fit the 255-character buffer with its NUL.
  return name.size() < 255 ? name : QString();
}

}  // namespace km
