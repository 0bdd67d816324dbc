#include "Circuit.h"
