#include "ui/settings/SettingsTab.h"

#include <QComboBox>
#include <QLineEdit>

namespace dw {

SettingsTab::SettingsTab(SettingsContext &context, QWidget *parent) : QWidget(parent), ctx_(context) {}

namespace ui {

QComboBox *comboBox(QWidget *parent, const QString &name, const QStringList &items)
{
    auto *box = new QComboBox(parent);
    box->setObjectName(name);
    box->addItems(items);
    return box;
}

void selectText(QComboBox *box, const QString &text, bool addMissing)
{
    int index = box->findText(text, Qt::MatchExactly | Qt::MatchCaseSensitive);
    if (index < 0 && addMissing) {
        box->insertItem(0, text);
        index = 0;
    }
    if (index >= 0 && index != box->currentIndex())
        box->setCurrentIndex(index);
}

void setTextKeepingCursor(QLineEdit *edit, const QString &text)
{
    if (edit->text() != text)
        edit->setText(text);
}

} // namespace ui

} // namespace dw
