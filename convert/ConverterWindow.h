#pragma once

#include "convert/ConvPrompter.h"

#include <QWidget>

class QLineEdit;
class QPushButton;

namespace dw::convert {

// The converter's only window. Every decision lives in convertFile(); this binds it to the
// two path boxes and the four buttons.
class ConverterWindow final : public QWidget {
    Q_OBJECT
public:
    explicit ConverterWindow(ConvPrompter &prompter, QWidget *parent = nullptr);

    void browse();
    void convert();
    void help();

private:
    ConvPrompter &prompter_;
    QLineEdit *txtSource_;
    QLineEdit *txtDest_;
    QPushButton *cmdBrowse_;
    QPushButton *cmdConvert_;
    QPushButton *cmdHelp_;
    QPushButton *cmdExit_;
};

} // namespace dw::convert
