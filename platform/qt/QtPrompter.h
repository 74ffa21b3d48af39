#pragma once

#include "platform/Prompter.h"

#include <QPointer>
#include <QWidget>

namespace dw {

// Real message boxes and file dialogs, owned by the given window.
class QtPrompter final : public Prompter {
public:
    explicit QtPrompter(QWidget *owner = nullptr) : owner_(owner) {}
    void setOwner(QWidget *owner) { owner_ = owner; }

    Button ask(const Message &message) override;
    QString chooseFile(FileKind kind) override;
    QStringList chooseFiles(FileKind kind) override;
    void beep() override;

private:
    QStringList runFileDialog(FileKind kind, bool several);
    QPointer<QWidget> owner_;
};

} // namespace dw
