#include "views/tab_style.h"
