#pragma once

#include <QWidget>

class QLabel;
class QPlainTextEdit;
class QPushButton;

namespace dw {

// The output-warnings panel `fraWarning`: the numbered warnings and the two ways out.
class WarningsPanel : public QWidget {
    Q_OBJECT
public:
    explicit WarningsPanel(QWidget *parent = nullptr);

    QPlainTextEdit *text() const { return txtWarning_; }
    QPushButton *ignoreButton() const { return cmdIgnore_; }
    QPushButton *cancelButton() const { return cmdExit_; }

private:
    QLabel *title_;
    QPlainTextEdit *txtWarning_;
    QPushButton *cmdIgnore_;
    QPushButton *cmdExit_;
};

class MainWindow;
// Adds the warnings panel, "Ignore Output Warning", the Create HTML and Open HTML commands and
// the Sort menu to the window.
void installPage(MainWindow &window);

} // namespace dw
