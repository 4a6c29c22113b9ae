// An annotation document: the DXF text items that a workflow writes before the host inserts
// them. Each item holds one or more group-code/value line pairs joined by CR LF and never ends
// with CR LF; saving puts CR LF after every item.
#pragma once

#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "platform/CodePage.h"

struct DxfDocument {
  std::vector<std::string> items;
};

// A document file could not be written; the message names the file.
class EFCreateError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// Text in the ANSI code page as a document holds it: a character the code page lacks is written
// \U+XXXX (hexadecimal UTF-16 code unit; one beyond the basic plane as its two halves), the form
// in which the host reads such a character back, instead of the code page's default character.
std::string DxfAnsiText(std::string_view utf8, platform::CodePage& codePage);

// The file's bytes: every item followed by CR LF, in the ANSI code page as above, without a
// byte-order mark.
std::string DocumentBytes(const DxfDocument& document);

// Replaces the file at path with the document. Throws EFCreateError when it cannot be written.
void SaveDxfDocument(const DxfDocument& document, const std::string& path);
