#pragma once

// The real main window for tests, with a recording messenger: every message box is
// recorded in `shown` and answered with the next of `answers`, then with `answer`;
// every file dialog is recorded in `asked` and answered with the next of `files`, then
// cancelled. So no test ever waits on a box or a dialog.

#include "core/app/usermessage.h"
#include "gui/app/mainwindow.h"
#include "gui/project/projectfiles.h"
#include "gui/project/reportexport.h"
#include "gui/record/scanrecordings.h"

#include <QAction>
#include <QList>
#include <QStringList>

namespace veltrix {
namespace testing {

class WindowUnderTest : public MainWindow
{
public:
    QList<UserMessage> shown;
    QList<int> answers;
    int answer = 0;
    QList<FileDialogRequest> asked;
    QStringList files;

    // What Save does: really save (through the file dialog answers), or only pretend
    // that the file was written (the unsaved-changes mark is cleared) or that it was
    // not. saveCalls counts the saves asked for either way.
    enum class Saving { Real, PretendWritten, PretendFailed };
    Saving saving = Saving::Real;
    int saveCalls = 0;

    WindowUnderTest()
    {
        messenger().setPresenter([this](const UserMessage &message) {
            shown.append(message);
            return answers.isEmpty() ? answer : answers.takeFirst();
        });
        const FileChooser chooser = [this](const FileDialogRequest &request) {
            asked.append(request);
            return files.isEmpty() ? QString() : files.takeFirst();
        };
        projectFiles()->setFileChooser(chooser);
        reportExport()->setFileChooser(chooser);
        scanRecordings()->setFileChooser(chooser);
    }

    // 0 Chinese, 1 English, as the settings store keeps the language.
    void setLanguage(int value)
    {
        if (value == 1)
            LanguageToEnglish();
        else
            LanguageToChinese();
    }

    void savefile() override
    {
        ++saveCalls;
        if (saving == Saving::Real)
            MainWindow::savefile();
        else if (saving == Saving::PretendWritten)
            project().setModified(false);
    }

    QStringList shownTexts() const
    {
        QStringList texts;
        for (const UserMessage &message : shown)
            texts << message.text;
        return texts;
    }

    template<typename T>
    T *widget(const char *name) const
    {
        return findChild<T *>(QString::fromLatin1(name));
    }
    QAction *action(const char *name) const { return widget<QAction>(name); }
    void trigger(const char *name) { action(name)->trigger(); }
};

}  // namespace testing
}  // namespace veltrix
