#pragma once

#include "tests/support/TestWindow.h"
#include "ui/ListPanel.h"

#include <QListView>
#include <QPushButton>
#include <QTest>

namespace dw::test {

// A main window on the doubles, started with an empty command line and active on the offscreen
// screen unless told not to start, and closed without questions whatever a test left in it.
struct StartedWindow : TestWindow {
    explicit StartedWindow(bool started = true)
    {
        if (started)
            start();
    }
    void start()
    {
        window.startUp(QString());
        [[maybe_unused]] const bool active = QTest::qWaitForWindowActive(&window);
    }
    ~StartedWindow()
    {
        window.setEnabled(true);
        window.events().setEditing(false);
        window.events().clear(); // nothing to offer to save at exit
        for (int i = 0; i < 5; ++i)
            window.panelButton(i)->setEnabled(true);
        // A column losing the focus while the window is torn down would reach the list after
        // the window has destroyed it.
        for (int c = 0; c < 3; ++c)
            window.listPanel()->column(c)->clearFocus();
    }
};

} // namespace dw::test
