#pragma once

#include <QWidget>
#include <memory>

class QLineEdit;
class QPushButton;
class QScrollArea;

namespace dw {

class HttpFetcher;
class MainWindow;
class UpdateCheck;

// The help file beside the program, or in the doc folder of an install; Help and F1 open it
// with the default handler.
inline const QString kHelpFileName = QStringLiteral("Datewren.html");
QString helpFilePath(const QString &programDir);

// The Help panel's contents: the contact boxes, the version, "Check for Update" and the short
// help text. Built inside the window's `fraHelp`.
class HelpPanel : public QWidget {
    Q_OBJECT
public:
    HelpPanel(MainWindow &window, std::unique_ptr<HttpFetcher> fetcher, QWidget *parent);
    ~HelpPanel() override;

    UpdateCheck &updateCheck() const { return *check_; }
    QPushButton *updateButton() const { return cmdUpdate_; }

private:
    std::unique_ptr<HttpFetcher> fetcher_;
    std::unique_ptr<UpdateCheck> check_;
    QPushButton *cmdUpdate_ = nullptr;
};

// Fills the Help panel and joins the Help button (and so F1) to the help file.
void installHelp(MainWindow &window);

} // namespace dw
