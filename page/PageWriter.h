#pragma once

#include "page/PageContext.h"

#include <QByteArray>
#include <QString>
#include <optional>

namespace dw {

// The wallpaper page for the given events and settings: sections in page order, CR LF line
// ends, no line end after the final "</html>", pure ASCII. Returns nothing and sets *error when
// a setting cannot be used or a date is not in "dd/MM/yyyy" form.
std::optional<QString> pageText(const PageInput &in, QString *error = nullptr);

struct PageWriteResult {
    bool ok = false;
    QString error; // what went wrong, with the system's reason
};

// Builds the page and replaces the file at path in one step, so that a failure leaves the
// previous page as it was.
PageWriteResult writePageFile(const QString &path, const PageInput &in);

} // namespace dw
