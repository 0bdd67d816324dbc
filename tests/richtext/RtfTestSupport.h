#pragma once
// Small helpers shared by the rich-text tests: UTF-8 views of the model.

#include "richtext/RtfModel.h"
#include "richtext/RtfReader.h"
#include "richtext/RtfWriter.h"

#include <QString>

#include <ostream>
#include <string>
#include <string_view>

namespace ohmora::rtf {

// A failed comparison shows the documents as this writer writes them.
inline void PrintTo(const Document& document, std::ostream* out) {
    *out << '\n' << writeRtfDocument(document);
}

} // namespace ohmora::rtf

namespace ohmora::rtf::test {

inline std::string utf8(const std::u16string& text) {
    return QString::fromStdU16String(text).toStdString();
}

// Text as it stands; a picture as [image], an equation or an object as
// [equation] or [object] (with the text that stands for it), a footnote's
// mark as [^N].
inline std::string paragraphText(const Document& document, const Paragraph& paragraph) {
    std::string text;
    for (const Span& span : paragraph.spans) {
        if (span.object >= 0) {
            const bool equation = document.objects.at(static_cast<std::size_t>(span.object)).kind ==
                                  ObjectKind::Equation;
            text += std::string(equation ? "[equation" : "[object") +
                    (span.text.empty() ? "" : ":" + utf8(span.text)) + "]";
        } else if (span.footnote >= 0) {
            text += "[^" + std::to_string(span.footnote + 1) + "]";
        } else {
            text += span.image >= 0 ? "[image]" : utf8(span.text);
        }
    }
    return text;
}

// Paragraphs one a line; a table as [a|b] rows, a cell's paragraphs joined
// by '/'; then each footnote as "[^N] its text".
inline std::string blocksText(const Document& document, const std::vector<Block>& blocks) {
    std::string out;
    for (const Block& block : blocks) {
        if (!out.empty()) {
            out += '\n';
        }
        if (const auto* p = std::get_if<Paragraph>(&block)) {
            out += paragraphText(document, *p);
            continue;
        }
        const auto& rows = std::get<Table>(block).rows;
        for (std::size_t r = 0; r < rows.size(); ++r) {
            out += r ? "\n[" : "[";
            for (std::size_t c = 0; c < rows[r].cells.size(); ++c) {
                out += c ? "|" : "";
                const auto& paragraphs = rows[r].cells[c].paragraphs;
                for (std::size_t i = 0; i < paragraphs.size(); ++i) {
                    out += (i ? "/" : "") + paragraphText(document, paragraphs[i]);
                }
            }
            out += ']';
        }
    }
    return out;
}

inline std::string modelText(const Document& document) {
    std::string out = blocksText(document, document.blocks);
    for (std::size_t i = 0; i < document.footnotes.size(); ++i) {
        out += "\n[^" + std::to_string(i + 1) + "] " +
               blocksText(document, document.footnotes[i].blocks);
    }
    return out;
}

// A picture as the reader reads one with these words: its goal size, when
// it has one, is the size it shows at.
inline Image image(ImageKind kind, std::string data, int pixelWidth, int pixelHeight, int goalWidth,
                   int goalHeight) {
    Image picture;
    picture.kind = kind;
    picture.data = std::move(data);
    picture.pixelWidth = pixelWidth;
    picture.pixelHeight = pixelHeight;
    picture.goalWidth = picture.widthTwips = goalWidth;
    picture.goalHeight = picture.heightTwips = goalHeight;
    return picture;
}

inline std::string readText(std::string_view rtf) {
    return modelText(readRtfDocument(rtf));
}

// Every paragraph of the text, those of table cells included, in reading order.
template <typename Visit> void forEachParagraph(const Document& document, Visit visit) {
    rtf::forEachParagraph(document.blocks, visit);
}

// The first span whose text is `marker`, else the first that holds it, and
// its paragraph.
inline const Span* findSpan(const Document& document, std::u16string_view marker,
                            const Paragraph** paragraph = nullptr) {
    const Span* found = nullptr;
    for (const bool whole : {true, false}) {
        forEachParagraph(document, [&](const Paragraph& p) {
            for (const Span& span : p.spans) {
                const bool match =
                    whole ? span.text == marker : span.text.find(marker) != std::u16string::npos;
                if (!found && match) {
                    found = &span;
                    if (paragraph) {
                        *paragraph = &p;
                    }
                }
            }
        });
    }
    return found;
}

inline const Paragraph* firstParagraph(const Document& document) {
    for (const Block& block : document.blocks) {
        if (const auto* p = std::get_if<Paragraph>(&block)) {
            return p;
        }
    }
    return nullptr;
}

} // namespace ohmora::rtf::test
