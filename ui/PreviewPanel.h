#pragma once

#include <QGroupBox>

namespace dw {

class MainWindow;

// The Preview tab: writes the sample page and shows it in an embedded browser view. The view
// (Qt WebEngine, a whole browser engine) is created the first time the tab is opened, so
// starting the program stays light.
class PreviewPanel : public QGroupBox {
    Q_OBJECT
public:
    PreviewPanel(MainWindow &window, QWidget *parent);

    // Refreshes the dependent controls, writes the page and loads it. A page that cannot be
    // written leaves the view as it was; nothing is reported.
    void generateAndShow();
    // Start-up: the view (if it exists yet) shows the blank page.
    void showBlank();

    QString lastFile() const { return lastFile_; }
    QWidget *view() const { return view_; }

private:
    void ensureView();
    void applyCompatScript();

    MainWindow &window_;
    QWidget *view_ = nullptr;
    QString lastFile_;
};

// Puts the panel on the Preview tab, regenerates it when the tab is selected.
void installPreview(MainWindow &window);

} // namespace dw
