// The registry seam against keys this test writes with the Win32 API, in both views of the
// registry. Writing under HKEY_LOCAL_MACHINE needs an administrator on Windows, and works under
// Wine, whose prefix belongs to the user; where it is refused, the tests are skipped.
#include "locate/AppPathRegistry.h"

#include "ClientFile.h"
#include "TempFolder.h"

#include <filesystem>
#include <string>
#include <windows.h>

#include <gtest/gtest.h>

namespace {

const std::wstring TestRoot = L"SOFTWARE\\VEzaz Registry Test";
const std::string TestKey = "SOFTWARE\\VEzaz Registry Test\\App Paths\\Duskmarch.exe";

enum class View : REGSAM { Bits32 = KEY_WOW64_32KEY, Native = KEY_WOW64_64KEY };

std::wstring Wide(const std::string &text)
{
    return std::wstring(text.begin(), text.end());
}

// A key under HKEY_LOCAL_MACHINE in one view, made for the test and removed with it.
class StagedKey
{
public:
    StagedKey(const std::string &path, View view)
        : m_view(static_cast<REGSAM>(view))
    {
        m_created = RegCreateKeyExW(HKEY_LOCAL_MACHINE,
                                    Wide(path).c_str(),
                                    0,
                                    nullptr,
                                    0,
                                    KEY_SET_VALUE | m_view,
                                    nullptr,
                                    &m_key,
                                    nullptr)
                    == ERROR_SUCCESS;
    }
    ~StagedKey()
    {
        if (m_created)
            RegCloseKey(m_key);
    }
    StagedKey(const StagedKey &) = delete;
    StagedKey &operator=(const StagedKey &) = delete;

    bool created() const { return m_created; }

    void SetText(const std::wstring &text, DWORD type = REG_SZ) const
    {
        Set(type, text.c_str(), (text.size() + 1) * sizeof(wchar_t));
    }
    // Bytes as stored, without the terminating NUL the API usually adds.
    void SetUnterminated(const std::wstring &text) const
    {
        Set(REG_SZ, text.c_str(), text.size() * sizeof(wchar_t));
    }
    void SetNumber(DWORD number) const { Set(REG_DWORD, &number, sizeof number); }

private:
    void Set(DWORD type, const void *data, std::size_t size) const
    {
        ASSERT_EQ(
            RegSetValueExW(
                m_key, L"Path", 0, type, static_cast<const BYTE *>(data), static_cast<DWORD>(size)),
            ERROR_SUCCESS);
    }

    REGSAM m_view;
    HKEY m_key = nullptr;
    bool m_created = false;
};

void RemoveTree(const std::wstring &path, REGSAM view)
{
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, path.c_str(), 0, KEY_ALL_ACCESS | view, &key)
        != ERROR_SUCCESS)
        return;
    RegDeleteTreeW(key, nullptr);
    RegCloseKey(key);
    RegDeleteKeyExW(HKEY_LOCAL_MACHINE, path.c_str(), view, 0);
}

class AppPathRegistryTest : public testing::Test
{
protected:
    void SetUp() override
    {
        RemoveAll();
        if (!StagedKey(TestKey, View::Native).created())
            GTEST_SKIP() << "HKEY_LOCAL_MACHINE cannot be written here";
        RemoveAll();
    }
    void TearDown() override { RemoveAll(); }

    static void RemoveAll()
    {
        RemoveTree(TestRoot, KEY_WOW64_32KEY);
        RemoveTree(TestRoot, KEY_WOW64_64KEY);
    }
};

TEST_F(AppPathRegistryTest, NoKeyInEitherViewIsNoAnswer)
{
    EXPECT_EQ(ReadAppPathValue(TestKey), std::nullopt);
}

TEST_F(AppPathRegistryTest, TheTwoViewsAreApart)
{
    // Without this the order of the views below would prove nothing.
    StagedKey(TestKey, View::Native).SetText(L"D:\\Native");
    HKEY key = nullptr;
    EXPECT_NE(
        RegOpenKeyExW(
            HKEY_LOCAL_MACHINE, Wide(TestKey).c_str(), 0, KEY_QUERY_VALUE | KEY_WOW64_32KEY, &key),
        ERROR_SUCCESS);
}

TEST_F(AppPathRegistryTest, TheNativeViewAnswersWhenThe32BitViewHasNoKey)
{
    StagedKey(TestKey, View::Native).SetText(L"D:\\Games\\Client");
    EXPECT_EQ(ReadAppPathValue(TestKey), "D:\\Games\\Client");
}

TEST_F(AppPathRegistryTest, The32BitViewWinsWhereTheInstallerWrote)
{
    StagedKey(TestKey, View::Bits32).SetText(L"C:\\Program Files (x86)\\Duskmarch\\");
    EXPECT_EQ(ReadAppPathValue(TestKey), "C:\\Program Files (x86)\\Duskmarch\\");
    StagedKey(TestKey, View::Native).SetText(L"D:\\Native");
    EXPECT_EQ(ReadAppPathValue(TestKey), "C:\\Program Files (x86)\\Duskmarch\\");
}

TEST_F(AppPathRegistryTest, AnUnusablePathInThe32BitViewFallsThroughToTheNativeView)
{
    StagedKey(TestKey, View::Native).SetText(L"D:\\Native");
    const StagedKey bits32(TestKey, View::Bits32);
    EXPECT_EQ(ReadAppPathValue(TestKey), "D:\\Native") << "no Path value";
    bits32.SetText(L"");
    EXPECT_EQ(ReadAppPathValue(TestKey), "D:\\Native") << "empty Path";
    bits32.SetNumber(42);
    EXPECT_EQ(ReadAppPathValue(TestKey), "D:\\Native") << "Path of another type";
}

TEST_F(AppPathRegistryTest, APathThatIsNoTextOrEmptyIsNoAnswer)
{
    const StagedKey native(TestKey, View::Native);
    EXPECT_EQ(ReadAppPathValue(TestKey), std::nullopt) << "no Path value";
    native.SetText(L"");
    EXPECT_EQ(ReadAppPathValue(TestKey), std::nullopt);
    native.SetNumber(7);
    EXPECT_EQ(ReadAppPathValue(TestKey), std::nullopt);
}

TEST_F(AppPathRegistryTest, TextIsTakenAsStored)
{
    const StagedKey native(TestKey, View::Native);
    native.SetText(L"%ProgramFiles%\\Duskmarch", REG_EXPAND_SZ);
    EXPECT_EQ(ReadAppPathValue(TestKey), "%ProgramFiles%\\Duskmarch") << "never expanded";
    native.SetUnterminated(L"E:\\Games");
    EXPECT_EQ(ReadAppPathValue(TestKey), "E:\\Games");
    native.SetText(L"E:\\Spiele\\D\u00e4mmerung");
    EXPECT_EQ(ReadAppPathValue(TestKey), "E:\\Spiele\\D\xC3\xA4mmerung") << "in UTF-8";
    const std::wstring longPath = L"E:\\" + std::wstring(5000, L'x');
    native.SetText(longPath);
    EXPECT_EQ(ReadAppPathValue(TestKey), "E:\\" + std::string(5000, 'x'));
}

// The real key, end to end through the platform probe, when this machine has no such key of
// its own.
class RealAppPathTest : public testing::Test
{
protected:
    void SetUp() override
    {
        if (ReadAppPathValue())
            GTEST_SKIP() << "this machine has the game installed";
        if (!StagedKey(std::string(AppPathKey), View::Bits32).created())
            GTEST_SKIP() << "HKEY_LOCAL_MACHINE cannot be written here";
    }
    void TearDown() override
    {
        RegDeleteKeyExW(
            HKEY_LOCAL_MACHINE, Wide(std::string(AppPathKey)).c_str(), KEY_WOW64_32KEY, 0);
    }

    TempFolder folder;
};

TEST_F(RealAppPathTest, LocateClientFolderFollowsTheRegistryToTheClientFile)
{
    const std::string installed = folder.path().string();
    StagedKey(std::string(AppPathKey), View::Bits32).SetText(Wide(installed));
    const PlatformProbe probe = DefaultPlatformProbe();

    EXPECT_EQ(probe.readAppPathValue(), installed);
    // No client file there yet: the program's own folder.
    EXPECT_EQ(LocateClientFolder(probe), probe.executableFolder());

    WriteBytes(folder.file("dmclient.ini"), "[Defaults]\r\n");
    EXPECT_EQ(LocateClientFolder(probe), installed + "\\");
}

TEST(PlatformProbe, FilesAndTheProgramsFolder)
{
    TempFolder folder;
    const PlatformProbe probe = DefaultPlatformProbe();
    WriteBytes(folder.file("dmclient.ini"), "");
    std::filesystem::create_directory(folder.file("folder.ini"));
    EXPECT_TRUE(probe.isRegularFile(folder.file("dmclient.ini")));
    EXPECT_FALSE(probe.isRegularFile(folder.file("folder.ini")));
    EXPECT_FALSE(probe.isRegularFile(folder.file("missing.ini")));

    const std::string own = probe.executableFolder();
    ASSERT_FALSE(own.empty());
    EXPECT_EQ(own.back(), '\\');
    EXPECT_TRUE(probe.isRegularFile(own + "test_app_path_registry.exe"));
}

} // namespace
