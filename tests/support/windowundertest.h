#pragma once

#include "gui/app/mainwindow.h"

#include <QAction>
#include <QList>
#include <QVector>

// The main window with the few handles the tests need: the language and model values
// that other controllers set in the program, and a savefile() that records its calls
// and can pretend that the file was written.
class WindowUnderTest : public veltrix::MainWindow
{
public:
    int saveCalls = 0;
    bool saveWrites = true;

    // 0 Chinese, 1 English, as the settings store keeps the language.
    void setLanguage(int value)
    {
        if (value == 1)
            LanguageToEnglish();
        else
            LanguageToChinese();
    }
    void setModelIndex(int value)
    {
        modelIndex = value;
        applyDeviceModel();
    }

    void savefile() override
    {
        ++saveCalls;
        if (saveWrites)
            areaModel().setModified(false);
    }

    template<typename T>
    T *widget(const char *name) const
    {
        return findChild<T *>(QString::fromLatin1(name));
    }
    QAction *action(const char *name) const { return widget<QAction>(name); }
};
