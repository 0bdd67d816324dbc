#pragma once
// The texts of the help line `info` and of the tooltips of switch K.

#include <string_view>

namespace ohmora {

// Regions of the window that write the help line when the mouse moves over
// them. The schematic and the graph have handlers of their own.
enum class HelpRegion {
    Background,
    OpenButton,
    SaveButton,
    CopyButton,
    PrintButton,
    CalculatorButton,
    HelpButton,
    CloseButton,
    EraseButton,
    ExerciseButton,
    ParameterPanel,
    QuantityPanel,
    RecordingPanel,
    Swatch,
};

inline constexpr std::string_view kDefaultInfo =
    "Vous pouvez modifier les paramètres,\r\nouvrir une configuration ou un exercice";
// `messageCopie`, shown after every use of the copy button.
inline constexpr std::string_view kMessageCopie =
    "L'image est copiée : vous pouvez la retrouver depuis toute application Windows (coller)";
inline constexpr std::string_view kCopyButtonHint =
    "Copier pour placer l'image dans le presse- papiers puis coller depuis Word, Paint...";

inline constexpr std::string_view kInfoOverSwitch =
    "Utiliser la souris pour basculer l'interrupteur";
inline constexpr std::string_view kInfoOverSchematic =
    "Choisir un montage dans la liste de l'onglet Montage";
inline constexpr std::string_view kInfoOverGraph = "Paramétrer le graphe depuis l'onglet Graphe";

// The help text of a region. The copy button's hint gives way to the copy
// message: see Simulator::hover.
std::string_view helpText(HelpRegion region);

// The tooltip of K's target `cibleK` on the two-way switch, and of the
// one-way switch in `position`.
std::string_view twoWaySwitchTooltip(int cibleK);
std::string_view oneWaySwitchTooltip(int position);

} // namespace ohmora
