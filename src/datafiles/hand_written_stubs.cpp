// Stand-ins for the conversions written out by hand, until they arrive:
// each leaves the folder as it is.
#include "datafiles/hand_written_conversions.h"

namespace km {

void create_hw_kodes_random(const QString&) {}
void clear_hw_code_record() {}
void create_pi4_su_random(const QString&) {}
void create_pi4_vh_random(const QString&) {}
void create_prm_prom_random(const QString&) {}

}  // namespace km
