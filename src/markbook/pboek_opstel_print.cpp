// The PRINT button of the set-up window.
#include "markbook/pboek_opstel.h"
#include "markbook/setup_print.h"
#include "platform/ui/grid/flex_grid_view.h"

namespace km {

void pboek_opstel::pboek_opstel_print_Click() { print_setup_grid(setup_grid()); }

}  // namespace km
