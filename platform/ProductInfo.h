#pragma once

#include <QString>

// The program's version and the addresses it shows or contacts. A packager who publishes
// Datewren under another site changes the addresses here and nowhere else.
namespace dw::product {

// "major.minor.revision", compared as text with the first five characters of the update file.
inline const QString kVersion = QStringLiteral("7.0.3");

// The published update file: plain text whose first five characters are the newest version
// ("7.0.3"); anything after them is ignored. Fetched over HTTPS by "Check for Update".
inline const QString kUpdateFileUrl = QStringLiteral("https://datewren.example/update.txt");

// Opened in the default browser when the user accepts an "Update Available" message.
inline const QString kDownloadPageUrl = QStringLiteral("https://datewren.example/download/");

// Shown on the Help panel and used in the preview page's sample links.
inline const QString kContactEmail = QStringLiteral("feedback@datewren.example");
inline const QString kWebsite = QStringLiteral("https://datewren.example/");
inline const QString kHomePage = QStringLiteral("https://datewren.example/home/");

} // namespace dw::product
