// Client files as they turn up in the wild, and input that must never reach the file: each
// goes through a whole load and save, the way the editor handles it.

#include "ClientFile.h"
#include "TempFolder.h"
#include "ini/IniError.h"
#include "ini/SuppUnit.h"

#include <algorithm>
#include <filesystem>
#include <functional>
#include <string>
#include <sys/stat.h>
#include <vector>

#include <gtest/gtest.h>

namespace {

namespace fs = std::filesystem;
using namespace std::string_literals;

const std::string Utf8Mark = "\xEF\xBB\xBF";

std::string Realistic()
{
    return TestData("realistic_client.ini");
}

std::string ReplacedOnce(std::string text, const std::string &from, const std::string &to)
{
    const auto at = text.find(from);
    EXPECT_NE(at, std::string::npos) << from;
    if (at != std::string::npos)
        text.replace(at, from.size(), to);
    return text;
}

// The realistic file with extra lines at the end of its unknown [Options] section.
std::string WithOptionsLines(const std::string &lines)
{
    return ReplacedOnce(Realistic(), "Baz\r\n", "Baz\r\n" + lines);
}

// Where the catalogue keeps a key map entry.
int KeyMapEntry(std::string_view key)
{
    for (int entry = KeyMapTable::first; entry <= KeyMapTable::last; ++entry) {
        if (KeyMapKey(entry) == key)
            return entry;
    }
    ADD_FAILURE() << "no key map entry " << key;
    return KeyMapTable::first;
}

mode_t ModeOf(const std::string &path)
{
    struct stat info
    {};
    EXPECT_EQ(lstat(path.c_str(), &info), 0) << path;
    return info.st_mode;
}

class HostileFileTest : public testing::Test
{
protected:
    ClientSettings Load()
    {
        ClientSettings settings;
        EXPECT_EQ(LoadAllSections(path, settings), std::nullopt);
        return settings;
    }

    // What a load of these bytes gives, from a file of its own.
    static ClientSettings LoadOf(const std::string &bytes)
    {
        TempFolder other;
        WriteBytes(other.file("dmclient.ini"), bytes);
        ClientSettings settings;
        EXPECT_EQ(LoadAllSections(other.file("dmclient.ini"), settings), std::nullopt);
        return settings;
    }

    // Loading and saving with no edit changes no byte.
    void ExpectLoadAndSaveKeepEveryByte(const std::string &bytes)
    {
        WriteBytes(path, bytes);
        EXPECT_EQ(SaveAllSections(path, Load()), std::nullopt);
        EXPECT_EQ(ReadBytes(path), bytes);
    }

    // Loads, sets VideoMode 4 (the file has 2) and saves.
    void SaveVideoMode4()
    {
        ClientSettings settings = Load();
        ASSERT_EQ(settings.Defaults.VideoMode, 2);
        settings.Defaults.VideoMode = 4;
        ASSERT_EQ(SaveAllSections(path, settings), std::nullopt);
    }

    TempFolder folder;
    std::string path = folder.file("dmclient.ini");
};

// ---------------------------------------------------------------------------------------------
// Encodings and odd bytes

TEST_F(HostileFileTest, Utf8ByteOrderMarkKeepsTheFirstSectionAndIsKept)
{
    const std::string marked = Utf8Mark + Realistic();
    WriteBytes(path, marked);
    EXPECT_EQ(Load(), LoadOf(Realistic()));
    ExpectLoadAndSaveKeepEveryByte(marked);

    SaveVideoMode4();
    EXPECT_EQ(ReadBytes(path), ReplacedOnce(marked, "VideoMode=2", "VideoMode=4"));
}

// We do not read UTF-16: such a file gives the defaults, and every save is refused, so the
// file is never damaged. UTF-32 starts with the same marks, or with its own.
TEST_F(HostileFileTest, WideTextFilesGiveDefaultsAndAreNeverWritten)
{
    const auto realistic = Realistic();
    std::string littleEndian = "\xFF\xFE";
    std::string bigEndian = "\xFE\xFF";
    for (const char c : realistic) {
        littleEndian += {c, '\0'};
        bigEndian += {'\0', c};
    }
    const std::string utf32BigEndian = "\0\0\xFE\xFF\0\0\0["s;
    const ClientSettings defaults = LoadOf("");

    for (const auto &wide : {littleEndian, bigEndian, utf32BigEndian}) {
        WriteBytes(path, wide);
        ClientSettings settings = Load();
        EXPECT_EQ(settings, defaults);

        settings.Defaults.VideoMode = 4;
        EXPECT_EQ(SaveAllSections(path, settings), "Unable to write to " + path);
        EXPECT_EQ(ReadBytes(path), wide);

        TDMStyleIniFile ini(path);
        EXPECT_THROW(ini.WriteText("New Section", "Key", "value"), IniWriteError);
        // Not even a value the file seems to hold already.
        EXPECT_THROW(
            ini.WriteText("Defaults", "VideoMode", ini.ReadText("Defaults", "VideoMode", "")),
            IniWriteError);
        ini.UpdateFile();
        EXPECT_EQ(ReadBytes(path), wide);
    }
}

// A NUL byte ends a value, as the platform's C strings do; the bytes themselves stay where
// they are unless the editor writes that very key.
TEST_F(HostileFileTest, NulBytesEndAValueAndStayInTheFile)
{
    const std::string withNuls = ReplacedOnce(WithOptionsLines("Junk=\0\0bin\0ary\r\n\0\0\0\r\n"s),
                                              "KEYMAP_AUTORUN = NUMLOCK",
                                              "KEYMAP_AUTORUN = NUMLOCK\0tail"s);
    WriteBytes(path, withNuls);
    EXPECT_EQ(Load().KeyMaps[KeyMapEntry("KEYMAP_AUTORUN")], "NUMLOCK");
    ExpectLoadAndSaveKeepEveryByte(withNuls);

    SaveVideoMode4();
    EXPECT_EQ(ReadBytes(path), ReplacedOnce(withNuls, "VideoMode=2", "VideoMode=4"));
}

TEST_F(HostileFileTest, LoneCarriageReturnsReadAsLineEndsAndAreKept)
{
    std::string crOnly = Realistic();
    for (auto at = crOnly.find("\r\n"); at != std::string::npos; at = crOnly.find("\r\n", at))
        crOnly.erase(at + 1, 1);
    ASSERT_EQ(crOnly.find('\n'), std::string::npos);

    WriteBytes(path, crOnly);
    EXPECT_EQ(Load(), LoadOf(Realistic()));
    ExpectLoadAndSaveKeepEveryByte(crOnly);

    SaveVideoMode4();
    EXPECT_EQ(ReadBytes(path), ReplacedOnce(crOnly, "VideoMode=2", "VideoMode=4"));
}

// A line of megabytes: an unknown key is kept whole; a known value reads as its first 2047
// characters, and writing that back leaves the whole value in place.
TEST_F(HostileFileTest, LinesOfMegabytesAreKeptWhole)
{
    const std::string hugeValue(2 * 1024 * 1024, 'k');
    const std::string huge
        = ReplacedOnce(WithOptionsLines("Blob=" + std::string(3 * 1024 * 1024, 'b') + "\r\n"),
                       "KEYMAP_AUTORUN = NUMLOCK",
                       "KEYMAP_AUTORUN = " + hugeValue);
    WriteBytes(path, huge);
    EXPECT_EQ(Load().KeyMaps[KeyMapEntry("KEYMAP_AUTORUN")], hugeValue.substr(0, 2047));
    ExpectLoadAndSaveKeepEveryByte(huge);

    SaveVideoMode4();
    EXPECT_EQ(ReadBytes(path), ReplacedOnce(huge, "VideoMode=2", "VideoMode=4"));
}

// ---------------------------------------------------------------------------------------------
// What the file is on disk

TEST_F(HostileFileTest, SymbolicLinkStaysALinkAndItsTargetIsSaved)
{
    fs::create_directory(folder.file("real"));
    const auto target = folder.file("real/dmclient.ini");
    WriteBytes(target, Realistic());
    fs::create_symlink("real/dmclient.ini", path);

    SaveVideoMode4();

    EXPECT_TRUE(fs::is_symlink(path));
    EXPECT_EQ(fs::read_symlink(path), "real/dmclient.ini");
    EXPECT_EQ(ReadBytes(target), ReplacedOnce(Realistic(), "VideoMode=2", "VideoMode=4"));
    EXPECT_EQ(std::distance(fs::directory_iterator(folder.file("real")), fs::directory_iterator()),
              1);
}

TEST_F(HostileFileTest, UnusualPermissionsAreKept)
{
    for (const mode_t mode : {0600U, 0640U, 0660U, 0604U}) {
        SCOPED_TRACE(mode);
        WriteBytes(path, Realistic());
        ASSERT_EQ(chmod(path.c_str(), mode), 0);
        SaveVideoMode4();
        EXPECT_EQ(ModeOf(path) & 07777, mode);
        EXPECT_EQ(ReadBytes(path), ReplacedOnce(Realistic(), "VideoMode=2", "VideoMode=4"));
    }
}

// The new file is renamed over the old one, so a second name of the same file (a hard link)
// goes on naming the old content: the edited path gets the new content, the other keeps the
// old, and the two are separate files from then on.
TEST_F(HostileFileTest, SaveBreaksAHardLink)
{
    const auto otherName = folder.file("backup.ini");
    WriteBytes(path, Realistic());
    fs::create_hard_link(path, otherName);

    SaveVideoMode4();

    EXPECT_EQ(ReadBytes(path), ReplacedOnce(Realistic(), "VideoMode=2", "VideoMode=4"));
    EXPECT_EQ(ReadBytes(otherName), Realistic());
    EXPECT_EQ(fs::hard_link_count(path), 1U);
    EXPECT_EQ(fs::hard_link_count(otherName), 1U);
}

TEST_F(HostileFileTest, ReadOnlyFileIsRefusedAndReported)
{
    WriteBytes(path, Realistic());
    ASSERT_EQ(chmod(path.c_str(), 0444), 0);
    ClientSettings settings = Load();
    settings.Defaults.VideoMode = 4;

    EXPECT_EQ(SaveAllSections(path, settings), "Unable to write to " + path);

    EXPECT_EQ(ReadBytes(path), Realistic());
    EXPECT_EQ(ModeOf(path) & 07777, 0444U);
}

// A pipe where the file should be: no read may wait for a writer, and nothing is written.
TEST_F(HostileFileTest, PipeInPlaceOfTheFileGivesDefaultsAndIsRefused)
{
    ASSERT_EQ(mkfifo(path.c_str(), 0644), 0);
    ClientSettings settings;
    EXPECT_EQ(LoadAllSections(path, settings), "Unable to read " + path);
    EXPECT_EQ(settings, LoadOf(""));

    EXPECT_EQ(SaveAllSections(path, settings), "Unable to write to " + path);
    EXPECT_TRUE(S_ISFIFO(ModeOf(path)));
}

// ---------------------------------------------------------------------------------------------
// Input that would change the file's structure never reaches it.

struct UnsafeWrite
{
    std::string section;
    std::string key;
    std::string value;
};

// Each typed write of the accessor, with the section, key and (for text) value given.
const std::vector<std::function<void(TDMStyleIniFile &, const UnsafeWrite &)>> TypedWrites = {
    [](auto &ini, auto &w) { ini.WriteText(w.section, w.key, w.value); },
    [](auto &ini, auto &w) { ini.WriteNumber(w.section, w.key, 7); },
    [](auto &ini, auto &w) { ini.WriteDigitFlag(w.section, w.key, true); },
    [](auto &ini, auto &w) { ini.WriteTrueFalse(w.section, w.key, false); },
    [](auto &ini, auto &w) { ini.WriteOffLevel(w.section, w.key, 0); },
};

TEST_F(HostileFileTest, UnsafeNamesAndValuesAreRefusedByEveryTypedWrite)
{
    const std::vector<UnsafeWrite> unsafe = {
        {"Defaults]\r\n[Evil", "Key", "v"},
        {"Defaults]", "Key", "v"},
        {"Defa\0ults"s, "Key", "v"},
        {"Defaults", "Key=1\r\nOther", "v"},
        {"Defaults", "Key=x", "v"},
        {"Defaults", "Key\nx", "v"},
        {"Defaults", "Ke\0y"s, "v"},
        {"Defaults", "[Evil]", "v"},
        {"Defaults", ";Key", "v"},
        {"Defaults", "", "v"},
        {"", "Key", "v"},
    };
    WriteBytes(path, Realistic());
    for (const auto &write : unsafe) {
        for (std::size_t kind = 0; kind < TypedWrites.size(); ++kind) {
            SCOPED_TRACE(testing::Message() << "write " << kind << " key " << write.key);
            TDMStyleIniFile ini(path);
            try {
                TypedWrites[kind](ini, write);
                ADD_FAILURE() << "the write went through";
            } catch (const IniWriteError &error) {
                EXPECT_EQ(std::string(error.what()), "Unable to write to " + path);
            }
            ini.UpdateFile();
        }
    }
    // Values: only text can carry a line break or a NUL.
    for (const auto &value : {"1\r\n[Evil]"s, "1\r"s, "1\0x"s}) {
        TDMStyleIniFile ini(path);
        EXPECT_THROW(ini.WriteText("Defaults", "VideoMode", value), IniWriteError);
        ini.UpdateFile();
    }
    EXPECT_EQ(ReadBytes(path), Realistic());
}

// The one free text the editor saves is a key binding: one with a line break or a NUL stops
// the save at [KeyMaps], whose keys stay as they were.
TEST_F(HostileFileTest, KeyBindingWithALineBreakOrNulStopsTheSave)
{
    for (const auto &bad : {"\r"s, "\n"s, "\r\n"s, "\0"s}) {
        WriteBytes(path, Realistic());
        ClientSettings settings = Load();
        settings.KeyMaps[KeyMapEntry("KEYMAP_JUMP")] = "SPACE" + bad + "KEYMAP_AUTORUN=F1";

        EXPECT_EQ(SaveAllSections(path, settings), "Unable to write to " + path);

        EXPECT_EQ(ReadBytes(path), Realistic());
    }
}

} // namespace
