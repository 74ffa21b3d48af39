#include "platform/Prompter.h"

namespace dw {

FileDialogInfo fileDialogInfo(FileKind kind)
{
    const QString list = QStringLiteral("Datewren List (*.dwe)");
    const QString settings = QStringLiteral("Datewren Settings (*.dwt)");
    switch (kind) {
    case FileKind::Open:
        return {false, QStringLiteral("Open File"), list, QStringLiteral("*.dwe"), QStringLiteral("dwe")};
    case FileKind::Save:
        return {true, QStringLiteral("Save List as"), list, QStringLiteral("*.dwe"), QStringLiteral("dwe")};
    case FileKind::OpenReg:
        return {false, QStringLiteral("Open File"), settings, QStringLiteral("*.dwt"), QStringLiteral("dwt")};
    case FileKind::SaveReg:
        return {true, QStringLiteral("Save as..."), settings, QStringLiteral("*.dwt"), QStringLiteral("dwt")};
    case FileKind::Html:
        return {true, QStringLiteral("Save HTML as..."), QStringLiteral("HTML File (*.html)"),
                QStringLiteral("*.html;*.htm"), QStringLiteral("html")};
    case FileKind::Picture:
        return {false, QStringLiteral("Select a background file"),
                QStringLiteral("All Supported Files (*.gif;*.jpg;*.png;*.bmp;*.wmf)"),
                QStringLiteral("*.gif;*.jpg;*.png;*.bmp;*.wmf"), QString()};
    case FileKind::Calendar:
        return {true, QStringLiteral("Export Calendar"), QStringLiteral("iCalendar (*.ics)"), QStringLiteral("*.ics"),
                QStringLiteral("ics")};
    case FileKind::Contacts:
        return {false, QStringLiteral("Import Contacts and Calendars"),
                QStringLiteral("Contacts and Calendars (*.vcf;*.vcard;*.ics)"), QStringLiteral("*.vcf;*.vcard;*.ics"),
                QString()};
    }
    return {};
}

} // namespace dw
