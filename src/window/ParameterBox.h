#pragma once
// One of the fourteen parameter boxes `Textv`: a one-line box whose typed
// characters pass the key filter, and whose entering, leaving and Enter key
// are reported to the window, which runs the resets and the validation.

#include <QLineEdit>

#include <functional>

namespace ohmora {

class ParameterBox : public QLineEdit {
public:
    ParameterBox(int index, QWidget* parent = nullptr);

    int index() const { return index_; }

    std::function<void(int)> onEnter;    // `Textv_GotFocus`
    std::function<void(int)> onValidate; // `Textv_LostFocus`, also run by Enter
    std::function<void(int, const QString&)> onEdited;

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    int index_;
    QString lastText_; // the text before the latest edit
};

// The key filter applied to what an edit inserted into `before` to give
// `after` (a paste, a drop, a middle click): the characters the filter
// refuses are left out, a full stop becomes a comma.
QString filterInsertedText(const QString& before, const QString& after);

// Whether a change of focus is the user's own move from one control to
// another: a window losing or regaining activation (a message box over it)
// or a pop-up menu coming and going leaves the box where it was.
bool isControlFocusChange(Qt::FocusReason reason);

} // namespace ohmora
