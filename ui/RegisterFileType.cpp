#include "platform/InstallLayout.h"
#include "platform/linux/FileTypeRegistrar.h"
#include "ui/MainWindow.h"

#include <QCoreApplication>
#include <QEvent>
#include <QTimer>

namespace dw {

namespace {

// Runs a task once the window has drawn its first frame: the user sees the window without
// waiting for work the first frame does not need.
class AfterFirstFrame final : public QObject {
public:
    AfterFirstFrame(QWidget &window, std::function<void()> task) : QObject(&window), task_(std::move(task))
    {
        window.installEventFilter(this);
        // A window that is never drawn (minimised at start) still gets the task.
        QTimer::singleShot(kLatest, this, [this] { run(); });
    }

    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Paint && task_) {
            watched->removeEventFilter(this);
            // The paint in progress is put on the screen before the timer fires.
            QTimer::singleShot(0, this, [this] { run(); });
        }
        return false;
    }

private:
    static constexpr int kLatest = 2000; // ms

    void run()
    {
        if (!task_)
            return;
        const std::function<void()> task = std::move(task_);
        task_ = nullptr;
        deleteLater();
        task();
    }

    std::function<void()> task_;
};

} // namespace

// The last start-up step: list files open with this program from the file manager. Written at
// every start, so a moved program is found again. An installed program is already known to the
// desktop through the package's own files, and registering it again per user would list it twice.
void installFileTypeRegistration(MainWindow &window)
{
    window.startupHooks().registerFileType = [&window] {
        if (install::isInstalledProgram(window.services().paths.programDir()))
            return;
        const auto registerNow = [&window] {
            FileTypeRecord record;
            record.program = QCoreApplication::applicationFilePath();
            FileTypeRegistrar(window.services().paths.dataHome()).registerFileType(record);
        };
        if (window.isVisible())
            new AfterFirstFrame(window, registerNow);
        else
            registerNow();
    };
}

} // namespace dw
