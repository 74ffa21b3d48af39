#include "convert/QtConvPrompter.h"

#include "convert/Converter.h"

#include <QFileDialog>
#include <QGuiApplication>
#include <QMessageBox>

namespace dw::convert {

namespace {

QMessageBox::Icon toQt(BoxIcon icon)
{
    switch (icon) {
    case BoxIcon::Information:
        return QMessageBox::Information;
    case BoxIcon::Question:
        return QMessageBox::Question;
    case BoxIcon::Exclamation:
        return QMessageBox::Warning;
    case BoxIcon::Critical:
        return QMessageBox::Critical;
    }
    return QMessageBox::NoIcon;
}

// A box shown during a conversion should not wear the busy pointer.
class NormalPointer {
public:
    NormalPointer() : busy_(QGuiApplication::overrideCursor() != nullptr)
    {
        if (busy_)
            QGuiApplication::setOverrideCursor(Qt::ArrowCursor);
    }
    ~NormalPointer()
    {
        if (busy_)
            QGuiApplication::restoreOverrideCursor();
    }
    NormalPointer(const NormalPointer &) = delete;
    NormalPointer &operator=(const NormalPointer &) = delete;

private:
    bool busy_;
};

} // namespace

Answer QtConvPrompter::ask(const Box &box)
{
    NormalPointer pointer;
    QMessageBox message(toQt(box.icon), box.title, QString(box.text).replace(QLatin1String("\r\n"), QLatin1String("\n")),
                        QMessageBox::NoButton, parent_);
    if (box.buttons == BoxButtons::YesNo) {
        message.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
        message.setDefaultButton(box.defaultButton == Answer::Yes ? QMessageBox::Yes : QMessageBox::No);
        message.setEscapeButton(QMessageBox::No);
        return message.exec() == QMessageBox::Yes ? Answer::Yes : Answer::No;
    }
    message.setStandardButtons(QMessageBox::Ok);
    message.exec();
    return Answer::Ok;
}

QString QtConvPrompter::chooseSource()
{
    return QFileDialog::getOpenFileName(parent_, kBrowseTitle, QString(), kBrowseFilter);
}

} // namespace dw::convert
