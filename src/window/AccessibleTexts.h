#pragma once
// What screen readers say of the two pictures, in French, written from the
// simulator's state: the schematic's montage, the position of K, the
// component values and the arrows drawn; the graph's quantities, its
// scales and, once a recording has filled the table, its last values.

#include "core/SimState.h"

#include <string>

namespace ohmora {

std::string describeSchematic(const SimState& s);
// The graph's quantities and scales.
std::string describeGraph(const SimState& s);
// The last row of the value table ("Dernières valeurs : 100 ms, ..."),
// empty before a recording has written one.
std::string lastValues(const SimState& s);

// What a press on zone `target` of K does: "Basculer K en position 1", or,
// on the one-way switch of montage 2, "Fermer l'interrupteur".
std::string switchZoneName(const SimState& s, int target);

// The name of parameter box i: its component, symbol and unit, as the
// panel writes them ("Générateur : U en V"), and what it accepts.
std::string parameterBoxName(int i);
std::string parameterBoxDescription(int i);

} // namespace ohmora
