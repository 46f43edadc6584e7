#include "ini/ProfileDocument.h"

void ProfileDocument::Values(std::string_view section,
                             std::span<const std::string_view> keys,
                             std::span<std::optional<std::string_view>> values) const
{
    const Section *found = FindSection(section);
    for (std::size_t i = 0; i < keys.size(); ++i) {
        const auto place = found ? FindKey(*found, keys[i]) : std::nullopt;
        // A line without "=" names a key that has no value, as in Value().
        values[i] = place && HasValue(*place) ? std::optional(ReadableValueOf(*found, *place))
                                              : std::nullopt;
    }
}
