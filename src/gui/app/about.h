#pragma once

#include <QDialog>

namespace Ui {
class About;
}

namespace veltrix {

// The about box: the program's name, version and date, and its release notes, in the
// language shown. Created once and shown again and again; closing only hides it.
class About : public QDialog
{
    Q_OBJECT

public:
    explicit About(QWidget *parent = nullptr);
    ~About() override;

public slots:
    // Both set the texts of the language now installed; the language switch calls
    // them through the LanguageChange event, so they are kept as entry points only.
    void LanguageDisplayChinese();
    void LanguageDisplayEnglish();

protected:
    void changeEvent(QEvent *event) override;

private:
    void retranslate();
    // The form's version text, with the program's version put in.
    void showVersion();
    void fillReleaseNotes();

    Ui::About *ui;
};

}  // namespace veltrix
