#pragma once

// Finds the texts of a window that are wider (or taller) than the widget shows them:
// labels, buttons, check boxes, combo box items, spin box values, tabs, group box
// titles, dock titles, table headers and caption fields, each measured with the
// widget's own font against the room its own style gives the text. And the scrolling
// panels that need a horizontal scroll bar. Fonts differ from machine to machine; what
// is measured is always the font the widget has there.

#include <QAbstractButton>
#include <QAbstractScrollArea>
#include <QAbstractSpinBox>
#include <QCheckBox>
#include <QComboBox>
#include <QDockWidget>
#include <QFontMetrics>
#include <QGraphicsView>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QSpinBox>
#include <QStyle>
#include <QStyleOption>
#include <QTabBar>
#include <QTextDocument>
#include <QToolButton>

#include <functional>

namespace veltrix {
namespace testing {

class TextFit
{
public:
    // Every problem found under root (root included), one line each.
    static QStringList problems(QWidget *root)
    {
        TextFit fit;
        QList<QWidget *> widgets = root->findChildren<QWidget *>();
        widgets.prepend(root);
        for (QWidget *widget : std::as_const(widgets)) {
            if (widget->isVisible() && widget->width() > 0)
                fit.check(widget);
        }
        return fit.m_problems;
    }

private:
    // Rounding between the metrics of a layout and of a paint: no more.
    static constexpr int Slack = 1;

    QStringList m_problems;

    static QString name(const QWidget *widget)
    {
        const QString own = widget->objectName();
        if (!own.isEmpty())
            return own;
        const QWidget *parent = widget->parentWidget();
        return QString::fromLatin1(widget->metaObject()->className()) + QStringLiteral(" in ")
            + (parent ? name(parent) : QStringLiteral("nothing"));
    }

    static QString plain(QString text)
    {
        // A mnemonic's '&' is not drawn; "&&" is one '&'.
        text.replace(QStringLiteral("&&"), QStringLiteral("\x01"));
        text.remove(QLatin1Char('&'));
        text.replace(QLatin1Char('\x01'), QLatin1Char('&'));
        return text;
    }

    static int widthOf(const QFontMetrics &metrics, const QString &text)
    {
        int widest = 0;
        const QStringList lines = text.split(QLatin1Char('\n'));
        for (const QString &line : lines)
            widest = qMax(widest, metrics.horizontalAdvance(line));
        return widest;
    }

    void tooNarrow(const QWidget *widget, const QString &text, int needed, int shown)
    {
        if (needed > shown + Slack) {
            m_problems << QStringLiteral("%1: \"%2\" needs %3 px, has %4")
                              .arg(name(widget), text)
                              .arg(needed)
                              .arg(shown);
        }
    }

    void check(QWidget *widget)
    {
        if (auto *label = qobject_cast<QLabel *>(widget))
            checkLabel(label);
        else if (auto *button = qobject_cast<QAbstractButton *>(widget))
            checkButton(button);
        else if (auto *combo = qobject_cast<QComboBox *>(widget))
            checkCombo(combo);
        else if (auto *spin = qobject_cast<QAbstractSpinBox *>(widget))
            checkSpinBox(spin);
        else if (auto *tabs = qobject_cast<QTabBar *>(widget))
            checkTabs(tabs);
        else if (auto *group = qobject_cast<QGroupBox *>(widget))
            checkGroup(group);
        else if (auto *dock = qobject_cast<QDockWidget *>(widget))
            checkDock(dock);
        else if (auto *header = qobject_cast<QHeaderView *>(widget))
            checkHeader(header);
        else if (auto *edit = qobject_cast<QLineEdit *>(widget))
            checkCaption(edit);
        if (auto *area = qobject_cast<QAbstractScrollArea *>(widget))
            checkScrolling(area);
    }

    void checkLabel(QLabel *label)
    {
        const QString text = label->text();
        if (text.isEmpty() || label->textFormat() == Qt::RichText
            || (label->textFormat() == Qt::AutoText && Qt::mightBeRichText(text)))
            return;
        const QFontMetrics metrics(label->font());
        const QRect room = label->contentsRect().adjusted(label->margin(), label->margin(),
                                                          -label->margin(), -label->margin());
        if (label->wordWrap()) {
            const int needed = label->heightForWidth(label->width());
            if (needed > label->height() + Slack)
                m_problems << QStringLiteral("%1: \"%2\" needs %3 px of height, has %4")
                                  .arg(name(label), text)
                                  .arg(needed)
                                  .arg(label->height());
            return;
        }
        tooNarrow(label, text, widthOf(metrics, plain(text)), room.width());
        const int lines = text.count(QLatin1Char('\n')) + 1;
        const int height = metrics.height() + (lines - 1) * metrics.lineSpacing();
        if (height > room.height() + Slack)
            m_problems << QStringLiteral("%1: \"%2\" needs %3 px of height, has %4")
                              .arg(name(label), text)
                              .arg(height)
                              .arg(room.height());
    }

    void checkButton(QAbstractButton *button)
    {
        const QString text = plain(button->text());
        if (text.isEmpty())
            return;
        if (auto *tool = qobject_cast<QToolButton *>(button)) {
            if (tool->toolButtonStyle() == Qt::ToolButtonIconOnly && !tool->icon().isNull())
                return;
            tooNarrow(button, text, tool->sizeHint().width(), tool->width());
            return;
        }
        const QFontMetrics metrics(button->font());
        const int iconWidth = button->icon().isNull() ? 0 : button->iconSize().width() + 4;
        const int needed = widthOf(metrics, text) + iconWidth;
        if (qobject_cast<QCheckBox *>(button) || qobject_cast<QRadioButton *>(button)) {
            QStyleOptionButton option;
            option.initFrom(button);
            option.text = button->text();
            option.icon = button->icon();
            option.iconSize = button->iconSize();
            const bool check = qobject_cast<QCheckBox *>(button);
            const QRect room = button->style()->subElementRect(
                check ? QStyle::SE_CheckBoxContents : QStyle::SE_RadioButtonContents, &option, button);
            tooNarrow(button, text, needed, room.width());
            return;
        }
        QStyleOptionButton option;
        option.initFrom(button);
        option.text = button->text();
        option.icon = button->icon();
        option.iconSize = button->iconSize();
        if (auto *push = qobject_cast<QPushButton *>(button)) {
            if (push->isFlat())
                option.features |= QStyleOptionButton::Flat;
            if (push->autoDefault() || push->isDefault())
                option.features |= QStyleOptionButton::AutoDefaultButton;
        }
        const QRect room = button->style()->subElementRect(QStyle::SE_PushButtonContents, &option, button);
        tooNarrow(button, text, needed, room.width());
    }

    static QRect comboTextRoom(QComboBox *combo)
    {
        QStyleOptionComboBox option;
        option.initFrom(combo);
        option.editable = combo->isEditable();
        option.frame = combo->hasFrame();
        option.iconSize = combo->iconSize();
        QRect room = combo->style()->subControlRect(QStyle::CC_ComboBox, &option,
                                                    QStyle::SC_ComboBoxEditField, combo);
        // A label inside the field is drawn one pixel in on either side.
        return room.adjusted(1, 0, -1, 0);
    }

    void checkCombo(QComboBox *combo)
    {
        // Every item, not only the one shown: each is shown once chosen.
        const QFontMetrics metrics(combo->font());
        const int room = comboTextRoom(combo).width();
        for (int i = 0; i < combo->count(); ++i) {
            const QString text = combo->itemText(i);
            const int iconWidth = combo->itemIcon(i).isNull() ? 0 : combo->iconSize().width() + 4;
            tooNarrow(combo, text, metrics.horizontalAdvance(text) + iconWidth, room);
        }
    }

    void checkSpinBox(QAbstractSpinBox *spin)
    {
        auto *edit = spin->findChild<QLineEdit *>();
        if (!edit)
            return;
        QStringList texts;
        if (auto *integer = qobject_cast<QSpinBox *>(spin)) {
            for (int value : {integer->minimum(), integer->maximum()})
                texts << integer->prefix() + QString::number(value) + integer->suffix();
        } else if (auto *real = qobject_cast<QDoubleSpinBox *>(spin)) {
            for (double value : {real->minimum(), real->maximum()})
                texts << real->prefix() + QString::number(value, 'f', real->decimals()) + real->suffix();
        } else {
            texts << spin->text();
        }
        // A line edit keeps two pixels either side of its text.
        const int room = edit->contentsRect().width() - 4 - edit->textMargins().left()
            - edit->textMargins().right();
        const QFontMetrics metrics(edit->font());
        for (const QString &text : std::as_const(texts))
            tooNarrow(spin, text, metrics.horizontalAdvance(text), room);
    }

    void checkTabs(QTabBar *tabs)
    {
        const QFontMetrics metrics(tabs->font());
        const bool vertical = tabs->shape() == QTabBar::RoundedWest || tabs->shape() == QTabBar::RoundedEast
            || tabs->shape() == QTabBar::TriangularWest || tabs->shape() == QTabBar::TriangularEast;
        for (int i = 0; i < tabs->count(); ++i) {
            if (!tabs->isTabVisible(i))
                continue;
            const QRect tab = tabs->tabRect(i);
            const QString text = plain(tabs->tabText(i));
            // A tab that lies beyond the bar is only reached with the scroll buttons.
            if (!tabs->rect().contains(tab)) {
                m_problems << QStringLiteral("%1: tab \"%2\" lies outside the bar").arg(name(tabs), text);
                continue;
            }
            QStyleOptionTab option;
            option.initFrom(tabs);
            option.rect = tab;
            option.text = tabs->tabText(i);
            option.shape = tabs->shape();
            option.icon = tabs->tabIcon(i);
            option.iconSize = tabs->iconSize();
            const QRect room = tabs->style()->subElementRect(QStyle::SE_TabBarTabText, &option, tabs);
            tooNarrow(tabs, text, metrics.horizontalAdvance(text), vertical ? room.height() : room.width());
        }
    }

    void checkGroup(QGroupBox *group)
    {
        if (group->title().isEmpty())
            return;
        QStyleOptionGroupBox option;
        option.initFrom(group);
        option.text = group->title();
        option.lineWidth = 1;
        option.textAlignment = group->alignment();
        option.subControls = QStyle::SC_GroupBoxFrame | QStyle::SC_GroupBoxLabel;
        if (group->isCheckable())
            option.subControls |= QStyle::SC_GroupBoxCheckBox;
        if (group->isFlat())
            option.features |= QStyleOptionFrame::Flat;
        const QRect label = group->style()->subControlRect(QStyle::CC_GroupBox, &option,
                                                           QStyle::SC_GroupBoxLabel, group);
        // The style measures and draws the title in a font of its own (Fusion: bold), so
        // its label is as wide as the title it draws; the title is cut off where the box
        // ends before the label does.
        const QFontMetrics metrics(group->font());
        const int needed = qMax(label.width(), metrics.horizontalAdvance(plain(group->title())));
        tooNarrow(group, group->title(), needed, group->width() - qMax(0, label.left()));
    }

    void checkDock(QDockWidget *dock)
    {
        if (dock->isFloating() || dock->windowTitle().isEmpty())
            return;
        QStyleOptionDockWidget option;
        option.initFrom(dock);
        const QFontMetrics metrics(dock->font());
        option.rect = QRect(0, 0, dock->width(), metrics.height() + 8);
        option.title = dock->windowTitle();
        option.closable = dock->features().testFlag(QDockWidget::DockWidgetClosable);
        option.movable = dock->features().testFlag(QDockWidget::DockWidgetMovable);
        option.floatable = dock->features().testFlag(QDockWidget::DockWidgetFloatable);
        const QRect room = dock->style()->subElementRect(QStyle::SE_DockWidgetTitleBarText, &option, dock);
        // The float and close buttons sit at the right end of the title bar.
        const int buttons = (option.closable ? 1 : 0) + (option.floatable ? 1 : 0);
        const int buttonWidth = dock->style()->pixelMetric(QStyle::PM_DockWidgetTitleBarButtonMargin, nullptr, dock)
            + dock->style()->standardIcon(QStyle::SP_TitleBarCloseButton, &option, dock)
                  .actualSize(QSize(64, 64)).width();
        const int shown = qMin(room.width(), dock->width() - buttons * buttonWidth);
        tooNarrow(dock, dock->windowTitle(), metrics.horizontalAdvance(dock->windowTitle()), shown);
    }

    void checkHeader(QHeaderView *header)
    {
        if (!header->model())
            return;
        const QFontMetrics metrics(header->font());
        const int margin = 2 * header->style()->pixelMetric(QStyle::PM_HeaderMargin, nullptr, header);
        for (int section = 0; section < header->count(); ++section) {
            if (header->isSectionHidden(section))
                continue;
            const QString text = header->model()->headerData(section, header->orientation()).toString();
            if (text.isEmpty())
                continue;
            const int shown = header->sectionSize(section);
            const int needed = header->orientation() == Qt::Horizontal
                ? metrics.horizontalAdvance(text) + margin
                : metrics.height();
            tooNarrow(header, text, needed, shown);
        }
    }

    // Read-only fields that carry a caption, such as the edition dock's "Area" above
    // the list; fields the user types into scroll their text.
    void checkCaption(QLineEdit *edit)
    {
        if (edit->isEnabled() && !edit->isReadOnly())
            return;
        if (qobject_cast<QAbstractSpinBox *>(edit->parentWidget())
            || qobject_cast<QComboBox *>(edit->parentWidget()))
            return;
        const QFontMetrics metrics(edit->font());
        QStyleOptionFrame option;
        option.initFrom(edit);
        option.lineWidth = edit->hasFrame() ? edit->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &option, edit) : 0;
        const QRect room = edit->style()->subElementRect(QStyle::SE_LineEditContents, &option, edit);
        tooNarrow(edit, edit->text(), metrics.horizontalAdvance(edit->text()) + 4, room.width());
    }

    void checkScrolling(QAbstractScrollArea *area)
    {
        // The view is a drawing one pans over; everything else fits across.
        if (qobject_cast<QGraphicsView *>(area))
            return;
        if (area->horizontalScrollBar()->isVisible())
            m_problems << QStringLiteral("%1: needs a horizontal scroll bar").arg(name(area));
    }
};

}  // namespace testing
}  // namespace veltrix
