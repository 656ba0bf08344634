// The platform's file calls that a staged file needs. Each platform has its own
// implementation (posix/, windows/), and the build compiles the one for its target.
// Paths are UTF-8.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace nimbo::replay::native {

using File = std::intptr_t;
constexpr File kNoFile = -1;

// A new, empty file beside `destination`, named after it with ".tmp-" and six characters
// of its own; its name goes to `temporary`. kNoFile on failure.
File CreateBeside(const std::string& destination, std::string& temporary);
// Writes all of `text`; false on failure.
bool WriteAll(File file, std::string_view text);
// Gives the file the permissions that a newly created file gets and flushes it to the
// disk; false on failure.
bool MakeDurable(File file);
bool Close(File file);
// Renames `from` to `to`, replacing a file there in one step; false on failure.
bool ReplaceWith(const std::string& from, const std::string& to);
void Remove(const std::string& path);
// Why the last failed call failed, in the words of the C library's strerror where there
// is one for it.
std::string LastReason();

}  // namespace nimbo::replay::native
