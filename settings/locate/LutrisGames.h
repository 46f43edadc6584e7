#pragma once

#include <optional>
#include <string>
#include <string_view>

// The Wine prefix a Lutris game configuration names: the "prefix:" entry directly under the
// top-level "game:" entry, plain or quoted. nullopt when there is none or it is empty.
std::optional<std::string> LutrisGamePrefix(std::string_view gameYaml);
