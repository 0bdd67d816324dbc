#include "Transients.h"
