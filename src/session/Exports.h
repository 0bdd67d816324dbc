#pragma once
// What leaves the program besides the clipboard and the printed page: the
// recording as a CSV file for a spreadsheet or a program, and the graph
// (measuring tools included) and the schematic as PNG images at 1×, 2× or
// 4× or as SVG, each drawn anew by its drawing code. The copy menu's
// entries ask for the file through the system's save dialog, whose filter
// chooses the kind; ohmora-cli names the file and the kind itself. Every
// file is written completely or not at all.

#include "graph/RecordingCsv.h"

#include <QByteArray>
#include <QString>

#include <optional>
#include <string>
#include <vector>

namespace ohmora {
struct FileKind;
}

namespace ohmora::session {

class Session;

enum class PictureKind { Graph, Schematic };

// An image file: PNG at `scale` device pixels to a picture's pixel, or SVG.
struct ImageKind {
    bool svg = false;
    int scale = 1;
    friend bool operator==(const ImageKind&, const ImageKind&) = default;
};

// The kinds the save dialogs offer, in their order: the French CSV first,
// then the international one; PNG at 1×, 2×, 4×, then SVG.
const std::vector<FileKind>& csvFileKinds();
const std::vector<FileKind>& imageFileKinds();
ImageKind imageKindOf(int fileKind);
// The kind of an image file named `path` and chosen with the dialog's
// filter `fileKind`: its own extension, when .png or .svg, tells the
// format (a scale chosen for PNG stays); otherwise the filter.
ImageKind imageKindFor(const QString& path, int fileKind);

class Exports {
public:
    explicit Exports(Session& session) : session_(session) {}

    // The recording as CSV; nothing, after the message "Aucun enregistrement
    // à exporter", when there is none.
    std::optional<std::string> csv(CsvFormat format);
    // The picture as an image file's bytes; empty when it could not be made.
    QByteArray image(PictureKind picture, ImageKind kind);

    // Written to `path`; false after a message saying why not.
    bool writeCsv(const QString& path, CsvFormat format);
    bool writeImage(PictureKind picture, ImageKind kind, const QString& path);

    // "Exporter les mesures (CSV)…", "Enregistrer le graphe en image…" and
    // "Enregistrer le schéma en image…": the save dialog, then the file.
    void exportMeasures();
    void saveImage(PictureKind picture);

private:
    QString startFolder() const;
    bool write(const QString& path, const QByteArray& bytes, const QString& title);

    Session& session_;
    QString lastFolder_; // where the last file was saved
};

} // namespace ohmora::session
