#pragma once
// WMF and EMF pictures made SVG by the helper program ohmora-metafile, one
// run of it for all the pictures of a document. The helper runs under a
// time limit (and limits of its own): a picture that crashes it or takes
// too long gives no SVG, and the pictures after it are given to a new run.

#include "richtext/RtfModel.h"

#include <QByteArray>
#include <QString>

#include <string>
#include <vector>

namespace ohmora::rtf {

struct MetafileJob {
    ImageKind kind = ImageKind::Wmf;
    const std::string* bytes = nullptr;
};

struct MetafileOptions {
    QString helper;    // empty: metafileHelperPath()
    int timeoutMs = 0; // for all the pictures; 0: a bound that grows with their number
};

// The SVG of each picture, in order; an empty array for a picture the
// helper could not convert, or when there is no helper.
std::vector<QByteArray> convertMetafiles(const std::vector<MetafileJob>& jobs,
                                         const MetafileOptions& options = {});

// OHMORA_METAFILE_HELPER when set, else ohmora-metafile beside the running
// program (a build's program directory), else in ../libexec/ohmora from it
// (an installation); empty when none is there.
QString metafileHelperPath();

} // namespace ohmora::rtf
