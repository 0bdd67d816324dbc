// The destinations: the groups whose first word says where their text goes
// (the document's tables, pictures, shapes, footnotes, equations, objects,
// lists) and what their closing brace will finish.
#include "richtext/RtfParser.h"

namespace ohmora::rtf {

void Parser::destinationWord(Keyword keyword) {
    GroupState& group = state();
    const bool body = group.destination == Destination::Body;
    // The document's tables stand in its header: within a picture, an
    // equation or another table, they are another program's.
    const bool table = keyword == Keyword::FontTable || keyword == Keyword::ColourTable ||
                       keyword == Keyword::ListTable || keyword == Keyword::ListOverrideTable;
    if (table && !body) {
        group.destination = Destination::Skip;
        return;
    }
    if (objectDestination(keyword) || listDestination(keyword)) {
        return;
    }
    switch (keyword) {
    case Keyword::SkippedDestination:
        group.destination = Destination::Skip;
        break;
    case Keyword::FontTable:
        group.destination = Destination::FontTable;
        group.end = GroupEnd::FontTable;
        break;
    case Keyword::ColourTable:
        group.destination = Destination::ColourTable;
        colours_.clear();
        break;
    case Keyword::ShapeInstructions:
        if (body) {
            group.destination = Destination::Shape;
            picture_.startShape();
        }
        break;
    case Keyword::ShapePropertyName:
        if (group.destination == Destination::Shape) {
            group.destination = Destination::ShapePropertyName;
            picture_.startPropertyName();
        }
        break;
    case Keyword::NestTableProperties:
        // The end of a row of a nested table, which is read as text: its
        // row's definition is not the outer table's, but what text a file
        // puts there is read.
        if (body && builder_.paragraphHasContent()) {
            finishParagraph(false);
        }
        group.nestedRow = true;
        break;
    case Keyword::Picture:
        // A shape holds its picture in its "pib" property; others are fills.
        if (body || (group.destination == Destination::Shape && picture_.inPictureProperty())) {
            group.destination = Destination::Picture;
            group.end = GroupEnd::Picture;
            picture_.start();
        }
        break;
    case Keyword::ShapePicture:
        group.end = GroupEnd::ShapePicture;
        shapePictureRead_ = false;
        break;
    case Keyword::FallbackPicture:
        // The twin of the picture just read is kept with it; alone, it is
        // for readers that know no other picture, and skipped.
        if (body && shapePictureSpans_ > 0 && shapePictureSpans_ == builder_.spanCount()) {
            group.fallback = true;
        } else {
            group.destination = Destination::Skip;
        }
        break;
    case Keyword::ListText:
        listTextSeen_ = true;
        listTextStart_ = listTextEnd_ = builder_.paragraphLength();
        group.end = GroupEnd::ListText;
        break;
    default: // field results and the like are read as the body is
        break;
    }
}

bool Parser::objectDestination(Keyword keyword) {
    GroupState& group = state();
    const bool body = group.destination == Destination::Body;
    switch (keyword) {
    case Keyword::Footnote:
        if (body && !builder_.inFootnote() && !object_.active()) {
            builder_.beginFootnote();
            group.end = GroupEnd::Footnote;
        } else {
            group.destination = Destination::Skip;
        }
        return true;
    case Keyword::Equation:
    case Keyword::Object:
        // An object within an object is part of the outer one's bytes.
        if (body && !object_.active()) {
            resolveFont(group);
            object_.begin(keyword == Keyword::Equation ? ObjectKind::Equation : ObjectKind::Ole,
                          tokenizer_.position(), stack_.size(), builder_.spanCount(), group.format);
            group.destination = Destination::Object;
            group.end = GroupEnd::Object;
        } else {
            group.destination = Destination::Skip;
        }
        return true;
    case Keyword::EquationMarkup:
        // The markup inside an equation, whose text stands for it when it
        // has no picture.
        if (group.destination != Destination::Object) {
            group.destination = Destination::Skip;
        }
        return true;
    case Keyword::EquationPicture:
    case Keyword::ObjectResult:
        // The picture of the object under way, read as the body's: the
        // first picture group right inside the object's group that gives
        // one; the others are skipped.
        if (group.destination == Destination::Object && stack_.size() == object_.depth() + 1) {
            const bool reading = object_.takesPicture();
            group.destination = reading ? Destination::Body : Destination::Skip;
            group.hidden = keyword == Keyword::EquationPicture;
            group.end = GroupEnd::ObjectPicture;
            object_.beginPicture(group.start, reading, builder_.spanCount());
        } else {
            group.destination = Destination::Skip;
        }
        return true;
    default:
        return false;
    }
}

bool Parser::listDestination(Keyword keyword) {
    GroupState& group = state();
    const bool table = group.destination == Destination::ListTable;
    switch (keyword) {
    case Keyword::ListTable:
    case Keyword::ListOverrideTable:
        group.destination = Destination::ListTable;
        return true;
    case Keyword::List:
    case Keyword::ListLevel:
    case Keyword::ListOverride:
        if (!table) {
            group.destination = Destination::Skip;
        } else if (keyword == Keyword::List) {
            lists_.beginList();
            group.end = GroupEnd::List;
        } else if (keyword == Keyword::ListLevel) {
            lists_.beginLevel();
            group.end = GroupEnd::ListLevel;
        } else {
            lists_.beginOverride();
            group.end = GroupEnd::ListOverride;
        }
        return true;
    case Keyword::ListLevelText:
        group.destination = table ? Destination::ListLevelText : Destination::Skip;
        return true;
    default:
        return false;
    }
}

} // namespace ohmora::rtf
