// Rules about the files the tools read and write: what may be opened for reading, when an output
// would be one of the operation's inputs, and the names derived from an input's name.
#pragma once

#include <filesystem>
#include <initializer_list>
#include <span>
#include <string>
#include <string_view>

namespace textio {

// An input must be an existing regular file (or a link to one): "File not found" when nothing is
// there, "File access denied" for a folder, and a Spanish message for a pipe, a device or a
// socket, which could block or never end. Checked before the file is opened.
void checkInputFile(const std::filesystem::path& path);

// True when both paths name the same existing file, whatever links or folders lead to it.
bool sameFile(const std::filesystem::path& a, const std::filesystem::path& b);

// Refuses, before anything is created, an output that is one of the operation's inputs.
void ensureDistinct(const std::filesystem::path& input, const std::filesystem::path& output);
void ensureDistinct(std::span<const std::filesystem::path> inputs,
                    const std::filesystem::path& output);
void ensureDistinct(std::initializer_list<std::filesystem::path> inputs,
                    const std::filesystem::path& output);

// Where a file named in a list file is found, a relative name in `folder`. The list's bytes are
// taken as UTF-8 when they are valid UTF-8, otherwise as Latin-1 (written in UTF-8); when that
// spelling names nothing, the other one (the Latin-1 bytes of a UTF-8 name, or the Latin-1 name's
// own bytes) is taken if it names a file, so that a list and its files need not share an encoding.
// An empty name stays empty.
std::filesystem::path listedFile(std::string_view name, const std::filesystem::path& folder = {});

// The length of the valid UTF-8 sequence at the start of `text`, 0 when none starts there (an
// overlong form, a surrogate, a code point past U+10FFFF or a cut sequence).
std::size_t utf8Length(std::string_view text);

// Text from a file as UTF-8: its own bytes when they are valid UTF-8, otherwise each byte read as
// a Latin-1 character (a list or a line file written on an older system).
std::string asUtf8(std::string_view bytes);

// The name without its last four characters (an extension with its point), counted in
// characters of UTF-8 text, never cutting one in two; empty for four characters or fewer.
std::string withoutLastFour(std::string_view name);

// A name made by the program from an input's name and typed text, to be created in the working
// folder: a name holding a folder separator, or longer than a file name may be, is refused with
// a message that says so.
void checkDerivedName(std::string_view name);

} // namespace textio
