#include "common/user_name.h"

#include "platform/user_name.h"

namespace km {

QString get_user_name() {
  const QString name = platform::login_user_name();
  // The name must fit the 255-character buffer with its NUL.
  return name.size() < 255 ? name : QString();
}

}  // namespace km
