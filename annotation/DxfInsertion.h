// Saving annotation documents beside the executable and having the host insert them, exploded,
// at the origin.
#pragma once

#include <string>

#include "dxf/DxfDocument.h"
#include "geometry/AcadTypes.h"
#include "hostlink/ExchangeFolder.h"
#include "hostlink/HostLink.h"

// The host's command that inserts the file exploded at 0,0 with scale 1 and rotation 0. A path
// with a blank is typed with its folder's short (8.3) name; one the host cannot take throws
// EUntypeablePath or EConvertError (hostlink/TypedPaths.h).
std::string InsertCommand(const std::string& path);

// The host turns a document inserted with InsertCommand about the origin by its base angle
// (annotation/AnnotationAngles.h writes every document turned back by it).

// Saves the document to path and sends the insertion command (a missing host is ignored).
// Throws EFCreateError, EUntypeablePath or EConvertError, before anything is sent, when the file
// cannot be written or its path cannot be typed.
void InsertDocument(const HostLink& link, const DxfDocument& document, const std::string& path);

// The document saved to the default annotation file (the export file) and inserted.
void InsertDxf(const HostLink& link, const DxfDocument& document);

// One TEXT in a document of its own (no application data), saved to the single-text file and
// inserted.
void InsertTextDxf(const HostLink& link, const std::string& justification, const TAcadPoint& point,
                   const std::string& text, double height, double rotation,
                   const std::string& layer, const std::string& style);
