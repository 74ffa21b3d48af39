#pragma once

#include <QObject>

namespace dw {

class EditCommands;
class EventMenus;
class InputRow;
class MainWindow;

// Joins the editing commands, the input row and the event menus to the main window: the List
// panel's buttons, its header switch, the right click on the names column, the start-up steps
// and the keys Enter, Esc and the context-menu key.
class ListEditing final : public QObject {
    Q_OBJECT
public:
    explicit ListEditing(MainWindow &window);

    EditCommands &commands() const { return *commands_; }
    InputRow &inputRow() const { return *inputRow_; }
    EventMenus &menus() const { return *menus_; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void installKeys();
    bool headerEvent(QEvent *event);
    double listFontPoints() const;
    void focusNameBox();

    MainWindow &window_;
    EditCommands *commands_;
    InputRow *inputRow_;
    EventMenus *menus_;
};

// The installer named in installExtensions().
void installEditing(MainWindow &window);

} // namespace dw
