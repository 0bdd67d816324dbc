#pragma once
// What screen readers see of the controls the window draws itself: the
// schematic and its zones of switch K, the graph, the tab strip and its
// three tabs, the help line. A drawn part of a widget (a zone of K, a tab)
// is an accessible child of it with a name, a place and a press action that
// does what a click there does. The interfaces come from a factory that
// Qt asks before its own.

#include <QAccessible>
#include <QRect>
#include <QString>

#include <functional>
#include <vector>

class QWidget;

namespace ohmora {

// A part drawn on a widget, in the widget's coordinates.
struct AccessiblePart {
    QString name;
    QString description;
    QRect rect;
    QAccessible::Role role = QAccessible::Button;
    bool selected = false;
    std::function<void()> press;
};

// A widget with drawn parts mixes this in and says what they are.
class AccessibleParts {
public:
    virtual ~AccessibleParts() = default;
    QAccessible::Role accessibleRole = QAccessible::Graphic;
    std::function<std::vector<AccessiblePart>()> accessibleParts;
};

// Installs the factory once: widgets that mix AccessibleParts in, and the
// help line (a status bar whose name is its text, announced as it changes).
void installAccessibility();

// The help line's text changed: screen readers are told.
void announceHelpLine(QWidget* helpLine);

} // namespace ohmora
