#include "catalogue/keycodes.h"

namespace catalogue {
const KeyRow kRows[kRowCount] = {};
} // namespace catalogue
