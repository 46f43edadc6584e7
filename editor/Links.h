#pragma once

#include "Seams.h"

#include <string>

#include <QString>
#include <QUrl>

// The program's own addresses, for the Help menu and the About box.
inline constexpr char HomePageAddress[] = "https://vezaz.example.org/";
// The developer page; the program's version is appended to it as the last query value.
inline constexpr char DeveloperPageAddress[] = "https://vezaz.example.org/developer/?dminiversion=";
inline constexpr char ContactAddress[] = "vezaz@example.org";

QUrl HomePageUrl();
// "mailto:" and the contact address.
QUrl ContactMailUrl();
// The developer page with the version appended as it stands, unescaped.
QUrl DeveloperPageUrl(const std::string &version);

// Hands a link to the desktop; whether it opens is not looked at.
void OpenLink(const Seams &seams, const QUrl &url);
