#pragma once
// The member-list and script targets: one input is a project and a text, split at
// kFileSeparator. The text's first line is a command with its options as typed after
// `varnholt-cli`, the rest is the file the command reads; the command runs as the
// command-line tool runs it, writing to the scratch folder.
#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <string_view>

// `commands` are the commands the target takes, `fileOption` the option naming the
// file they read (--members, --script). Returns -1 for an input that is none of them.
int RunCliFileInput(const uint8_t* data, size_t size, std::initializer_list<std::string_view> commands,
                    const char* fileOption);
