#include "commands/SettingNames.h"

#include "commands/Concat.h"

std::string UnknownSettingText(std::string_view name)
{
    return Concat(
        {"unknown setting '", name, "'; 'vezaz list' shows every setting the editor knows"});
}

bool FindSettings(const std::vector<std::string> &names,
                  const CommandContext &context,
                  std::vector<const Setting *> &settings)
{
    bool allFound = true;
    for (const std::string &name : names) {
        if (const Setting *setting = FindSetting(name)) {
            settings.push_back(setting);
        } else {
            ReportError(context, UnknownSettingText(name), ExitRefused);
            allFound = false;
        }
    }
    return allFound;
}
