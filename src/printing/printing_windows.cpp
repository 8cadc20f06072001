#include "printing/printing_windows.h"

#include "printing/kies_drukker.h"
#include "printing/wys_druk_vordering.h"

namespace km {

void register_printing_windows() {
  register_kies_drukker();
  register_wys_druk_vordering();
}

}  // namespace km
