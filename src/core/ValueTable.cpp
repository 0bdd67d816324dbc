#include "ValueTable.h"
