#include "files/ConfigurationFile.h"

#include "core/LeadingNumber.h"
#include "files/AtomicFile.h"
#include "files/RecordFile.h"

#include <array>
#include <cmath>

namespace ohmora::files {

namespace {

// Numbers are stored as the decimal text of a whole number, a blank in
// front of a non-negative one: " 32768", " 3", "-1".
std::string numberText(long long value) {
    return (value < 0 ? "" : " ") + std::to_string(value);
}

std::string boxText(bool ticked) {
    return ticked ? "1" : " 0";
}

// The leading-number rule, rounded to the nearest integer; nothing for a
// number beyond any integer.
std::optional<long long> wholeNumber(const std::string& text) {
    const NumberReading reading = readLeadingNumber(text);
    if (reading.overflow || !std::isfinite(reading.value) || std::fabs(reading.value) > 1e15) {
        return std::nullopt;
    }
    return static_cast<long long>(std::nearbyint(reading.value));
}

} // namespace

std::optional<std::string> configurationBytes(const Controls& c) {
    RecordImage image;
    int record = 1;
    bool fits = image.write(record, kConfigurationSignature);
    const auto put = [&](const std::string& text) { fits = image.write(++record, text) && fits; };
    for (const Rgb& colour : c.colours) {
        put(numberText(colour.value()));
    }
    put(numberText(c.upDown));
    put(numberText(c.montage));
    for (const std::string& text : c.textv) {
        put(text);
    }
    for (bool ticked : c.check4) {
        put(boxText(ticked));
    }
    put(boxText(c.check3));
    put(boxText(c.checkRn));
    if (!fits) {
        return std::nullopt;
    }
    return image.bytes();
}

ConfigurationRead parseConfiguration(std::string_view bytes) {
    const RecordImage image{std::string(bytes)};
    ConfigurationRead out;
    out.problem = kConfigurationUnreadable;
    // The signature first: a file that is not a configuration is told so,
    // whatever else it holds.
    const RecordText signature = image.read(1);
    if (signature.status != RecordStatus::Ok || signature.text != kConfigurationSignature) {
        out.problem = kNotConfiguration;
        return out;
    }
    std::array<std::string, kConfigurationRecords + 1> texts;
    for (int n = 2; n <= kConfigurationRecords; ++n) {
        RecordText r = image.read(n);
        if (r.status != RecordStatus::Ok) {
            return out;
        }
        texts[size_t(n)] = std::move(r.text);
    }
    Controls c;
    int n = 2;
    for (Rgb& colour : c.colours) {
        const std::optional<long long> v = wholeNumber(texts[size_t(n++)]);
        if (!v || *v < 0 || *v > 0xFFFFFF) {
            return out;
        }
        colour = Rgb::fromValue(*v);
    }
    const std::optional<long long> upDown = wholeNumber(texts[size_t(n++)]);
    if (!upDown || *upDown < kUpDownMin || *upDown > kUpDownMax) {
        return out;
    }
    c.upDown = int(*upDown);
    const std::optional<long long> montage = wholeNumber(texts[size_t(n++)]);
    if (!montage || *montage < -1 || *montage >= kMontageCount) {
        return out;
    }
    c.montage = int(*montage);
    for (std::string& text : c.textv) {
        text = texts[size_t(n++)];
    }
    for (auto&& ticked : c.check4) {
        ticked = texts[size_t(n++)] == "1";
    }
    c.check3 = texts[size_t(n++)] == "1";
    c.checkRn = texts[size_t(n++)] == "1";
    out.controls = c;
    return out;
}

std::optional<FileMessage> saveConfiguration(const std::filesystem::path& path,
                                             const Controls& controls) {
    const std::optional<std::string> bytes = configurationBytes(controls);
    if (!bytes || !writeFileAtomically(path, *bytes)) {
        return kConfigurationUnwritable;
    }
    return std::nullopt;
}

ConfigurationRead loadConfiguration(const std::filesystem::path& path) {
    const std::optional<std::string> bytes =
        readFileHead(path, size_t(kConfigurationRecords) * kRecordSize);
    if (!bytes) {
        ConfigurationRead out;
        out.problem = kConfigurationUnreadable;
        return out;
    }
    return parseConfiguration(*bytes);
}

std::string configurationCaption(std::string_view path) {
    std::string caption = "Ohmora - ";
    caption += path;
    return caption;
}

} // namespace ohmora::files
