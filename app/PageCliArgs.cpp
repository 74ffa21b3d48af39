#include "app/PageCliArgs.h"

#include "core/events/ListFile.h"
#include "core/settings/SettingsFile.h"

#include <cstdio>

namespace dw {

namespace {
void quietSessionNotes(QtMsgType type, const QMessageLogContext &context, const QString &message)
{
    if (type == QtDebugMsg || type == QtInfoMsg || message.startsWith(QLatin1String("QStandardPaths:")))
        return;
    std::fprintf(stderr, "%s\n", qPrintable(qFormatLogMessage(type, context, message)));
}
} // namespace

void prepareWindowlessMode()
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    qInstallMessageHandler(quietSessionNotes);
}

int cliFail(const QString &message, int code)
{
    std::fprintf(stderr, "%s\n", qPrintable(message));
    return code;
}

std::optional<int> parsePageCliArgs(const QStringList &args, const QString &modeOption, bool allowCompat,
                                    PageCliArgs *out)
{
    for (qsizetype i = 0; i < args.size(); ++i) {
        const QString &a = args.at(i);
        auto value = [&](QString *to) {
            if (i + 1 >= args.size())
                return false;
            *to = args.at(++i);
            return true;
        };
        if (a == modeOption) {
            if (!value(&out->output))
                return cliFail(QStringLiteral("wrenpad: %1 needs the file to write").arg(modeOption), 2);
        } else if (a == QLatin1String("--settings")) {
            if (!value(&out->settingsPath))
                return cliFail(QStringLiteral("wrenpad: --settings needs a settings file"), 2);
        } else if (a == QLatin1String("--today")) {
            QString text;
            if (!value(&text))
                return cliFail(QStringLiteral("wrenpad: --today needs a date YYYY-MM-DD"), 2);
            out->today = QDate::fromString(text, Qt::ISODate);
            if (!out->today.isValid())
                return cliFail(QStringLiteral("wrenpad: --today wants a date YYYY-MM-DD, not \"%1\"").arg(text), 2);
        } else if (allowCompat && a == QLatin1String("--browser-compat")) {
            out->compat = true;
        } else if (allowCompat && a == QLatin1String("--no-browser-compat")) {
            out->compat = false;
        } else if (a.startsWith(QLatin1String("--")) || !out->listPath.isEmpty()) {
            return cliFail(QStringLiteral("wrenpad: unexpected argument \"%1\" (see wrenpad --help)").arg(a), 2);
        } else {
            out->listPath = a;
        }
    }
    return std::nullopt;
}

std::optional<int> readCliList(const QString &path, ListReadResult *list, ListParts parts)
{
    *list = readListFile(path, parts);
    if (list->status != ListReadStatus::Ok)
        return cliFail(listReadFailure(path, *list));
    return std::nullopt;
}

std::optional<int> readCliSettings(const QString &settingsPath, SettingsModel *settings)
{
    if (settingsPath.isEmpty()) {
        *settings = settingsFromStore();
        return std::nullopt;
    }
    QString error;
    if (!settingsFromDwtFile(settingsPath, settings, &error))
        return cliFail(QStringLiteral("Cannot read \"%1\": %2").arg(settingsPath, error));
    return std::nullopt;
}

} // namespace dw
