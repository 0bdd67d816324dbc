#include "richtext/RtfModel.h"

#include <functional>
#include <string_view>
#include <utility>

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

} // namespace ohmora::rtf
