#include "GraphScale.h"
