#include "window/Accessibility.h"

#include <QAccessibleWidget>
#include <QLabel>
#include <QPointer>
#include <QWidget>

#include <optional>

namespace ohmora {

namespace {

const char* const kHelpLineName = "info";

AccessibleParts* partsOf(QObject* object) {
    return dynamic_cast<AccessibleParts*>(object);
}

// One drawn part, found again by its index each time it is asked about.
class PartInterface : public QAccessibleInterface, public QAccessibleActionInterface {
public:
    PartInterface(QWidget* widget, int index) : widget_(widget), index_(index) {}

    bool isValid() const override { return widget_ && part().has_value(); }
    QObject* object() const override { return nullptr; }
    QWindow* window() const override {
        return widget_ ? widget_->window()->windowHandle() : nullptr;
    }
    QAccessibleInterface* parent() const override {
        return widget_ ? QAccessible::queryAccessibleInterface(widget_) : nullptr;
    }
    QAccessibleInterface* child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }
    QAccessibleInterface* childAt(int, int) const override { return nullptr; }
    QString text(QAccessible::Text t) const override {
        const std::optional<AccessiblePart> p = part();
        if (!p) {
            return {};
        }
        return t == QAccessible::Name
                   ? p->name
                   : (t == QAccessible::Description ? p->description : QString());
    }
    void setText(QAccessible::Text, const QString&) override {}
    QRect rect() const override {
        const std::optional<AccessiblePart> p = part();
        if (!p || !widget_) {
            return {};
        }
        return QRect(widget_->mapToGlobal(p->rect.topLeft()), p->rect.size());
    }
    QAccessible::Role role() const override {
        const std::optional<AccessiblePart> p = part();
        return p ? p->role : QAccessible::Button;
    }
    QAccessible::State state() const override {
        QAccessible::State s;
        const std::optional<AccessiblePart> p = part();
        s.invisible = !p || !widget_ || !widget_->isVisible();
        s.selectable = p && p->role == QAccessible::PageTab;
        s.selected = p && p->selected;
        return s;
    }
    void* interface_cast(QAccessible::InterfaceType type) override {
        return type == QAccessible::ActionInterface ? static_cast<QAccessibleActionInterface*>(this)
                                                    : nullptr;
    }
    QStringList actionNames() const override { return {pressAction()}; }
    void doAction(const QString& name) override {
        const std::optional<AccessiblePart> p = part();
        if (name == pressAction() && p && p->press) {
            p->press();
        }
    }
    QStringList keyBindingsForAction(const QString&) const override { return {}; }

private:
    std::optional<AccessiblePart> part() const {
        AccessibleParts* parts = widget_ ? partsOf(widget_) : nullptr;
        if (!parts || !parts->accessibleParts) {
            return std::nullopt;
        }
        const std::vector<AccessiblePart> all = parts->accessibleParts();
        if (index_ < 0 || index_ >= int(all.size())) {
            return std::nullopt;
        }
        return all[size_t(index_)];
    }

    QPointer<QWidget> widget_;
    int index_;
};

// A widget with drawn parts: its parts are its children.
class PartsWidgetInterface : public QAccessibleWidget {
public:
    PartsWidgetInterface(QWidget* widget, QAccessible::Role role)
        : QAccessibleWidget(widget, role) {}
    QAccessible::Role role() const override {
        const AccessibleParts* p = partsOf(widget());
        return p ? p->accessibleRole : QAccessibleWidget::role();
    }
    ~PartsWidgetInterface() override {
        for (const QAccessible::Id id : ids_) {
            QAccessible::deleteAccessibleInterface(id);
        }
    }

    int childCount() const override {
        return QAccessibleWidget::childCount() + int(parts().size());
    }
    QAccessibleInterface* child(int index) const override {
        const int widgets = QAccessibleWidget::childCount();
        if (index < widgets) {
            return QAccessibleWidget::child(index);
        }
        const int part = index - widgets;
        if (part >= int(parts().size())) {
            return nullptr;
        }
        while (int(ids_.size()) <= part) {
            ids_.push_back(QAccessible::registerAccessibleInterface(
                new PartInterface(widget(), int(ids_.size()))));
        }
        return QAccessible::accessibleInterface(ids_[size_t(part)]);
    }
    int indexOfChild(const QAccessibleInterface* child) const override {
        for (size_t i = 0; i < ids_.size(); ++i) {
            if (QAccessible::accessibleInterface(ids_[i]) == child) {
                return QAccessibleWidget::childCount() + int(i);
            }
        }
        return QAccessibleWidget::indexOfChild(child);
    }
    QAccessibleInterface* childAt(int x, int y) const override {
        const std::vector<AccessiblePart> all = parts();
        for (size_t i = 0; i < all.size(); ++i) {
            QAccessibleInterface* c = child(QAccessibleWidget::childCount() + int(i));
            if (c && c->rect().contains(x, y)) {
                return c;
            }
        }
        return QAccessibleWidget::childAt(x, y);
    }

private:
    std::vector<AccessiblePart> parts() const {
        AccessibleParts* p = partsOf(widget());
        return p && p->accessibleParts ? p->accessibleParts() : std::vector<AccessiblePart>{};
    }

    mutable std::vector<QAccessible::Id> ids_;
};

// The help line: a status bar whose name is the text it shows.
class HelpLineInterface : public QAccessibleWidget {
public:
    explicit HelpLineInterface(QLabel* label) : QAccessibleWidget(label, QAccessible::StatusBar) {}
    QString text(QAccessible::Text t) const override {
        if (t == QAccessible::Name) {
            return static_cast<QLabel*>(widget())->text().replace(u'\n', u' ');
        }
        return QAccessibleWidget::text(t);
    }
};

QAccessibleInterface* factory(const QString&, QObject* object) {
    auto* widget = qobject_cast<QWidget*>(object);
    if (!widget) {
        return nullptr;
    }
    if (AccessibleParts* parts = partsOf(widget)) {
        return new PartsWidgetInterface(widget, parts->accessibleRole);
    }
    auto* label = qobject_cast<QLabel*>(widget);
    if (label && label->objectName() == QLatin1String(kHelpLineName)) {
        return new HelpLineInterface(label);
    }
    return nullptr;
}

} // namespace

void installAccessibility() {
    static const bool installed = [] {
        QAccessible::installFactory(factory);
        return true;
    }();
    (void)installed;
}

void announceHelpLine(QWidget* helpLine) {
    QAccessibleEvent event(helpLine, QAccessible::NameChanged);
    QAccessible::updateAccessibility(&event);
}

} // namespace ohmora
