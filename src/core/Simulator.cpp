#include "Simulator.h"
