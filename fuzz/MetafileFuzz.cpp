// The metafile converters of the helper program ohmora-metafile on arbitrary
// bytes: an enhanced metafile when the bytes carry its signature, else a
// Windows metafile. They must end (libFuzzer's timeout catches a hang) and
// never crash, and what they give is an SVG document of bounded size. The
// same bytes are also read as the helper's requests.
#include "richtext/MetafileProtocol.h"
#include "richtext/MetafileSvg.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <string>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace ohmora::rtf;
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    constexpr std::size_t kSignatureAt = 40;
    const bool enhanced = bytes.substr(std::min(bytes.size(), kSignatureAt), 4) == " EMF";
    const std::optional<std::string> svg =
        metafileToSvg(enhanced ? ImageKind::Emf : ImageKind::Wmf, bytes);
    if (svg && (svg->find("<svg") == std::string::npos || svg->size() > kMaxSvgBytes)) {
        std::abort();
    }
    std::size_t answers = 0;
    answerMetafileRequests(bytes, [&answers](const std::string&) { ++answers; });
    return 0;
}
