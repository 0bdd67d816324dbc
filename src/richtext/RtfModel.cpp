#include "richtext/RtfModel.h"

#include <cstddef>
#include <functional>
#include <string_view>
#include <utility>
#include <vector>

namespace ohmora::rtf {

int Document::addImage(Image image) {
    const std::size_t hash = std::hash<std::string_view>()(image.data);
    const auto [first, last] = imagesByHash_.equal_range(hash);
    for (auto it = first; it != last; ++it) {
        if (images[static_cast<std::size_t>(it->second)] == image) {
            return it->second;
        }
    }
    const int index = static_cast<int>(images.size());
    images.push_back(std::move(image));
    imagesByHash_.emplace(hash, index);
    return index;
}

namespace {

// New indices in order of first use; -1 for those not used yet.
struct Renumbering {
    std::vector<int> to;
    int next = 0;

    explicit Renumbering(std::size_t size) : to(size, -1) {}
    void use(int index) {
        if (index >= 0 && static_cast<std::size_t>(index) < to.size() &&
            to[static_cast<std::size_t>(index)] < 0) {
            to[static_cast<std::size_t>(index)] = next++;
        }
    }
    void finish() {
        for (int& n : to) {
            n = n < 0 ? next++ : n;
        }
    }
    int operator()(int index) const {
        return index >= 0 && static_cast<std::size_t>(index) < to.size()
                   ? to[static_cast<std::size_t>(index)]
                   : index;
    }
    template <typename T> std::vector<T> reordered(std::vector<T>& items) const {
        std::vector<T> out(items.size());
        for (std::size_t i = 0; i < items.size(); ++i) {
            out[static_cast<std::size_t>(to[i])] = std::move(items[i]);
        }
        return out;
    }
};

} // namespace

void Document::numberAsWritten() {
    Renumbering pictures(images.size());
    Renumbering embedded(objects.size());
    std::vector<bool> noteSeen(footnotes.size(), false);
    std::function<void(std::vector<Block>&)> visit = [&](std::vector<Block>& part) {
        forEachParagraph(part, [&](Paragraph& p) {
            for (const Span& s : p.spans) {
                embedded.use(s.object);
                pictures.use(s.image);
                pictures.use(s.fallbackImage);
                const auto note = static_cast<std::size_t>(s.footnote);
                if (s.footnote >= 0 && note < footnotes.size() && !noteSeen[note]) {
                    noteSeen[note] = true;
                    visit(footnotes[note].blocks);
                }
            }
        });
    };
    visit(blocks);
    for (std::size_t note = 0; note < footnotes.size(); ++note) {
        if (!noteSeen[note]) {
            noteSeen[note] = true;
            visit(footnotes[note].blocks);
        }
    }
    pictures.finish();
    embedded.finish();
    const auto renumber = [&](Paragraph& p) {
        for (Span& s : p.spans) {
            s.image = pictures(s.image);
            s.fallbackImage = pictures(s.fallbackImage);
            s.object = embedded(s.object);
        }
    };
    forEachParagraph(blocks, renumber);
    for (Footnote& note : footnotes) {
        forEachParagraph(note.blocks, renumber);
    }
    images = pictures.reordered(images);
    objects = embedded.reordered(objects);
    imagesByHash_.clear();
    for (std::size_t i = 0; i < images.size(); ++i) {
        imagesByHash_.emplace(std::hash<std::string_view>()(images[i].data), static_cast<int>(i));
    }
}

} // namespace ohmora::rtf
