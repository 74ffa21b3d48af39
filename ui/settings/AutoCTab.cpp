#include "ui/settings/AutoCTab.h"

#include "core/events/Completion.h"
#include "core/settings/SettingsGroups.h"
#include "core/settings/SettingsLists.h"
#include "core/settings/SettingsStore.h"

#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>

namespace dw {

AutoCTab::AutoCTab(SettingsContext &context, QWidget *parent) : SettingsTab(context, parent)
{
    setObjectName(QStringLiteral("AutoCTab"));
    auto *layout = new QVBoxLayout(this);
    auto *groups = new QHBoxLayout;
    const char *const titles[2] = {"Domain Names:", "Custom Complete:"};
    for (int g = 0; g < 2; ++g) {
        auto *box = new QGroupBox(QString::fromLatin1(titles[g]), this);
        auto *grid = new QGridLayout(box);
        for (int row = 0; row < 7; ++row) {
            const int i = g * 7 + row;
            auto *shortcut = new QLineEdit(box);
            shortcut->setObjectName(QStringLiteral("txtShortcut%1").arg(i));
            shortcut->setMaxLength(2);
            shortcut->setMaximumWidth(40);
            auto *text = new QLineEdit(box);
            text->setObjectName(QStringLiteral("txtAutoCom%1").arg(i));
            grid->addWidget(shortcut, row, 0);
            grid->addWidget(text, row, 1);
            txtShortcut_[size_t(i)] = shortcut;
            txtAutoCom_[size_t(i)] = text;
            shortcut->installEventFilter(this);
            text->installEventFilter(this);
            connect(shortcut, &QLineEdit::textEdited, this, [this, i](const QString &typed) {
                if (ctx_.loading())
                    return;
                const QString clean = normalizeShortcut(typed, i, model().shortcuts);
                model().shortcuts[size_t(i)] = clean;
                if (clean != typed)
                    txtShortcut_[size_t(i)]->setText(clean);
                emit changed(false);
            });
            connect(text, &QLineEdit::textEdited, this, [this, i](const QString &typed) {
                model().completions[size_t(i)] = typed;
                emit changed(false);
            });
        }
        groups->addWidget(box);
    }
    layout->addLayout(groups);
    auto *buttons = new QHBoxLayout;
    auto *save = new QPushButton(QStringLiteral("Save Settings"), this);
    save->setObjectName(QStringLiteral("cmdSave3"));
    buttons->addStretch(1);
    buttons->addWidget(save);
    layout->addLayout(buttons);
    layout->addStretch(1);
    connect(save, &QPushButton::clicked, this, [this] {
        saveAutoCSettings(model(), ctx_.store, kSettingsSection);
        emit changed(false); // half-filled pairs were emptied
    });
    sync();
}

void AutoCTab::sync()
{
    for (size_t i = 0; i < txtShortcut_.size(); ++i) {
        ui::setTextKeepingCursor(txtShortcut_[i], model().shortcuts[i]);
        ui::setTextKeepingCursor(txtAutoCom_[i], model().completions[i]);
    }
}

bool AutoCTab::eventFilter(QObject *watched, QEvent *event)
{
    // Entering a shortcut or text box selects its whole text.
    if (event->type() == QEvent::FocusIn) {
        if (auto *edit = qobject_cast<QLineEdit *>(watched))
            QTimer::singleShot(0, edit, [edit] { edit->selectAll(); });
    }
    return SettingsTab::eventFilter(watched, event);
}

} // namespace dw
