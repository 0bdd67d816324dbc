#pragma once
// "Machine à calculer": the modal pocket calculator opened from the main
// window. The keys' logic lives in CalculatorSession; this window lays the
// keys out, paints its face, forwards clicks and typed keys, and shows the
// entry line.

#include "calculator/CalculatorSession.h"
#include "core/ProgramState.h"

#include <QDialog>
#include <QString>

#include <functional>
#include <map>

class QFocusEvent;
class QKeyEvent;
class QLineEdit;
class QPainter;
class QPushButton;
class QRadioButton;

namespace ohmora {

class CalculatorWindow : public QDialog {
    Q_OBJECT

public:
    static constexpr int kWidth = 302;
    static constexpr int kHeight = 431;

    explicit CalculatorWindow(ProgramState& program, QWidget* parent = nullptr);

    // What a click on the key does.
    void pressKey(CalculatorKey key);
    // What a click on "Degrés"/"Radians", and on "Scientifique"/"Standard", does.
    void selectRadians(bool radians);
    void selectScientific(bool scientific);

    QPushButton* button(CalculatorKey key) const;
    QLineEdit* entryLine() const { return entryLine_; }
    QRadioButton* angleButton(int index) const { return angleUnits_[index]; } // 0 Degrés, 1 Radians
    QRadioButton* displayButton(int index) const {
        return displayFormats_[index];
    } // 0 Scientifique, 1 Standard
    const CalculatorSession& session() const { return session_; }

    // The computer's beep; QApplication::beep unless replaced (tests count it).
    void setBeep(std::function<void()> beep) { beep_ = std::move(beep); }

    // The window's face at window coordinates: the shaded background, the
    // frame and the outline of the digit panel.
    static void paintFace(QPainter& painter);

signals:
    // Every new text of the entry line, EXE's wait text included.
    void entryLineShown(const QString& text);

protected:
    void paintEvent(QPaintEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void createEntryLine();
    void createOptionFrames();
    void createKeys();
    bool filterEntryLine(QEvent* event);
    bool placeCaretOnFocus(QFocusEvent* event);
    bool typeKey(const QKeyEvent& event);
    void showEntryLineMenu(const QPoint& globalPosition);
    void runKey(CalculatorKey key, bool typed);
    void showEntryLine();
    void showText(const QString& text);
    int entrySizeFor(const QString& text) const;
    bool isKeyboardOnKeys() const;

    CalculatorSession session_;
    std::function<void()> beep_;
    QLineEdit* entryLine_ = nullptr;                       // `z1`
    int entrySize_ = 0;                                    // index of the entry line's font size
    QRadioButton* angleUnits_[2] = {nullptr, nullptr};     // `angle`
    QRadioButton* displayFormats_[2] = {nullptr, nullptr}; // `C`
    std::map<CalculatorKey, QPushButton*> keys_;
};

} // namespace ohmora
