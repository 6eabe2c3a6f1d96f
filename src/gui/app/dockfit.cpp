#include "gui/app/dockfit.h"

#include <QAbstractSpinBox>
#include <QComboBox>
#include <QHeaderView>
#include <QScrollArea>
#include <QStyle>
#include <QTableView>

namespace veltrix {

namespace {

// A box may grow, but not shrink below the width its longest text needs.
void keepTextWide(QWidget *box)
{
    QSizePolicy policy = box->sizePolicy();
    if (policy.horizontalPolicy() == QSizePolicy::Preferred
        || policy.horizontalPolicy() == QSizePolicy::Ignored) {
        policy.setHorizontalPolicy(QSizePolicy::Minimum);
        box->setSizePolicy(policy);
    }
}

// A table whose columns share its width is at least as wide as its columns' texts
// need, so that it never needs a scroll bar sideways.
void keepColumnsWide(QTableView *table)
{
    QHeaderView *header = table->horizontalHeader();
    const int margin = 2 * header->style()->pixelMetric(QStyle::PM_HeaderMargin, nullptr, header);
    int columns = 0;
    int sharedCount = 0;
    int widestShared = 0;
    bool shared = false;
    for (int section = 0; section < header->count(); ++section) {
        if (header->isSectionHidden(section))
            continue;
        // The width the section's caption needs in the header's own font.
        int caption = 0;
        if (!header->isHidden() && header->model()) {
            const QString text = header->model()->headerData(section, Qt::Horizontal).toString();
            caption = qMax(header->sectionSizeHint(section),
                           header->fontMetrics().horizontalAdvance(text) + margin);
        }
        if (header->sectionResizeMode(section) != QHeaderView::Stretch
            && !(header->stretchLastSection() && section == header->count() - 1)) {
            // A column of a width of its own is widened where its caption needs it.
            if (header->sectionResizeMode(section) == QHeaderView::Fixed
                || header->sectionResizeMode(section) == QHeaderView::Interactive) {
                if (header->sectionSize(section) < caption)
                    header->resizeSection(section, caption);
            }
            columns += header->sectionSize(section);
            continue;
        }
        // The shared columns get equal parts: each part as wide as the widest needs.
        shared = true;
        ++sharedCount;
        widestShared = qMax(widestShared, header->isHidden() ? header->minimumSectionSize()
                                                             : qMax(header->minimumSectionSize(), caption));
    }
    if (!shared)
        return;
    columns += sharedCount * widestShared;
    const int scrollBar = table->style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, table);
    const int rows = table->verticalHeader()->isHidden() ? 0 : table->verticalHeader()->width();
    table->setMinimumWidth(columns + rows + scrollBar + 2 * table->frameWidth());
}

}  // namespace

void FitScrollingPanels(QWidget *root)
{
    for (QComboBox *box : root->findChildren<QComboBox *>())
        keepTextWide(box);
    for (QAbstractSpinBox *box : root->findChildren<QAbstractSpinBox *>())
        keepTextWide(box);
    for (QTableView *table : root->findChildren<QTableView *>())
        keepColumnsWide(table);
    const QList<QScrollArea *> panels = root->findChildren<QScrollArea *>();
    // Innermost first: an outer panel's contents hold the inner panels, whose minimum
    // widths must be set before the outer one asks for its contents' width.
    for (auto it = panels.crbegin(); it != panels.crend(); ++it) {
        QScrollArea *panel = *it;
        if (!panel->widget() || !panel->widgetResizable())
            continue;
        const int scrollBar = panel->style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, panel);
        const int frame = 2 * panel->frameWidth();
        panel->setMinimumWidth(panel->widget()->minimumSizeHint().width() + scrollBar + frame);
    }
}

}  // namespace veltrix
