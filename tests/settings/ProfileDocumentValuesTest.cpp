#include "TrickyFile.h"
#include "ini/ProfileDocument.h"

#include <algorithm>
#include <vector>

#include <gtest/gtest.h>

namespace {

// A section of many lines the reader does not ask for around the ones it does, out of order.
std::string CrowdedFile()
{
    std::string text = "[Crowded]\n";
    for (int n = 0; n < 100; ++n)
        text += "Unknown" + std::to_string(n) + "=" + std::to_string(n) + "\n";
    text += "C=3\nb=2\nA=1\nBare\nD\nd=shadowed\nA=second\n";
    return text;
}

// Lines that start with the bytes of the key asked for next and its "=", yet are not that key's
// line, or are another key's.
const std::string LookAlikeFile = std::string("[Crowded]\nPlain=1\n Spaced=2\nTrailing =3\n")
                                  + "Nul" + std::string(1, '\0') + "x=5\na=b=4\n[Bracket=6\n"
                                  + ";Comment=7\n#Hashed=8\nPlain=again\nPLAIN=upper\n";

const std::string_view KeyWithNul("Nul\0x", 5);

const std::vector<std::string_view> Names
    = {"Name",      "Quoted",    "Single",  "Mixed",  "Lone",     "EmptyQuotes", "Empty",
       "Bare",      "DUP",       "Equals",  "Tabbed", "Inner",    "Later",       "Key",
       "NoNewline", "Missing",   "a",       "B",      "c",        "d",           "Unknown7",
       "Unknown99", "Commented", "#Hashed", "Plain",  " Spaced",  "Spaced",      "Trailing ",
       "Trailing",  KeyWithNul,  "Nul",     "a=b",    "[Bracket", ";Comment"};

// Value() of each key from a document of its own, so no earlier look-up shapes the answer.
std::vector<std::optional<std::string_view>> OneByOne(const ProfileDocument &document,
                                                      std::string_view section,
                                                      const std::vector<std::string_view> &keys)
{
    std::vector<std::optional<std::string_view>> values;
    for (const auto key : keys)
        values.push_back(document.Value(section, key));
    return values;
}

TEST(ProfileDocumentValues, GiveWhatReadingEachKeyAloneGivesInAnyOrder)
{
    for (const std::string &text : {TrickyFile, CrowdedFile(), LookAlikeFile}) {
        for (const std::string_view section :
             {"General", "Spaced Section", "Lone CR", "Last", "Crowded", "Nowhere"}) {
            std::vector<std::string_view> keys = Names;
            for (int order = 0; order < 2; ++order) {
                const ProfileDocument batch(text);
                std::vector<std::optional<std::string_view>> values(keys.size());
                batch.Values(section, keys, values);
                const ProfileDocument single(text);
                EXPECT_EQ(values, OneByOne(single, section, keys)) << section << " " << order;
                std::reverse(keys.begin(), keys.end());
            }
        }
    }
}

TEST(ProfileDocumentValues, SeeTheLinesWrittenSinceTheFileWasRead)
{
    ProfileDocument document(CrowdedFile());
    document.Set("Crowded", "A", "changed");
    document.Set("Crowded", "New", "added");
    const std::vector<std::string_view> keys = {"New", "a", "b", "Missing"};
    std::vector<std::optional<std::string_view>> values(keys.size());
    document.Values("Crowded", keys, values);
    EXPECT_EQ(values, OneByOne(document, "Crowded", keys));
    EXPECT_EQ(values[0], "added");
    EXPECT_EQ(values[1], "changed");
}

} // namespace
