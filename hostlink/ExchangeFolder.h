// The executable's folder, where the host and the program exchange files: the host's exports,
// the annotation documents and the single-text file are written there.
#pragma once

// The file of single texts and of the area table, in the executable's folder.
inline constexpr const char* kSingleTextFile = "Menseki.dxf";

// Throws EUntypeablePath, or EConvertError naming the folder (a blank without a short name),
// when a file that the system has the host write or read (the export file, the single-text
// file) cannot be typed into the host: a workflow checks it before it types anything.
void RequireTypeableFiles();

// Throws EFCreateError, naming the folder, when the executable's folder takes no new file:
// the host's exports and the system's documents are written there, and a workflow would run its
// dialogue with the host in vain (a folder on a read-only share, or one the user may not
// write into).
void RequireWritableFolder();
