#include "calculator/CalculatorWindow.h"

#include "calculator/CalculatorDisplay.h"
#include "picture/SharpPixmap.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QFont>
#include <QGroupBox>
#include <QKeyEvent>
#include <QKeySequence>
#include <QLineEdit>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>
#include <QRadioButton>

#include <iterator>
#include <vector>

namespace ohmora {

namespace {

using K = CalculatorKey;

// A key drawn as a picture: base with its exponent raised.
struct Picture {
    const char* base = nullptr;
    const char* exponent = nullptr;
};

struct KeyLayout {
    K key;
    const char* name; // the control's own name
    const char* caption;
    const char* tooltip;
    QRect geometry;
    Picture picture = {};
};

// Upper block: five rows of five keys between the option frames and the
// digit panel, wide enough for "INV COS".
constexpr int kUpperStep = 57;
constexpr int kUpperWidth = 53;
QRect upperKey(int row, int column, int span = 1) {
    return {10 + kUpperStep * column, 120 + 33 * row, kUpperStep * (span - 1) + kUpperWidth, 29};
}

// Lower block: four rows aligned on the digit panel (81,289)-(206,421),
// prefixes on its left, operators and EXE on its right.
constexpr int kLowerTop = 296;
constexpr int kLowerStep = 31;
constexpr int kLowerHeight = 27;
QRect prefixKey(int row, int column) {
    return {12 + 34 * column, kLowerTop + kLowerStep * row, 30, kLowerHeight};
}
QRect digitKey(int row, int column) {
    return {89 + 38 * column, kLowerTop + kLowerStep * row, 34, kLowerHeight};
}
QRect operatorKey(int row, int column) {
    return {214 + 40 * column, kLowerTop + kLowerStep * row, 36, kLowerHeight};
}

std::vector<KeyLayout> keyLayouts() {
    return {
        {K::MemoryPlus, "Command1", "M+", "Ajouter à la méoire", upperKey(0, 0)},
        {K::MemoryMinus, "Command2", "M-", "Soustraire à la mémoire", upperKey(0, 1)},
        {K::MemoryRecall, "Command3", "RM", "Rappel mémoire", upperKey(0, 2)},
        {K::MemoryClear, "Command4", "CM", "Effacer la mémoire", upperKey(0, 3)},
        {K::Ans, "ANS", "ANS", "Dernière réponse", upperKey(0, 4)},

        {K::Sin, "bsin", "&SIN", "Sinus", upperKey(1, 0)},
        {K::Cos, "Bcos", "&COS", "Cosinus", upperKey(1, 1)},
        {K::Tan, "Btan", "&TAN", "Tangente", upperKey(1, 2)},
        {K::Ln, "Bln", "l&n", "", upperKey(1, 3)},
        {K::Log, "Blog", "&Log", "", upperKey(1, 4)},

        {K::InvSin, "invsin", "INV S&IN", "Inverse sinus", upperKey(2, 0)},
        {K::InvCos, "invcos", "INV C&OS", "Inverse cosinus", upperKey(2, 1)},
        {K::InvTan, "Btoncommande3", "INV T&AN", "Inverse tangente", upperKey(2, 2)},
        {K::Exp, "Bexp", "", "", upperKey(2, 3), {"e", "x"}},
        {K::TenPower, "B10x", "", "", upperKey(2, 4), {"10", "x"}},

        {K::Square, "btcarre", "", "", upperKey(3, 0), {"x", "2"}},
        {K::Power, "puissance", "", "", upperKey(3, 1), {"x", "y"}},
        {K::Root, "racine", "\u221A", "Racine carré", upperKey(3, 2)},
        {K::Inverse, "Command5", "1/x", "Inverse", upperKey(3, 3)},
        {K::Pi, "pi", "\u03C0", "3.1415927", upperKey(3, 4)},

        {K::OpenBracket, "Bpo", "(", "", upperKey(4, 0)},
        {K::CloseBracket, "bpf", ")", "", upperKey(4, 1)},
        {K::Efface, "EFFACE", "\u2190", "Effacer dernier caractère", upperKey(4, 2)},
        {K::Raz, "RAZ", "AC", "Tout effacer", upperKey(4, 3, 2)},

        {K::Kilo, "kilo", "k", "kilo", prefixKey(0, 0)},
        {K::Mega, "mega", "M", "Méga", prefixKey(0, 1)},
        {K::Giga, "giga", "G", "Giga", prefixKey(1, 0)},
        {K::Tera, "tera", "T", "Téra", prefixKey(1, 1)},
        {K::Milli, "mil", "m", "milli", prefixKey(2, 0)},
        {K::Micro, "micro", "\u00B5", "micro", prefixKey(2, 1)},
        {K::Nano, "nano", "n", "nano", prefixKey(3, 0)},
        {K::Pico, "pico", "p", "pico", prefixKey(3, 1)},

        {K::Digit7, "B7", "7", "", digitKey(0, 0)},
        {K::Digit8, "B8", "8", "", digitKey(0, 1)},
        {K::Digit9, "B9", "9", "", digitKey(0, 2)},
        {K::Digit4, "B4", "4", "", digitKey(1, 0)},
        {K::Digit5, "B5", "5", "", digitKey(1, 1)},
        {K::Digit6, "B6", "6", "", digitKey(1, 2)},
        {K::Digit1, "B1", "1", "", digitKey(2, 0)},
        {K::Digit2, "B2", "2", "", digitKey(2, 1)},
        {K::Digit3, "B3", "3", "", digitKey(2, 2)},
        {K::Digit0, "B0", "0", "", digitKey(3, 0)},
        {K::Point, "Bpoint", ".", "", digitKey(3, 1)},
        {K::ToExp, "BtoEXP", "EXP", "x 10", digitKey(3, 2)},

        {K::Multiply, "multip", "x", "", operatorKey(0, 0)},
        {K::Divide, "div", "\u00F7", "", operatorKey(0, 1)},
        {K::Plus, "plus", "+", "", operatorKey(1, 0)},
        {K::Minus, "moins", "-", "", operatorKey(1, 1)},
        {K::Exe, "EXE", "EXE", "Calculer",
         QRect(214, kLowerTop + 2 * kLowerStep, 76, kLowerStep + kLowerHeight)},
    };
}

// What screen readers call a key whose caption is a sign or a picture, in
// words; the others are called by their tooltip or their caption.
QString spokenName(const KeyLayout& layout) {
    static const std::map<K, const char*> names = {
        {K::MemoryPlus, "Ajouter à la mémoire"},
        {K::Exp, "e puissance x"},
        {K::TenPower, "10 puissance x"},
        {K::Square, "x au carré"},
        {K::Power, "x puissance y"},
        {K::Root, "Racine carrée"},
        {K::Pi, "Pi"},
        {K::OpenBracket, "Parenthèse ouvrante"},
        {K::CloseBracket, "Parenthèse fermante"},
        {K::Point, "Virgule"},
        {K::ToExp, "Exposant de 10"},
        {K::Multiply, "Multiplier"},
        {K::Divide, "Diviser"},
        {K::Plus, "Plus"},
        {K::Minus, "Moins"},
        {K::Ln, "Logarithme népérien"},
        {K::Log, "Logarithme décimal"},
        {K::Mega, "Méga"},
        {K::Milli, "milli"},
    };
    const auto found = names.find(layout.key);
    if (found != names.end()) {
        return QString::fromUtf8(found->second);
    }
    const QString tooltip = QString::fromUtf8(layout.tooltip);
    return tooltip.isEmpty() ? QString::fromUtf8(layout.caption).remove(u'&') : tooltip;
}

QFont arial(double pointSize, bool bold = false) {
    QFont font(QStringLiteral("Arial"));
    font.setPointSizeF(pointSize);
    font.setBold(bold);
    return font;
}

// The entry line writes big, and smaller when a text would not fit: the
// longest message must be read whole.
constexpr double kEntryPointSizes[] = {11, 10, 9, 8.25};
constexpr int kEntrySizes = static_cast<int>(std::size(kEntryPointSizes));

QFont entryFont(int size) {
    const double pointSize = kEntryPointSizes[size];
    QFont font = arial(pointSize, pointSize >= 10);
    // Digits, operators and French words need no shaping: with each
    // character at its own advance a long line lays out in half the time.
    font.setStyleStrategy(QFont::PreferNoShaping);
    return font;
}

// Advances add up, so a long line is measured on its first characters
// only: when they overflow the room, the whole line does.
bool fits(const QString& text, const QFont& font, int room) {
    constexpr qsizetype kFirstCharacters = 256;
    const QFontMetrics metrics(font);
    if (text.size() > kFirstCharacters &&
        metrics.horizontalAdvance(text.left(kFirstCharacters)) > room) {
        return false;
    }
    return metrics.horizontalAdvance(text) <= room;
}

QIcon pictureIcon(const Picture& picture, const QSize& size) {
    QPixmap pixmap = sharpPixmap(size);
    QPainter painter(&pixmap);
    const QFont baseFont = arial(9);
    const QFont exponentFont = arial(7);
    const QString base = QString::fromUtf8(picture.base);
    const QString exponent = QString::fromUtf8(picture.exponent);
    const int baseWidth = QFontMetrics(baseFont).horizontalAdvance(base);
    const int width = baseWidth + QFontMetrics(exponentFont).horizontalAdvance(exponent);
    const int left = (size.width() - width) / 2;
    const int baseline = size.height() - 4;
    painter.setPen(Qt::black);
    painter.setFont(baseFont);
    painter.drawText(left, baseline, base);
    painter.setFont(exponentFont);
    painter.drawText(left + baseWidth, baseline - 6, exponent);
    return QIcon(pixmap);
}

// c = 200 - x / 2 rounded half to even: 200, 200, 199, 198, 198, 198, 197...
int shadeOfColumn(int x) {
    if (x % 2 == 0) {
        return 200 - x / 2;
    }
    const int below = (399 - x) / 2; // the value is below + 0.5
    return below % 2 == 0 ? below : below + 1;
}

// Outline through the corners (x1, y1) and (x2, y2), both included.
void outline(QPainter& painter, int x1, int y1, int x2, int y2, const QColor& colour) {
    painter.setPen(colour);
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(x1, y1, x2 - x1, y2 - y1);
}

} // namespace

CalculatorWindow::CalculatorWindow(ProgramState& program, QWidget* parent)
    : QDialog(parent), session_(program.memoire), beep_([] { QApplication::beep(); }) {
    setObjectName(QStringLiteral("Machine"));
    setWindowTitle(QStringLiteral("Machine à calculer"));
    setAccessibleDescription(QStringLiteral("Calculatrice scientifique"));
    setFixedSize(kWidth, kHeight);
    setModal(true);
    setFont(arial(8.25));
    QPalette grey = palette();
    grey.setColor(QPalette::Window, QColor(192, 192, 192));
    setPalette(grey);
    createEntryLine();
    createOptionFrames();
    createKeys();
    entryLine_->setFocus();
}

void CalculatorWindow::createEntryLine() {
    entryLine_ = new QLineEdit(this);
    entryLine_->setObjectName(QStringLiteral("z1"));
    entryLine_->setAccessibleName(QStringLiteral("Ligne de saisie"));
    entryLine_->setAccessibleDescription(
        QStringLiteral("Le calcul tapé, puis son résultat ; Entrée pour calculer, Tab pour "
                       "aller d'une touche à l'autre"));
    // Not read-only, so that the toolkit draws the line's blinking caret:
    // filterEntryLine() lets no edit through but the calculator's keys.
    entryLine_->setAttribute(Qt::WA_InputMethodEnabled, false);
    entryLine_->setAcceptDrops(false);
    entryLine_->setGeometry(10, 12, 282, 34);
    entryLine_->setFont(entryFont(entrySize_));
    entryLine_->installEventFilter(this);
}

void CalculatorWindow::createOptionFrames() {
    auto* angles = new QGroupBox(QStringLiteral("Angles"), this);
    angles->setGeometry(10, 54, 136, 58);
    auto* affichage = new QGroupBox(QStringLiteral("Affichage"), this);
    affichage->setGeometry(156, 54, 136, 58);
    const char* angleCaptions[2] = {"Degrés", "Radians"};
    const char* displayCaptions[2] = {"Scientifique", "Standard"};
    for (int i = 0; i < 2; ++i) {
        angleUnits_[i] = new QRadioButton(QString::fromUtf8(angleCaptions[i]), angles);
        angleUnits_[i]->setObjectName(QStringLiteral("angle%1").arg(i));
        angleUnits_[i]->setGeometry(10, 18 + 18 * i, 116, 18);
        angleUnits_[i]->setFocusPolicy(Qt::TabFocus);
        angleUnits_[i]->installEventFilter(this);
        connect(angleUnits_[i], &QRadioButton::clicked, this, [this, i] { selectRadians(i == 1); });
        displayFormats_[i] = new QRadioButton(QString::fromUtf8(displayCaptions[i]), affichage);
        displayFormats_[i]->setObjectName(QStringLiteral("C%1").arg(i));
        displayFormats_[i]->setGeometry(10, 18 + 18 * i, 116, 18);
        displayFormats_[i]->setFocusPolicy(Qt::TabFocus);
        displayFormats_[i]->installEventFilter(this);
        connect(displayFormats_[i], &QRadioButton::clicked, this,
                [this, i] { selectScientific(i == 0); });
    }
    angleUnits_[0]->setChecked(true);
    displayFormats_[1]->setChecked(true);
}

void CalculatorWindow::createKeys() {
    for (const KeyLayout& layout : keyLayouts()) {
        auto* key = new QPushButton(QString::fromUtf8(layout.caption), this);
        key->setObjectName(QString::fromLatin1(layout.name));
        key->setGeometry(layout.geometry);
        key->setToolTip(QString::fromUtf8(layout.tooltip));
        key->setAccessibleName(spokenName(layout));
        key->setAccessibleDescription(QStringLiteral("Touche de la calculatrice"));
        // A click leaves the focus in the entry line; Tab reaches every key,
        // Space presses it, and what is typed goes to the entry line all
        // the same.
        key->setFocusPolicy(Qt::TabFocus);
        key->installEventFilter(this);
        key->setAutoDefault(false);
        if (layout.picture.base != nullptr) {
            const QSize iconSize = layout.geometry.size() - QSize(8, 8);
            key->setIcon(pictureIcon(layout.picture, iconSize));
            key->setIconSize(iconSize);
        }
        if (layout.key == K::Exe) {
            key->setFont(arial(10, true));
        }
        const CalculatorKey calculatorKey = layout.key;
        connect(key, &QPushButton::clicked, this,
                [this, calculatorKey] { pressKey(calculatorKey); });
        keys_[layout.key] = key;
    }
}

QPushButton* CalculatorWindow::button(CalculatorKey key) const {
    const auto found = keys_.find(key);
    return found == keys_.end() ? nullptr : found->second;
}

void CalculatorWindow::pressKey(CalculatorKey key) {
    runKey(key, false);
}

void CalculatorWindow::selectRadians(bool radians) {
    angleUnits_[radians ? 1 : 0]->setChecked(true);
    session_.setRadians(radians);
    if (!isKeyboardOnKeys()) {
        entryLine_->setFocus();
    }
}

void CalculatorWindow::selectScientific(bool scientific) {
    displayFormats_[scientific ? 0 : 1]->setChecked(true);
    const bool beep = session_.setScientific(scientific);
    showEntryLine();
    if (beep) {
        beep_();
    }
}

void CalculatorWindow::runKey(CalculatorKey key, bool typed) {
    if (key == K::Exe) {
        // The evaluation runs on this thread: paint the wait text now.
        showText(
            QString::fromUtf8(kPatienceText.data(), static_cast<qsizetype>(kPatienceText.size())));
        entryLine_->repaint();
    }
    const bool beep = session_.press(key);
    if (typed && key != K::Exe) {
        session_.showSaisie();
    }
    showEntryLine();
    if (beep) {
        beep_();
    }
}

void CalculatorWindow::showEntryLine() {
    showText(QString::fromStdString(session_.entryLine()));
}

// Each new text and each new font lays the whole line out again, which a
// line of thousands of characters feels: a key sets the text once, and a
// new size while the line holds the shorter of its two texts.
void CalculatorWindow::showText(const QString& text) {
    const bool changed = entryLine_->text() != text;
    const int size = entrySizeFor(text);
    const bool resized = size != entrySize_;
    const bool resizeFirst = text.size() >= entryLine_->text().size();
    entrySize_ = size;
    if (resized && resizeFirst) {
        entryLine_->setFont(entryFont(size));
    }
    if (changed) {
        entryLine_->setText(text); // which puts the caret after the last character
    } else {
        entryLine_->setCursorPosition(static_cast<int>(text.size()));
    }
    if (resized && !resizeFirst) {
        entryLine_->setFont(entryFont(size));
    }
    // The entry line takes the focus back, unless the keyboard is going
    // from key to key.
    if (!isKeyboardOnKeys()) {
        entryLine_->setFocus();
    }
    if (changed) {
        emit entryLineShown(text);
    }
}

int CalculatorWindow::entrySizeFor(const QString& text) const {
    // Room left for the text inside the frame and its margins.
    const int room = entryLine_->contentsRect().width() - 8;
    int size = 0;
    while (size + 1 < kEntrySizes && !fits(text, entryFont(size), room)) {
        ++size;
    }
    return size;
}

bool CalculatorWindow::isKeyboardOnKeys() const {
    const QWidget* focused = focusWidget();
    return focused && focused != entryLine_ && focused->hasFocus();
}

bool CalculatorWindow::eventFilter(QObject* watched, QEvent* event) {
    if (watched == entryLine_ && filterEntryLine(event)) {
        return true;
    }
    // On a key that has the focus, Space presses it and Tab moves on; the
    // characters typed go to the entry line.
    if (event->type() == QEvent::KeyPress && watched != entryLine_) {
        const auto* key = static_cast<QKeyEvent*>(event);
        const QString text = key->text();
        const bool typed = !text.isEmpty() && text != QStringLiteral(" ") &&
                           key->key() != Qt::Key_Tab && key->key() != Qt::Key_Backtab &&
                           key->key() != Qt::Key_Escape;
        if (typed) {
            return typeKey(*key);
        }
    }
    return QDialog::eventFilter(watched, event);
}

// The entry line takes the keys the calculator knows; no other way of
// editing it gets through.
bool CalculatorWindow::filterEntryLine(QEvent* event) {
    switch (event->type()) {
    case QEvent::FocusIn:
        return placeCaretOnFocus(static_cast<QFocusEvent*>(event));
    case QEvent::KeyPress:
        return typeKey(*static_cast<QKeyEvent*>(event));
    case QEvent::ContextMenu:
        showEntryLineMenu(static_cast<QContextMenuEvent*>(event)->globalPos());
        return true;
    case QEvent::InputMethod:
    case QEvent::DragEnter:
    case QEvent::DragMove:
    case QEvent::Drop:
        return true;
    case QEvent::MouseButtonRelease:
        // Where the platform has a selection, the middle button pastes it.
        return static_cast<QMouseEvent*>(event)->button() == Qt::MiddleButton;
    default:
        return false;
    }
}

// A dialog gives its first focus as if by Tab, which selects the whole line;
// the caret belongs after the last character instead. Other focus changes,
// such as the return from the line's menu, keep the selection.
bool CalculatorWindow::placeCaretOnFocus(QFocusEvent* event) {
    const Qt::FocusReason reason = event->reason();
    if (reason != Qt::TabFocusReason && reason != Qt::BacktabFocusReason &&
        reason != Qt::ShortcutFocusReason) {
        return false;
    }
    static_cast<QObject*>(entryLine_)->event(event);
    entryLine_->setCursorPosition(static_cast<int>(entryLine_->text().size()));
    return true;
}

bool CalculatorWindow::typeKey(const QKeyEvent& keyEvent) {
    switch (keyEvent.key()) {
    case Qt::Key_Backspace:
        runKey(K::Efface, true);
        return true;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        runKey(K::Exe, true);
        return true;
    case Qt::Key_Escape:
        return false; // closes the window
    default:
        break;
    }
    if (keyEvent.modifiers() & (Qt::ControlModifier | Qt::AltModifier)) {
        // Copying and selecting leave the line as it is; no other shortcut
        // may edit it or move its caret.
        return !keyEvent.matches(QKeySequence::Copy) && !keyEvent.matches(QKeySequence::SelectAll);
    }
    const QString text = keyEvent.text();
    if (text.size() == 1 && text[0].unicode() < 128) {
        if (const std::optional<CalculatorKey> key =
                keyForCharacter(static_cast<char>(text[0].unicode()))) {
            runKey(*key, true);
        }
    }
    return true; // any other key is ignored
}

// The menu of a line that cannot be edited.
void CalculatorWindow::showEntryLineMenu(const QPoint& globalPosition) {
    const auto caption = [](const char* text, QKeySequence::StandardKey key) {
        return QString::fromUtf8(text) + u'\t' +
               QKeySequence(key).toString(QKeySequence::NativeText);
    };
    auto* menu = new QMenu(entryLine_);
    menu->setAttribute(Qt::WA_DeleteOnClose);
    QAction* copy = menu->addAction(caption("&Copier", QKeySequence::Copy));
    copy->setEnabled(entryLine_->hasSelectedText());
    connect(copy, &QAction::triggered, entryLine_, &QLineEdit::copy);
    menu->addSeparator();
    QAction* all = menu->addAction(caption("Tout sélectionner", QKeySequence::SelectAll));
    all->setEnabled(entryLine_->selectedText().size() < entryLine_->text().size());
    connect(all, &QAction::triggered, entryLine_, &QLineEdit::selectAll);
    menu->popup(globalPosition);
}

void CalculatorWindow::paintEvent(QPaintEvent* /*event*/) {
    QPainter painter(this);
    paintFace(painter);
}

void CalculatorWindow::paintFace(QPainter& painter) {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    for (int x = 0; x <= 301; ++x) {
        const int c = shadeOfColumn(x);
        painter.setPen(QColor(c, c + 50, c + 50));
        painter.drawLine(x, 0, x, 430);
    }
    outline(painter, 1, 1, 299, 428, Qt::white);
    painter.setPen(Qt::black);
    painter.drawLine(1, 1, 299, 1);
    painter.drawLine(1, 1, 1, 427);
    outline(painter, 82, 290, 206, 421, Qt::white);
    outline(painter, 81, 289, 205, 420, QColor(0, 128, 128));
    painter.restore();
}

} // namespace ohmora
