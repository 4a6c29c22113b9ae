// Saving annotation documents beside the executable and having the host insert them, exploded,
// at the origin.
#pragma once

#include <string>

#include "RuzuRaru2016/hostlink/HostLink.h"
#include "annotation/DxfDocument.h"
#include "geometry/AcadTypes.h"

// The file of single texts and of the area table, in the executable's folder.
inline constexpr const char* kSingleTextFile = "Menseki.dxf";

// The host's command that inserts the file exploded at 0,0 with scale 1 and rotation 0. A path
// with a blank is typed in double quotes ("*" inside them); one the host cannot take throws
// EUntypeablePath (RuzuRaru2016/hostlink/TypedPaths.h).
std::string InsertCommand(const std::string& path);

// Throws EUntypeablePath when a file that the system has the host write or read (the export
// file, the single-text file) cannot be typed into the host: a workflow checks it before it
// types anything.
void RequireTypeableFiles();

// Throws EFCreateError, naming the folder, when the executable's folder takes no new file:
// the host's exports and the system's documents are written there, and a workflow would run its
// dialogue with the host in vain (a folder on a read-only share, or one the user may not
// write into).
void RequireWritableFolder();

// Degrees, counter-clockwise, by which the host turns a document inserted with InsertCommand
// about the origin: it reads the typed rotation 0 as its base direction (ANGBASE, in degrees),
// whichever way it counts angles (ANGDIR). A document that must land as written (the area
// table at the picked corner) is written turned back by this angle.
double InsertionTurnDegrees(double angleBase);

// Saves the document to path and sends the insertion command (a missing host is ignored).
// Throws EFCreateError or EUntypeablePath, before anything is sent, when the file cannot be
// written or its path cannot be typed.
void InsertDocument(const HostLink& link, const DxfDocument& document, const std::string& path);

// The document saved to the default annotation file (the export file) and inserted.
void InsertDxf(const HostLink& link, const DxfDocument& document);

// One TEXT in a document of its own (no application data), saved to the single-text file and
// inserted.
void InsertTextDxf(const HostLink& link, const std::string& justification, const TAcadPoint& point,
                   const std::string& text, double height, double rotation,
                   const std::string& layer, const std::string& style);
