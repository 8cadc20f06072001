#include "shell/menu_windows.h"

#include "platform/ui/window_registry.h"
#include "shell/change_folder.h"
#include "shell/punte_mnu.h"
#include "shell/sk1_wagwoord.h"
#include "shell/sub_menu.h"

namespace km {

void register_menu_windows() {
  platform::register_form("punte_mnu", [] { return new punte_mnu; });
  platform::register_form("punte_menu1", [] { return new sub_menu(cycle_obe_menu_kind()); });
  platform::register_form("punte_menu2", [] { return new sub_menu(mark_book_menu_kind()); });
  platform::register_form("sk1_wagwoord", [] { return new sk1_wagwoord; });
  platform::register_form("change_folder", [] { return new change_folder; });
}

}  // namespace km
