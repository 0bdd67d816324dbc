#include "FrenchNumber.h"
