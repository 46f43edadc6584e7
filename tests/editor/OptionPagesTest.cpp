#include "MainWindowFixture.h"
#include "MiscPage.h"
#include "UserActions.h"

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QRadioButton>

namespace {

struct FlagControl
{
    int flag;
    QString control;
    QString caption;
};

// Every flag of [Defaults] with the control that edits it; flag 0 is the "Default Speed" group.
std::vector<FlagControl> FlagControls()
{
    std::vector<FlagControl> rows = {
        {0, "RunRadioGroup", "Default Speed"},
        {1, "FullScreenCheckBox", "Fullscreen"},
        {2, "LogCheckBox", "Enable Logging"},
        {3, "AssistCheckBox", "Assist Auto Attack"},
        {4, "SeeInspectCheckBox", "See Inspections"},
        {5, "LockWinCheckBox", "Lock Windows in DM"},
        {6, "HidePlayerCheckBox", "Player"},
        {7, "HidePartyCheckBox", "Party"},
        {8, "HideTargetCheckBox", "Target"},
        {9, "HideSpellsCheckBox", "Spells"},
        {10, "HideAffectsCheckBox", "Affects"},
        {11, "HotButtonsCheckBox", "Hotbuttons"},
        {12, "HideChatCheckBox", "Chat"},
        {13, "HideMenuCheckBox", "MainMenu"},
        {14, "DynLightCheckBox", "Show Dynamic Lights"},
        {15, "InvWinLabelCheckBox", "Inventory Window Labels"},
        {16, "InspectCheckBox", "Inspect Others"},
        {24, "SpellEffectsCheckBox", "Show Spell Effects"},
        {25, "ServerFilterCheckBox", "Server Filter"},
        {26, "D3DTextureCompCheckBox", "D3D Texture Compression"},
        {27, "SoundCheckBox", "Enable Sound"},
        {28, "SocialAnimationCheckBox", "Social Animations"},
        {29, "VorranElementalsCheckBox", "Vorran Elementals"},
        {56, "MipmappingCheckBox", "Mipmapping"},
        {57, "TextureCompressionCheckBox", "Texture Compression"},
        {58, "TextureCacheCheckBox", "Texture Cache"},
        {59, "UseUmbraCheckBox", "Use Umbra"},
        {60, "UseTnLCheckBox", "Use TnL"},
        {61, "ShowGrassCheckBox", "Show Grass"},
    };
    for (int armor = 17; armor <= 23; ++armor)
        rows.push_back(
            {armor, QString("Armor%1CheckBox").arg(armor), QString("Armor%1").arg(armor)});
    const std::vector<std::pair<QString, QString>> races = {
        {"Human", "Human"},
        {"Barbarian", "Barbarian"},
        {"Erudite", "Erudite"},
        {"WoodElf", "Wood Elf"},
        {"HighElf", "High Elf"},
        {"DarkElf", "Dark Elf"},
        {"HalfElf", "Half Elf"},
        {"Dwarf", "Dwarf"},
        {"Troll", "Troll"},
        {"Ogre", "Ogre"},
        {"Halfling", "Halfling"},
        {"Gnome", "Gnome"},
        {"Iksar", "Iksar"},
    };
    int flag = 30;
    for (const auto &[race, words] : races) {
        for (const QString sex : {"Male", "Female"})
            rows.push_back({flag++, "Vorran" + race + sex + "CheckBox", words + " " + sex});
    }
    return rows;
}

std::string DefaultsFile(const std::string &lines)
{
    return "[Defaults]\r\n" + lines + "[BagPositions]\r\nBag_0_X=5\r\n";
}

class OptionPagesTest : public MainWindowFixture
{
protected:
    DefaultsSettings &defaults() { return window().settings().Defaults; }

    // Replaces the client file and reloads it with the toolbar button.
    void ReloadWith(const std::string &bytes)
    {
        WriteBytes(iniPath(), bytes);
        clickToolButton("ToolButton1");
    }

    bool IsOn(const FlagControl &row)
    {
        auto *control = find<QAbstractButton>(row.flag == 0 ? "RunRadioButton" : row.control);
        return control && control->isChecked();
    }

    void Toggle(const FlagControl &row)
    {
        QString name = row.control;
        if (row.flag == 0)
            name = IsOn(row) ? "WalkRadioButton" : "RunRadioButton";
        if (auto *control = find<QAbstractButton>(name))
            ClickButton(control);
    }

    // The line of the saved file that holds this key; empty when there is none.
    std::string SavedLine(const std::string &key)
    {
        const std::string bytes = fileBytes();
        const auto start = bytes.find("\n" + key + "=");
        if (start == std::string::npos)
            return "";
        return bytes.substr(start + 1, bytes.find('\r', start) - start - 1);
    }
};

} // namespace

TEST_F(OptionPagesTest, EveryFlagReachesItsControlAndEveryClickReachesItsFlag)
{
    const std::vector<FlagControl> rows = FlagControls();
    ASSERT_EQ(rows.size(), 62u);
    StartWithoutFile();
    for (const FlagControl &row : rows) {
        SCOPED_TRACE(row.control.toStdString());
        auto *control = find<QWidget>(row.control);
        const auto *group = qobject_cast<QGroupBox *>(control);
        const auto *box = qobject_cast<QCheckBox *>(control);
        EXPECT_EQ(group ? group->title() : box ? box->text() : QString(), row.caption);

        // A file with this flag alone switched on.
        DefaultsSettings onlyThis;
        onlyThis.Flags[row.flag] = true;
        std::filesystem::remove(iniPath());
        SaveDefaultsSection(iniPath(), onlyThis);
        clickToolButton("ToolButton1");

        for (const FlagControl &other : rows)
            EXPECT_EQ(IsOn(other), other.flag == row.flag) << other.control.toStdString();

        Toggle(row);
        EXPECT_FALSE(IsOn(row));
        EXPECT_EQ(defaults().Flags, DefaultsSettings().Flags);

        Toggle(row);
        EXPECT_TRUE(IsOn(row));
        EXPECT_EQ(defaults().Flags, onlyThis.Flags);
    }
}

TEST_F(OptionPagesTest, FlagsClickedOnArePairedWithTheirKeysInTheSavedFile)
{
    StartWithFile(DefaultsFile("RunMode=TRUE\r\nLockWindows=FALSE\r\nServerFilter=0\r\n"));

    ClickButton(find<QRadioButton>("WalkRadioButton"));
    ClickButton(find<QCheckBox>("LockWinCheckBox"));
    ClickButton(find<QCheckBox>("ServerFilterCheckBox"));
    ClickButton(find<QCheckBox>("FullScreenCheckBox"));
    clickToolButton("ToolButton2");

    EXPECT_EQ(SavedLine("RunMode"), "RunMode=FALSE");
    EXPECT_EQ(SavedLine("LockWindows"), "LockWindows=TRUE");
    EXPECT_EQ(SavedLine("ServerFilter"), "ServerFilter=1");
    EXPECT_EQ(SavedLine("ScreenMode"), "ScreenMode=FULL");
}

TEST_F(OptionPagesTest, TargetGroupBuffIsShownDisabledAndBoundToNothing)
{
    StartWithoutFile();
    auto *box = find<QCheckBox>("TargetGroupBuffCheckBox");
    const ClientSettings before = window().settings();

    ClickButton(box);

    EXPECT_EQ(box->text(), "Target Group Buff");
    EXPECT_FALSE(box->isEnabled());
    EXPECT_FALSE(box->isChecked());
    EXPECT_EQ(window().settings(), before);
}

TEST_F(OptionPagesTest, ListsOfferExactlyTheirItems)
{
    StartWithoutFile();
    const std::vector<std::pair<QString, QStringList>> lists = {
        {"VideoModeComboBox", {"640x480", "800x600", "1024x768", "1280x960", "1600x1200"}},
        {"BitsPerPixelComboBox", {"16", "32"}},
        {"TextureQualityComboBox", {"High", "Medium", "Low"}},
        {"ShowNamesLevelComboBox",
         {"Off",
          "First name only.",
          "First and Last names.",
          "First name, Last name, and Guild tag.",
          "Show the whole name."}},
        {"TrackPlayersComboBox", {"No", "Yes", "Group Only"}},
        {"TrackSortTypeComboBox", {"NORMAL", "DISTANCE", "CONSIDER", "RDISTANCE", "RCONSIDER"}},
    };
    for (const auto &[name, items] : lists) {
        auto *list = find<QComboBox>(name);
        QStringList shown;
        for (int i = 0; i < list->count(); ++i)
            shown << list->itemText(i);
        EXPECT_EQ(shown, items) << name.toStdString();
        EXPECT_FALSE(list->isEditable()) << name.toStdString();
    }
}

namespace {

struct ListCase
{
    QString list;
    std::string key;
    std::int32_t loaded; // the file's value, which the fill must leave in the record
    QString shown;       // the item shown after the load; empty for no selection
    QString choice;      // the item the user then picks
    std::int32_t chosen; // the field after the pick
};

std::int32_t DefaultsSettings::*FieldOf(const std::string &key)
{
    if (key == "VideoMode")
        return &DefaultsSettings::VideoMode;
    if (key == "VideoModeBitsPerPixel")
        return &DefaultsSettings::VideoModeBitsPerPixel;
    if (key == "TextureQuality")
        return &DefaultsSettings::TextureQuality;
    return &DefaultsSettings::ShowNamesLevel;
}

} // namespace

TEST_F(OptionPagesTest, ListsShowTheirFieldAndStoreOnlyTheUsersPick)
{
    const std::vector<ListCase> cases = {
        {"VideoModeComboBox", "VideoMode", 3, "1280x960", "800x600", 1},
        {"VideoModeComboBox", "VideoMode", 7, "", "1600x1200", 4},
        {"BitsPerPixelComboBox", "VideoModeBitsPerPixel", 32, "32", "16", 16},
        {"BitsPerPixelComboBox", "VideoModeBitsPerPixel", 24, "", "32", 32},
        {"TextureQualityComboBox", "TextureQuality", 2, "Medium", "Low", 3},
        {"TextureQualityComboBox", "TextureQuality", 0, "", "High", 1},
        {"TextureQualityComboBox", "TextureQuality", 4, "", "Medium", 2},
        {"TextureQualityComboBox", "TextureQuality", INT32_MIN, "", "High", 1},
        {"ShowNamesLevelComboBox", "ShowNamesLevel", 2, "First and Last names.", "Off", 0},
    };
    StartWithoutFile();
    for (const ListCase &c : cases) {
        const std::string line = c.key + "=" + std::to_string(c.loaded);
        SCOPED_TRACE(line);
        ReloadWith(DefaultsFile(line + "\r\n"));
        auto *list = find<QComboBox>(c.list);
        DefaultsSettings expected = defaults();

        EXPECT_EQ(list->currentText(), c.shown);
        EXPECT_EQ(list->currentIndex() < 0, c.shown.isEmpty());
        EXPECT_EQ(defaults().*FieldOf(c.key), c.loaded);

        ChooseListItem(list, c.choice);

        EXPECT_EQ(list->currentText(), c.choice);
        expected.*FieldOf(c.key) = c.chosen;
        EXPECT_EQ(defaults(), expected);
    }
}

TEST_F(OptionPagesTest, TrackListsMapToTheirWords)
{
    StartWithFile(DefaultsFile("TrackPlayers=FALSE\r\nTrackSortType=RCONSIDER\r\n"));
    auto *players = find<QComboBox>("TrackPlayersComboBox");
    auto *sort = find<QComboBox>("TrackSortTypeComboBox");
    EXPECT_EQ(players->currentText(), "No");
    EXPECT_EQ(sort->currentText(), "RCONSIDER");
    DefaultsSettings expected = defaults();

    ChooseListItem(players, "Group Only");
    ChooseListItem(sort, "DISTANCE");

    expected.TrackPlayers = TrackPlayersKind::Group;
    expected.TrackSortType = TrackSortKind::Distance;
    EXPECT_EQ(defaults(), expected);
}

TEST_F(OptionPagesTest, PickedItemsAreSavedAsTheGameSpellsThemAndUnshownValuesAsLoaded)
{
    StartWithFile(
        DefaultsFile("TrackPlayers=TRUE\r\nShowNamesLevel=3\r\nVideoModeBitsPerPixel=24\r\n"));

    ChooseListItem(find<QComboBox>("TrackPlayersComboBox"), "Group Only");
    ChooseListItem(find<QComboBox>("ShowNamesLevelComboBox"), "Off");
    clickToolButton("ToolButton2");

    EXPECT_EQ(SavedLine("TrackPlayers"), "TrackPlayers=GROUP");
    EXPECT_EQ(SavedLine("ShowNamesLevel"), "ShowNamesLevel=OFF");
    EXPECT_EQ(SavedLine("VideoModeBitsPerPixel"), "VideoModeBitsPerPixel=24");
}

TEST_F(OptionPagesTest, ReloadClearsAListWhoseNewValueItCannotShow)
{
    StartWithFile(DefaultsFile("VideoMode=3\r\n"));
    ASSERT_EQ(find<QComboBox>("VideoModeComboBox")->currentText(), "1280x960");

    ReloadWith(DefaultsFile("VideoMode=7\r\n"));

    EXPECT_EQ(find<QComboBox>("VideoModeComboBox")->currentIndex(), -1);
    EXPECT_EQ(defaults().VideoMode, 7);
}

TEST_F(OptionPagesTest, NumberFieldsStoreTheClampedValueOnlyWhenTheShownTextChanges)
{
    // All four fields show 0 before the first fill.
    StartWithFile(DefaultsFile("ChatLineSpacing=2\r\nChatFontSize=99\r\nLastCharSel=-3\r\n"
                               "MousePointerSpeedMod=45\r\n"));
    auto *lineSpace = find<SpinEdit>("LineSpaceSpinEdit");
    auto *fontSize = find<SpinEdit>("FontSizeSpinEdit");
    auto *lastChar = find<SpinEdit>("LastCharSelSpinEdit");
    auto *mouseSpeed = find<SpinEdit>("MousePointerSpeedModSpinEdit");

    EXPECT_EQ(lineSpace->text(), "2");
    EXPECT_EQ(fontSize->text(), "10");
    EXPECT_EQ(lastChar->text(), "0");
    EXPECT_EQ(mouseSpeed->text(), "30");
    EXPECT_EQ(defaults().ChatLineSpacing, 2);
    EXPECT_EQ(defaults().ChatFontSize, 10);
    EXPECT_EQ(defaults().LastCharSel, -3);
    EXPECT_EQ(defaults().MousePointerSpeedMod, 30);

    clickToolButton("ToolButton2");
    EXPECT_EQ(SavedLine("ChatFontSize"), "ChatFontSize=10");
    EXPECT_EQ(SavedLine("LastCharSel"), "LastCharSel=-3");

    // Reloading 99 while the field still shows 10 changes nothing shown, so 99 stays.
    ReloadWith(DefaultsFile("ChatFontSize=99\r\n"));
    EXPECT_EQ(fontSize->text(), "10");
    EXPECT_EQ(defaults().ChatFontSize, 99);
}

TEST_F(OptionPagesTest, NumberFieldsStoreWhatTheUserTypesOrSteps)
{
    StartWithFile(DefaultsFile("ChatLineSpacing=1\r\nChatFontSize=10\r\n"));
    auto *lineSpace = find<SpinEdit>("LineSpaceSpinEdit");
    auto *fontSize = find<SpinEdit>("FontSizeSpinEdit");
    const DefaultsSettings before = defaults();

    TypeIntoField(lineSpace, "4");
    EXPECT_EQ(defaults().ChatLineSpacing, 4);
    TypeIntoField(lineSpace, "");
    EXPECT_EQ(defaults().ChatLineSpacing, 0); // no number counts as the minimum
    TypeIntoField(lineSpace, "3");
    QTest::keyClick(lineSpace, Qt::Key_Down);
    EXPECT_EQ(defaults().ChatLineSpacing, 2);

    TypeIntoField(fontSize, "10");
    QTest::keyClick(fontSize, Qt::Key_Up);
    EXPECT_EQ(fontSize->text(), "10");

    DefaultsSettings expected = before;
    expected.ChatLineSpacing = 2;
    EXPECT_EQ(defaults(), expected);
}

TEST_F(OptionPagesTest, FilterBoxesFollowTheBitsThroughFillsAndClicks)
{
    StartWithFile(DefaultsFile("TrackFilterType=21\r\n"));
    const std::vector<std::pair<QString, int>> boxes = {
        {"RedsCheckBox", 16},
        {"YellowsCheckBox", 8},
        {"WhitesCheckBox", 4},
        {"BluesCheckBox", 2},
        {"GreensCheckBox", 1},
    };
    auto shown = [&] {
        int bits = 0;
        for (const auto &[name, bit] : boxes)
            bits |= find<QCheckBox>(name)->isChecked() ? bit : 0;
        return bits;
    };
    EXPECT_EQ(shown(), 21);

    ClickButton(find<QCheckBox>("WhitesCheckBox"));
    EXPECT_EQ(defaults().TrackFilterType, 17);
    EXPECT_EQ(shown(), 17);

    // A file without the red bit clears "Remove Reds"; clicking it sets the bit again.
    ReloadWith(DefaultsFile("TrackFilterType=5\r\n"));
    EXPECT_EQ(shown(), 5);
    EXPECT_EQ(defaults().TrackFilterType, 5);
    ClickButton(find<QCheckBox>("RedsCheckBox"));
    EXPECT_EQ(defaults().TrackFilterType, 21);

    // Bits no box stands for survive the clicks.
    ReloadWith(DefaultsFile("TrackFilterType=37\r\n"));
    ClickButton(find<QCheckBox>("GreensCheckBox"));
    EXPECT_EQ(defaults().TrackFilterType, 36);
}
