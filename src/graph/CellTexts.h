#pragma once
// The texts of the value table's cells: the time of column 0 and the value
// of each quantity with its unit and prefix.

#include <string>

namespace ohmora {

// Value-cell text of the table for slot k holding v ("5,50 V", "12,1 mA").
std::string valueCellText(float v, int slot);

// Time text of column 0 ("0 ms", "1,25 s").
std::string timeCellText(float t, float dureeEnreg, bool recording);

} // namespace ohmora
