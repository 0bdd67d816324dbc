#include "session/WelcomeText.h"

#include <QTextBlockFormat>
#include <QTextCharFormat>
#include <QTextCursor>
#include <QTextDocument>

namespace ohmora::session {

namespace {

constexpr double kBasePoints = 10;
constexpr double kTitlePoints = 18;

// A carriage return and a line feed end a paragraph of the text box.
QString boxText(const char* text) {
    QString s = QString::fromUtf8(text);
    s.replace(QStringLiteral("\r\n"), QString(QChar::ParagraphSeparator));
    return s;
}

} // namespace

const std::array<WelcomePiece, 16>& welcomePieces() {
    static const std::array<WelcomePiece, 16> pieces = {{
        {"Ohmora\r\n", WelcomeStyle::Title},
        {"\r\nCe simulateur permet d'étudier la charge et la décharge d'un condensateur à travers "
         "un conducteur ohmique, l'établissement du courant dans un circuit comportant une "
         "bobine et les oscillations électriques libres.\r\n\r\nPour l'utiliser :\r\n\r\n",
         WelcomeStyle::Plain},
        {"- choisir le montage dans la liste (onglet Montage),\r\n\r\n", WelcomeStyle::Blue},
        {"- basculer l'interrupteur sur le schéma.", WelcomeStyle::Blue},
        {"", WelcomeStyle::Plain},
        {"", WelcomeStyle::Plain},
        {"\r\n\r\n", WelcomeStyle::Plain},
        {"Tous les paramètres sont modifiables et l'image obtenue peut être imprimée ou placée "
         "dans le presse-papiers ",
         WelcomeStyle::Plain},
        {"(bouton Copier) pour la coller dans une autre application.\r\n\r\n", WelcomeStyle::Plain},
        {"Vous pouvez obtenir l'énoncé d'un exercice ", WelcomeStyle::Plain},
        {"dans cette fenêtre en appuyant sur l'onglet ", WelcomeStyle::Plain},
        {"Exercices", WelcomeStyle::Blue},
        {".\r\n\r\n", WelcomeStyle::Plain},
        {"Pour vous familiariser avec ce simulateur, choisissez d'abord l'activité ",
         WelcomeStyle::Plain},
        {"Prise en main ", WelcomeStyle::Blue},
        {"dans le menu Exercices.", WelcomeStyle::Plain},
    }};
    return pieces;
}

void accueil(QTextDocument& text) {
    QTextDocument* document = &text;
    document->clear();
    // The base formatting at the insertion point, then the box locked.
    QTextCharFormat base;
    base.setFontFamilies({QStringLiteral("Arial")});
    base.setFontPointSize(kBasePoints);
    base.setForeground(Qt::black);
    base.setFontWeight(QFont::Normal);
    base.setFontItalic(false);
    base.setFontUnderline(false);
    base.setVerticalAlignment(QTextCharFormat::AlignNormal);
    QTextBlockFormat left;
    left.setAlignment(Qt::AlignLeft);
    left.setLeftMargin(0);

    QTextCursor cursor(document);
    cursor.setBlockFormat(left);
    cursor.setBlockCharFormat(base);
    QString whole;
    for (const WelcomePiece& piece : welcomePieces()) {
        whole += boxText(piece.text);
    }
    cursor.insertText(whole, base);

    // Each piece's style over its characters.
    int start = 0;
    for (const WelcomePiece& piece : welcomePieces()) {
        const int length = int(boxText(piece.text).size());
        QTextCursor selection(document);
        selection.setPosition(start);
        selection.setPosition(start + length, QTextCursor::KeepAnchor);
        start += length;
        if (length == 0) {
            continue; // an empty selection: nothing to style
        }
        QTextCharFormat chars;
        QTextBlockFormat paragraphs;
        switch (piece.style) {
        case WelcomeStyle::Blue:
            chars.setForeground(kWelcomeBlue);
            paragraphs.setLeftMargin(kWelcomeIndent);
            break;
        case WelcomeStyle::Plain:
            paragraphs.setLeftMargin(kWelcomeIndent);
            break;
        case WelcomeStyle::Title:
            chars.setFontFamilies({QStringLiteral("Arial")});
            chars.setFontPointSize(kTitlePoints);
            chars.setForeground(kWelcomeBlue);
            chars.setBaselineOffset(-kTitleLowering / kTitlePoints * 100.0);
            paragraphs.setAlignment(Qt::AlignHCenter);
            break;
        }
        selection.mergeCharFormat(chars);
        selection.mergeBlockFormat(paragraphs);
    }
}

} // namespace ohmora::session
