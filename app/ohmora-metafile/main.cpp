// ohmora-metafile: the helper through which the program reads WMF and EMF
// pictures. It reads the pictures of a document on its standard input and
// writes their SVG on its standard output (see richtext/MetafileProtocol.h),
// under limits of its own: the libraries it runs read outside data, and a
// crash or a hang here costs the program a placeholder, never its text.
#include "richtext/MetafileProtocol.h"

#include <sys/resource.h>
#include <unistd.h>

#include <cstdio>
#include <string>

namespace {

// Limits far above what a document's pictures need.
constexpr rlim_t kCpuSeconds = 60;
// (No bound on the address space under AddressSanitizer, whose shadow
// memory reserves terabytes of it.)
[[maybe_unused]] constexpr rlim_t kAddressSpace = rlim_t{2} << 30;
constexpr rlim_t kOpenFiles = 16;

void limit(int resource, rlim_t value) {
    const rlimit bound{value, value};
    setrlimit(resource, &bound);
}

void limitItself() {
    limit(RLIMIT_CPU, kCpuSeconds);
    limit(RLIMIT_CORE, 0);
    limit(RLIMIT_FSIZE, 0);
    limit(RLIMIT_NOFILE, kOpenFiles);
#if !defined(__SANITIZE_ADDRESS__) && !defined(__has_feature)
    limit(RLIMIT_AS, kAddressSpace);
#elif defined(__has_feature)
#if !__has_feature(address_sanitizer)
    limit(RLIMIT_AS, kAddressSpace);
#endif
#endif
}

bool writeAll(const std::string& bytes) {
    std::size_t written = 0;
    while (written < bytes.size()) {
        const ssize_t n = ::write(STDOUT_FILENO, bytes.data() + written, bytes.size() - written);
        if (n <= 0) {
            return false;
        }
        written += static_cast<std::size_t>(n);
    }
    return true;
}

} // namespace

int main() {
    limitItself();
    std::string input;
    char buffer[1 << 16];
    for (ssize_t n; (n = ::read(STDIN_FILENO, buffer, sizeof buffer)) > 0;) {
        if (input.size() + static_cast<std::size_t>(n) > ohmora::rtf::kMaxHelperInput) {
            return 1;
        }
        input.append(buffer, static_cast<std::size_t>(n));
    }
    bool ok = true;
    ohmora::rtf::answerMetafileRequests(
        input, [&ok](const std::string& answer) { ok = ok && writeAll(answer); });
    return ok ? 0 : 1;
}
