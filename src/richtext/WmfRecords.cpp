#include "richtext/WmfRecords.h"

#include <array>
#include <cstdint>
#include <vector>

namespace ohmora::rtf {

namespace {

constexpr std::uint32_t kPlaceableKey = 0x9AC6CDD7;
constexpr std::size_t kPlaceableHeaderBytes = 22;
constexpr std::size_t kHeaderBytes = 18;
constexpr std::size_t kMaxSavedStates = 1024;
constexpr std::uint16_t kNoObject = 0xFFFF;

enum : std::uint16_t {
    kEof = 0x0000,
    kSaveDc = 0x001E,
    kRestoreDc = 0x0127,
    // The state the player loses.
    kSetBkMode = 0x0102,
    kSetRop2 = 0x0104,
    kSetPolyFillMode = 0x0106,
    kSetTextCharExtra = 0x0108,
    kSetTextAlign = 0x012E,
    kSetBkColor = 0x0201,
    kSetTextColor = 0x0209,
    kSetTextJustification = 0x020A,
    // Objects.
    kSelectObject = 0x012D,
    kDeleteObject = 0x01F0,
    kSelectPalette = 0x0234,
    kSelectClipRegion = 0x012C,
    kInvertRegion = 0x012A,
    kPaintRegion = 0x012B,
    kFillRegion = 0x0228,
    kFrameRegion = 0x0429,
    kCreatePen = 0x02FA,
    kCreateFont = 0x02FB,
    kCreateBrush = 0x02FC,
    kCreatePalette = 0x00F7,
    kCreatePatternBrush = 0x01F9,
    kCreateDibPatternBrush = 0x0142,
    kCreateRegion = 0x06FF,
};

constexpr std::array kStateRecords = {
    kSetBkMode,    kSetRop2,    kSetPolyFillMode, kSetTextCharExtra,
    kSetTextAlign, kSetBkColor, kSetTextColor,    kSetTextJustification};

constexpr std::array kCreateRecords = {kCreatePen,     kCreateFont,         kCreateBrush,
                                       kCreatePalette, kCreatePatternBrush, kCreateDibPatternBrush,
                                       kCreateRegion};

std::uint16_t u16(std::string_view bytes, std::size_t at) {
    return static_cast<std::uint16_t>(static_cast<unsigned char>(bytes[at]) |
                                      static_cast<unsigned char>(bytes[at + 1]) << 8);
}

std::uint32_t u32(std::string_view bytes, std::size_t at) {
    return u16(bytes, at) | static_cast<std::uint32_t>(u16(bytes, at + 2)) << 16;
}

void putU16(std::string& bytes, std::size_t at, std::uint16_t value) {
    bytes[at] = static_cast<char>(value & 0xFF);
    bytes[at + 1] = static_cast<char>(value >> 8);
}

void putU32(std::string& bytes, std::size_t at, std::uint32_t value) {
    putU16(bytes, at, static_cast<std::uint16_t>(value & 0xFFFF));
    putU16(bytes, at + 2, static_cast<std::uint16_t>(value >> 16));
}

template <typename List> bool contains(const List& list, std::uint16_t function) {
    for (const std::uint16_t f : list) {
        if (f == function) {
            return true;
        }
    }
    return false;
}

// The number of the leading parameters that name objects.
std::size_t objectParameters(std::uint16_t function) {
    switch (function) {
    case kSelectObject:
    case kSelectPalette:
    case kSelectClipRegion:
    case kInvertRegion:
    case kPaintRegion:
        return 1;
    case kFillRegion:
    case kFrameRegion:
        return 2;
    default:
        return 0;
    }
}

// The last record of each kind that set the state, as written.
struct State {
    std::array<std::string, kStateRecords.size()> records;
};

class Normalizer {
public:
    explicit Normalizer(std::string_view bytes) : bytes_(bytes) {}
    std::string run();

private:
    bool record(std::string_view record);
    void restore(std::string_view record);
    std::uint16_t create();

    std::string_view bytes_;
    std::string out_;
    State state_;
    std::vector<State> saved_;
    // The object table as the metafile numbers it, each place holding the
    // number of the object's own place here, or kNoObject when free.
    std::vector<std::uint16_t> places_;
    std::size_t objects_ = 0;   // the objects created so far, each at its own place here
    std::uint32_t largest_ = 3; // the largest record's size in 16-bit words
};

std::string Normalizer::run() {
    std::size_t start = 0;
    if (bytes_.size() >= kPlaceableHeaderBytes && u32(bytes_, 0) == kPlaceableKey) {
        start = kPlaceableHeaderBytes;
    }
    if (bytes_.size() < start + kHeaderBytes || u16(bytes_, start + 2) != kHeaderBytes / 2) {
        return {};
    }
    out_.assign(bytes_.substr(0, start + kHeaderBytes));
    std::size_t at = start + kHeaderBytes;
    for (std::size_t count = 0; at + 6 <= bytes_.size() && count < kMaxWmfRecords; ++count) {
        const std::uint32_t words = u32(bytes_, at);
        if (words < 3 || words > (bytes_.size() - at) / 2) {
            break;
        }
        const std::string_view record = bytes_.substr(at, std::size_t{words} * 2);
        at += record.size();
        largest_ = std::max<std::uint32_t>(largest_, words);
        if (!this->record(record)) {
            break;
        }
    }
    if (out_.size() == start + kHeaderBytes || objects_ > kMaxWmfObjects) {
        return {};
    }
    if (u16(out_, out_.size() - 2) != kEof || u32(out_, out_.size() - 6) != 3) {
        out_.append("\x03\x00\x00\x00\x00\x00", 6); // a cut metafile ends here
    }
    // The header's size in 16-bit words, the objects the table holds and the
    // largest record, for which the player makes room.
    putU32(out_, start + 6, static_cast<std::uint32_t>((out_.size() - start) / 2));
    putU16(out_, start + 10, static_cast<std::uint16_t>(std::max<std::size_t>(objects_, 1)));
    putU32(out_, start + 12, largest_);
    return out_;
}

// Copies a record, or what stands for it; false at the end of the records.
bool Normalizer::record(std::string_view record) {
    const std::uint16_t function = u16(record, 4);
    if (function == kDeleteObject) {
        // The metafile's place is free again; the object keeps its own.
        if (record.size() >= 8 && u16(record, 6) < places_.size()) {
            places_[u16(record, 6)] = kNoObject;
        }
        return true;
    }
    std::string copy(record);
    const std::size_t named = objectParameters(function);
    for (std::size_t i = 0; i < named && 6 + 2 * i + 2 <= copy.size(); ++i) {
        const std::uint16_t object = u16(copy, 6 + 2 * i);
        putU16(copy, 6 + 2 * i, object < places_.size() ? places_[object] : kNoObject);
    }
    if (contains(kCreateRecords, function) && create() == kNoObject) {
        return false;
    }
    out_ += copy;
    if (function == kEof) {
        return false;
    }
    for (std::size_t i = 0; i < kStateRecords.size(); ++i) {
        if (kStateRecords[i] == function) {
            state_.records[i] = copy;
        }
    }
    if (function == kSaveDc && saved_.size() < kMaxSavedStates) {
        saved_.push_back(state_);
    } else if (function == kRestoreDc) {
        restore(record);
    }
    if (function == kSaveDc || function == kRestoreDc) {
        for (const std::string& set : state_.records) {
            out_ += set;
        }
    }
    return true;
}

// A created object takes the first free place of the metafile's table, and
// the next place of the player's, which frees none.
std::uint16_t Normalizer::create() {
    if (objects_ >= kMaxWmfObjects) {
        return kNoObject;
    }
    std::size_t place = 0;
    while (place < places_.size() && places_[place] != kNoObject) {
        ++place;
    }
    if (place == places_.size()) {
        places_.push_back(kNoObject);
    }
    places_[place] = static_cast<std::uint16_t>(objects_++);
    return places_[place];
}

void Normalizer::restore(std::string_view record) {
    // RestoreDC's parameter: a negative number counts back from the last
    // state saved, a positive one is the state's number from the first.
    const auto which = static_cast<std::int16_t>(record.size() >= 8 ? u16(record, 6) : 0xFFFF);
    std::size_t keep = saved_.size();
    if (which < 0) {
        const auto back = static_cast<std::size_t>(-which);
        keep = back <= saved_.size() ? saved_.size() - back : saved_.size();
    } else if (which > 0 && static_cast<std::size_t>(which) <= saved_.size()) {
        keep = static_cast<std::size_t>(which) - 1;
    }
    if (keep < saved_.size()) {
        state_ = saved_[keep];
        saved_.resize(keep);
    }
}

} // namespace

std::string normalizeWmf(std::string_view bytes) {
    return Normalizer(bytes).run();
}

} // namespace ohmora::rtf
