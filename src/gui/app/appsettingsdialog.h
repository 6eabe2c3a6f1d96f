#pragma once

#include <QDialog>
#include <QString>
#include <memory>

namespace Ui {
class AppSettingsDialog;
}

namespace veltrix {

// What App Settings chooses.
struct AppPreferences
{
    QString language;             // a locale name of LanguageSwitch::availableLanguages()
    bool confirmWriteAll = true;  // a write-all asks first
    QString fileFolder;           // where file dialogs start; empty: the current folder
};

// Edit > App Settings: the language, whether a write-all asks first, and the folder
// the file dialogs start in. It shows the preferences it is given and hands back the
// ones chosen; applying them is its owner's.
class AppSettingsDialog : public QDialog
{
    Q_OBJECT

public:
    explicit AppSettingsDialog(QWidget *parent = nullptr);
    ~AppSettingsDialog() override;

    void setPreferences(const AppPreferences &preferences);
    AppPreferences preferences() const;

protected:
    void changeEvent(QEvent *event) override;

private:
    void fillLanguages();
    void browse();

    std::unique_ptr<Ui::AppSettingsDialog> m_ui;
};

}  // namespace veltrix
