// An annotation document: the DXF text items that a workflow writes before the host inserts
// them. Each item holds one or more group-code/value line pairs joined by CR LF and never ends
// with CR LF; saving puts CR LF after every item.
#pragma once

#include <stdexcept>
#include <string>
#include <vector>

struct DxfDocument {
  std::vector<std::string> items;
};

// A document file could not be written; the message names the file.
class EFCreateError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// The file's bytes: every item followed by CR LF, in the ANSI code page (characters it lacks
// become its default character), without a byte-order mark.
std::string DocumentBytes(const DxfDocument& document);

// Replaces the file at path with the document. Throws EFCreateError when it cannot be written.
void SaveDxfDocument(const DxfDocument& document, const std::string& path);
