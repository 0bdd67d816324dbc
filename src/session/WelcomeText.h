#pragma once
// `accueil`: the welcome text of the text area, sixteen pieces in four
// styles, shown locked at start-up and whenever the exercise is closed.

#include <QColor>
#include <QString>

#include <array>

class QTextDocument;

namespace ohmora::session {

enum class WelcomeStyle { Plain, Blue, Title };

struct WelcomePiece {
    const char* text; // UTF-8, "\r\n" for a carriage return and a line feed
    WelcomeStyle style;
};

inline const QColor kWelcomeBlue{0, 0, 200};
// The indent of every piece but the title, in the pixels of the window.
inline constexpr int kWelcomeIndent = 20;
// The title is lowered by 80 twips: 4 points below the line.
inline constexpr double kTitleLowering = 4.0;

const std::array<WelcomePiece, 16>& welcomePieces();

// Rewrites the whole content of the text area's document (its owner locks
// the text area).
void accueil(QTextDocument& document);

} // namespace ohmora::session
