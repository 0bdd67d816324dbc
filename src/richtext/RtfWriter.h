#pragma once
// Writes the document model as RTF that word processors read: 7-bit ASCII
// with \'hh escapes for Windows-1252 and \uN? for the rest, a font table and
// a colour table, each span in a group of its own that states its whole
// format, and pictures as hex data. Reading the output gives the same model.

#include "richtext/RtfModel.h"

#include <string>

namespace ohmora::rtf {

std::string writeRtfDocument(const Document& document);

} // namespace ohmora::rtf
