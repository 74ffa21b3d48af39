#include "platform/qt/QtPrompter.h"

#include <QApplication>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>

namespace dw {

namespace {
QMessageBox::StandardButton toStandard(Button b)
{
    switch (b) {
    case Button::Ok: return QMessageBox::Ok;
    case Button::Cancel: return QMessageBox::Cancel;
    case Button::Yes: return QMessageBox::Yes;
    case Button::No: return QMessageBox::No;
    }
    return QMessageBox::Ok;
}

QMessageBox::StandardButtons toStandard(Buttons b)
{
    switch (b) {
    case Buttons::Ok: return QMessageBox::Ok;
    case Buttons::OkCancel: return QMessageBox::Ok | QMessageBox::Cancel;
    case Buttons::YesNo: return QMessageBox::Yes | QMessageBox::No;
    case Buttons::YesNoCancel: return QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
    }
    return QMessageBox::Ok;
}

QMessageBox::Icon toStandard(Icon i)
{
    switch (i) {
    case Icon::None: return QMessageBox::NoIcon;
    case Icon::Information: return QMessageBox::Information;
    case Icon::Question: return QMessageBox::Question;
    case Icon::Exclamation: return QMessageBox::Warning;
    case Icon::Critical: return QMessageBox::Critical;
    }
    return QMessageBox::NoIcon;
}
} // namespace

Button QtPrompter::ask(const Message &m)
{
    QMessageBox box(toStandard(m.icon), m.title, m.text, toStandard(m.buttons), owner_);
    box.setDefaultButton(toStandard(m.defaultButton));
    // Messages quote names, paths and setting values from files; shown as typed, never as markup.
    box.setTextFormat(Qt::PlainText);
    // Closing the box with Esc or the window button means Cancel where there is one, else No/OK.
    switch (box.exec()) {
    case QMessageBox::Yes: return Button::Yes;
    case QMessageBox::No: return Button::No;
    case QMessageBox::Cancel: return Button::Cancel;
    case QMessageBox::Ok: return Button::Ok;
    default:
        if (m.buttons == Buttons::YesNoCancel || m.buttons == Buttons::OkCancel)
            return Button::Cancel;
        return m.buttons == Buttons::YesNo ? Button::No : Button::Ok;
    }
}

QString QtPrompter::chooseFile(FileKind kind)
{
    const QStringList files = runFileDialog(kind, false);
    return files.isEmpty() ? QString() : files.constFirst();
}

QStringList QtPrompter::chooseFiles(FileKind kind)
{
    return runFileDialog(kind, true);
}

QStringList QtPrompter::runFileDialog(FileKind kind, bool several)
{
    const FileDialogInfo info = fileDialogInfo(kind);
    QFileDialog dialog(owner_, info.title);
    dialog.setAcceptMode(info.save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(several ? QFileDialog::ExistingFiles : QFileDialog::AnyFile);
    // The program asks its own overwrite question where it needs one.
    dialog.setOption(QFileDialog::DontConfirmOverwrite, true);
    QString patterns = info.filterPattern;
    patterns.replace(QLatin1Char(';'), QLatin1Char(' '));
    dialog.setNameFilter(info.filterDescription.section(QLatin1Char('('), 0, 0).trimmed()
                         + QStringLiteral(" (") + patterns + QLatin1Char(')'));
    if (!info.defaultSuffix.isEmpty())
        dialog.setDefaultSuffix(info.defaultSuffix);
    const QFileInfo start(places.start(kind));
    if (start.isDir()) {
        dialog.setDirectory(start.absoluteFilePath());
    } else {
        dialog.setDirectory(start.absolutePath());
        dialog.selectFile(start.fileName());
    }
    QStringList files;
    if (dialog.exec() == QDialog::Accepted)
        for (const QString &f : dialog.selectedFiles())
            files << QFileInfo(f).absoluteFilePath();
    if (!files.isEmpty())
        places.chosen(kind, files.constFirst());
    return files;
}

void QtPrompter::beep()
{
    QApplication::beep();
}

} // namespace dw
