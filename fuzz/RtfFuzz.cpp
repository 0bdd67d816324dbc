// The RTF reader on arbitrary bytes: it must end (libFuzzer's timeout
// catches a hang), never crash, and what it writes of a document must read
// back as that same document. The document then goes into a QTextDocument
// and out again, as the text area loads and saves it.
#include "richtext/RtfReader.h"
#include "richtext/RtfWriter.h"
#include "richtext/TextDocumentAdapter.h"

#include <QGuiApplication>
#include <QTextDocument>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <string_view>

// Fontconfig, under Qt's font database, keeps for good what a first look-up
// of a font family finds: once per family, not per document.
extern "C" const char* __lsan_default_suppressions() { // NOLINT(bugprone-reserved-identifier)
    return "leak:libfontconfig.so\n";
}

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    // Pictures and fonts need an application; it lives for the whole run.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static std::unique_ptr<QGuiApplication> app = std::make_unique<QGuiApplication>(*argc, *argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace ohmora::rtf;
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const Document first = readRtfDocument(bytes);
    // The first writing may settle what the file left loose (widths of
    // ragged rows, a picture without size); from then on nothing changes.
    const Document second = readRtfDocument(writeRtfDocument(first));
    if (readRtfDocument(writeRtfDocument(second)) != second) {
        std::abort();
    }
    QTextDocument document;
    buildTextDocument(first, document);
    const Document extracted = extractTextDocument(document);
    if (readRtfDocument(writeRtfDocument(extracted)) != extracted) {
        std::abort();
    }
    return 0;
}
