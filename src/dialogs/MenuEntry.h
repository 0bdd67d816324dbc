#pragma once
// An entry of one of the program's pop-up menus, as the application layer
// describes it: the control's name, its caption, the action it stands for
// (an enumerator of the menu's own action type) and whether a separator
// comes before it. The windows build their menus from such tables, and the
// entry chosen carries its action: no entry is recognised by its name.

#include <string_view>

namespace ohmora {

struct MenuEntry {
    std::string_view name;
    std::string_view caption;
    int action = 0;
    bool separatorBefore = false;
};

} // namespace ohmora
