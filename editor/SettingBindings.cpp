#include "SettingBindings.h"

#include "SettingIds.h"
#include "TaggedControls.h"

#include <map>
#include <string>

#include <QCheckBox>
#include <QWidget>

namespace {

using enum SettingRole;

// The controls of their own that are found by name: the lists, the speed group and the fields.
const std::map<std::string, const char *> &OwnControlNames()
{
    static const std::map<std::string, const char *> names{
        {"RunMode", "RunRadioGroup"},
        {"VideoMode", "VideoModeComboBox"},
        {"VideoModeBitsPerPixel", "BitsPerPixelComboBox"},
        {"TextureQuality", "TextureQualityComboBox"},
        {"ShowNamesLevel", "ShowNamesLevelComboBox"},
        {"TrackPlayers", "TrackPlayersComboBox"},
        {"TrackSortType", "TrackSortTypeComboBox"},
        {"ChatLineSpacing", "LineSpaceSpinEdit"},
        {"ChatFontSize", "FontSizeSpinEdit"},
        {"LastCharSel", "LastCharSelSpinEdit"},
        {"MousePointerSpeedMod", "MousePointerSpeedModSpinEdit"},
    };
    return names;
}

char LayoutKey(SettingRole role)
{
    switch (role) {
    case X:
        return 'X';
    case Y:
        return 'Y';
    case Width:
        return 'W';
    default:
        return 'H';
    }
}

int ColorComponent(SettingRole role)
{
    return role == Red ? 0 : role == Green ? 1 : 2;
}

std::string SharedId(SettingPage page, SettingRole role, const PageSelection &at)
{
    switch (page) {
    case SettingPage::TextColors:
        return TextColorId(at.textColor, ColorComponent(role));
    case SettingPage::Windows:
        if (role == Transparency)
            return WindowTransId(at.gameWindow);
        if (role == Red || role == Green || role == Blue)
            return WindowColorId(at.gameWindow, ColorComponent(role));
        return WindowLayoutId(at.resolution, at.gameWindow, LayoutKey(role));
    case SettingPage::Containers:
        return BagPositionId(at.container, role == X ? 'X' : 'Y');
    case SettingPage::KeyMaps:
        return KeyMapId(at.keyRow);
    default:
        return {};
    }
}

} // namespace

SettingBindings::SettingBindings(const Pages &pages)
    : m_pages(pages)
{
    BindSharedControls();
    BindOwnControls();
    ListControls();
}

void SettingBindings::BindShared(QWidget *within,
                                 SettingPage page,
                                 SettingRole role,
                                 const char *name)
{
    if (auto *control = within->findChild<QWidget *>(QString::fromLatin1(name)))
        m_bindings.push_back({control, page, role, nullptr});
}

void SettingBindings::BindSharedControls()
{
    using enum SettingPage;
    const std::pair<SettingRole, const char *> textBoxes[] = {{Red, "Edit1"},
                                                              {Green, "Edit2"},
                                                              {Blue, "Edit3"},
                                                              {Red, "ScrollBar1"},
                                                              {Green, "ScrollBar2"},
                                                              {Blue, "ScrollBar3"}};
    for (const auto &[role, name] : textBoxes)
        BindShared(m_pages.textColors, TextColors, role, name);
    const std::pair<SettingRole, const char *> windowControls[] = {{Red, "Edit4"},
                                                                   {Green, "Edit5"},
                                                                   {Blue, "Edit6"},
                                                                   {Red, "ScrollBar4"},
                                                                   {Green, "ScrollBar5"},
                                                                   {Blue, "ScrollBar6"},
                                                                   {Transparency, "TransSpinEdit"},
                                                                   {X, "XSpinEdit"},
                                                                   {Y, "YSpinEdit"},
                                                                   {Width, "WSpinEdit"},
                                                                   {Height, "HSpinEdit"}};
    for (const auto &[role, name] : windowControls)
        BindShared(m_pages.windows, Windows, role, name);
    BindShared(m_pages.misc, Containers, X, "XContainerSpinEdit");
    BindShared(m_pages.misc, Containers, Y, "YContainerSpinEdit");
    BindShared(m_pages.keyMaps, KeyMaps, SettingRole::Binding, "KeymapEditor");
}

void SettingBindings::BindOwnControls()
{
    const std::map<int, QCheckBox *> flagBoxes = FlagCheckBoxes();
    for (const Setting &setting : SettingCatalogue()) {
        if (setting.role == FilterBits) {
            for (QCheckBox *box : m_pages.filterBoxes)
                BindOwn(setting, box);
        } else if (setting.role == CheckBox) {
            const auto box = flagBoxes.find(setting.item);
            BindOwn(setting, box == flagBoxes.end() ? nullptr : box->second);
        } else if (setting.role == List || setting.role == Field) {
            BindOwn(setting, NamedControl(setting));
        }
    }
}

void SettingBindings::BindOwn(const Setting &setting, QWidget *control)
{
    if (control)
        m_bindings.push_back({control, setting.page, setting.role, &setting});
}

// The first tagged box of each flag on the option pages, as the option pages themselves find
// it; the lock box lives on the window page.
std::map<int, QCheckBox *> SettingBindings::FlagCheckBoxes() const
{
    std::map<int, QCheckBox *> boxes;
    for (const QWidget *page : {m_pages.models, m_pages.display, m_pages.misc}) {
        for (const auto &[box, tag] : TaggedCheckBoxes(page)) {
            if (!m_pages.filterBoxes.contains(box))
                boxes.try_emplace(tag, box);
        }
    }
    if (auto *lock = m_pages.windows->findChild<QCheckBox *>(QStringLiteral("LockWinCheckBox")))
        boxes.try_emplace(static_cast<int>(DefaultsFlag::LockWindows), lock);
    return boxes;
}

QWidget *SettingBindings::NamedControl(const Setting &setting) const
{
    const auto name = OwnControlNames().find(setting.key);
    if (name == OwnControlNames().end())
        return nullptr;
    return PageOf(setting.page)->findChild<QWidget *>(QString::fromLatin1(name->second));
}

void SettingBindings::ListControls()
{
    for (const Binding &binding : m_bindings) {
        if (!m_controls.contains(binding.control))
            m_controls.append(binding.control);
    }
}

QList<QWidget *> SettingBindings::ControlsOf(const Setting &setting) const
{
    QList<QWidget *> found;
    for (const Binding &binding : m_bindings) {
        const bool shared
            = !binding.fixed && binding.page == setting.page && binding.role == setting.role;
        if (binding.fixed == &setting || shared)
            found.append(binding.control);
    }
    return found;
}

const Setting *SettingBindings::SettingOf(const QWidget *control,
                                          const PageSelection &selection) const
{
    for (const Binding &binding : m_bindings) {
        if (binding.control != control)
            continue;
        if (binding.fixed)
            return binding.fixed;
        return FindSetting(SharedId(binding.page, binding.role, selection));
    }
    return nullptr;
}

QWidget *SettingBindings::PageOf(SettingPage page) const
{
    switch (page) {
    case SettingPage::TextColors:
        return m_pages.textColors;
    case SettingPage::Windows:
        return m_pages.windows;
    case SettingPage::Models:
        return m_pages.models;
    case SettingPage::Display:
        return m_pages.display;
    case SettingPage::KeyMaps:
        return m_pages.keyMaps;
    default:
        return m_pages.misc;
    }
}
