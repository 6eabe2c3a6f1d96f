#include "gui/areas/editiondock.h"

#include "gui/areas/areatable.h"
#include "gui/areas/coordtable.h"
#include "gui/areas/editcontrol.h"
#include "gui/areas/teachcontrol.h"
#include "ui_editiondock.h"
#include "ui_fieldeditpage.h"

#include <QAction>
#include <QEvent>
#include <QGridLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QSplitter>
#include <QStyle>
#include <QTabBar>
#include <QTabWidget>
#include <QTableWidget>
#include <QToolBar>

namespace veltrix {

namespace {

// The Out1 page's widgets end their names in 1; the pages of Out2 and Out3 carry their
// own number there instead.
void numberFieldPage(QObject *page, int field)
{
    const QChar number = QLatin1Char(char('1' + field));
    QList<QObject *> objects = page->findChildren<QObject *>();
    objects.prepend(page);
    for (QObject *object : std::as_const(objects)) {
        QString name = object->objectName();
        if (name.endsWith(QLatin1Char('1'))) {
            name[name.size() - 1] = number;
            object->setObjectName(name);
        }
    }
}

}  // namespace

EditionDock::EditionDock(AreaModel *document, const AreaEditActions &actions, QWidget *parent)
    : QDockWidget(parent), m_ui(std::make_unique<Ui::EditionDock>())
{
    m_ui->setupUi(this);
    buildFieldPages();
    for (QLineEdit *caption : {m_ui->ArealineText, m_ui->RegionsLineText}) {
        caption->setEnabled(false);
        caption->setAlignment(Qt::AlignCenter);
    }
    createEditors(document, actions);
    fitParameterTabs();
}

EditionDock::~EditionDock() = default;

void EditionDock::buildFieldPages()
{
    const std::array<QWidget *, FieldCount> tabs = {m_ui->TableAreaOut1, m_ui->TableAreaOut2,
                                                    m_ui->TableAreaOut3};
    const std::array<QGridLayout *, FieldCount> layouts = {
        m_ui->TableAreaLayout1, m_ui->TableAreaLayout2, m_ui->TableAreaLayout3};
    for (int field = 0; field < FieldCount; ++field) {
        auto *page = new QScrollArea(tabs[field]);
        m_pageWidgets[field] = page;
        m_pages[field] = std::make_unique<Ui::FieldEditPage>();
        m_pages[field]->setupUi(page);
        if (field > 0)
            numberFieldPage(page, field);
        layouts[field]->addWidget(page, 0, 0, 1, 1);
        // Teaching needs a scanner: enabled once one is connected (TeachControl).
        m_pages[field]->ButtonTeachOut1->setEnabled(false);
        // Tab in reading order: the coordinate tables lie between their tabs above
        // and the XY / polar tabs below them.
        const Ui::FieldEditPage &form = *m_pages[field];
        QWidget::setTabOrder(form.TableCoordinatesOut1, form.CoordTableWidgetOut1);
        QWidget::setTabOrder(form.CoordTableWidgetOut1, form.PolarTableWidgeOut1);
        QWidget::setTabOrder(form.PolarTableWidgeOut1, form.CoordinatesTypeOut1);
    }
}

void EditionDock::createEditors(AreaModel *document, const AreaEditActions &actions)
{
    m_areaTable = std::make_unique<AREA_TABLE>(document, m_ui->AreaTableWidget, actions.copy,
                                               actions.cut, actions.paste, actions.remove);
    std::array<QTableWidget *, FieldCount> coord{};
    std::array<QTableWidget *, FieldCount> polar{};
    EditControlWidgets controls;
    controls.areaEditTab = m_ui->AreaEditTab;
    controls.openDelay = m_ui->Area_OpenDelay;
    controls.closeDelay = m_ui->Area_CloseDelay;
    controls.hysteresis = m_ui->Area_Hysteresis;
    controls.detectionSize = m_ui->Area_DetectionSize;
    controls.steerMinDgree = m_ui->SteerMinDgree;
    controls.steerMaxDgree = m_ui->SteerMaxDgree;
    controls.vehicleMinSpeed = m_ui->VehicleMinSpeed;
    controls.vehicleMaxSpeed = m_ui->VehicleMaxSpeed;
    controls.vehicleOptionMode = m_ui->VehicleOptionMode;
    for (int field = 0; field < FieldCount; ++field) {
        const Ui::FieldEditPage &page = *m_pages[field];
        coord[field] = page.CoordTableWidgetOut1;
        polar[field] = page.PolarTableWidgeOut1;
        controls.shapeButtons[field] = {page.ButtonPolygonOut1, page.ButtonArcOut1,
                                        page.ButtonRectangleOut1, page.ButtonStraightOut1,
                                        page.ButtonFanOut1, page.ButtonRatioOut1};
    }
    m_coordTable = std::make_unique<COORD_TABLE>(document, coord[0], coord[1], coord[2], polar[0],
                                                 polar[1], polar[2]);
    m_editControl = std::make_unique<EDIT_CONTROL>(document, controls);

    AREA_TABLE *areas = m_areaTable.get();
    connect(actions.undo, &QAction::triggered, areas, &AREA_TABLE::UndoAreaTableData);
    connect(actions.redo, &QAction::triggered, areas, &AREA_TABLE::RedoAreaTableData);
    connect(actions.copy, &QAction::triggered, areas, &AREA_TABLE::CopyAreaTableData);
    connect(actions.cut, &QAction::triggered, areas, &AREA_TABLE::CutAreaTableData);
    connect(actions.paste, &QAction::triggered, areas, &AREA_TABLE::PasteAreaTableData);
    connect(actions.remove, &QAction::triggered, areas, &AREA_TABLE::DeleteAreaTableData);
    connect(actions.removeAll, &QAction::triggered, areas, &AREA_TABLE::DeleteAllAreaTableData);
    connect(m_coordTable.get(), &COORD_TABLE::CoordTableEditSignal, areas,
            &AREA_TABLE::SetEditAreaTableDisplay);
    // A shape change sets the field's points anew: a point edit like any other.
    connect(m_editControl.get(), &EDIT_CONTROL::EditControlShapeChangeSignal, areas,
            &AREA_TABLE::SetEditAreaTableDisplay);
    // The form's first entries are not area 0's values (its detection size is 1.0°).
    m_editControl->EditControlUpdateEditData();
}

// The parameter tabs are no higher than their rows need, and never lower: every row of
// either page is seen whole, in either language.
void EditionDock::fitParameterTabs()
{
    QTabWidget *tabs = m_ui->ParametersEditTab;
    int rows = 0;
    for (QWidget *contents : {m_ui->scrollAreaParametersContents, m_ui->scrollAreaCaseChannelContents})
        rows = qMax(rows, contents->sizeHint().height());
    const int frame = 2 * tabs->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, tabs);
    const int height = tabs->tabBar()->sizeHint().height() + rows + frame;
    tabs->setMinimumHeight(height);
    tabs->setMaximumHeight(height);
}

TeachPageWidgets EditionDock::teachPage(int field) const
{
    const Ui::FieldEditPage &page = *m_pages.at(static_cast<size_t>(qBound(0, field, FieldCount - 1)));
    TeachPageWidgets widgets;
    widgets.corner1 = page.SpinCorner1Out1;
    widgets.corner2 = page.SpinCorner2Out1;
    widgets.size1 = page.SpinSize1Out1;
    widgets.size2 = page.SpinSize2Out1;
    widgets.select = page.ButtonSelectOut1;
    widgets.method = page.MethodOut1;
    widgets.offset = page.SpinDistanceOffsetOut1;
    widgets.simplify = page.CheckSimplifyResultOut1;
    widgets.teach = page.ButtonTeachOut1;
    return widgets;
}

void EditionDock::setToolBar(QToolBar *toolBar)
{
    m_ui->EditionMenuLayout->addWidget(toolBar);
    // Every button of the area list shown, none behind the tool bar's overflow arrow:
    // the list's column is never narrower than its tool bar.
    toolBar->setMinimumWidth(toolBar->sizeHint().width());
}

QSplitter *EditionDock::areaSplitter() const
{
    return m_ui->splitter;
}

QSplitter *EditionDock::fieldSplitter() const
{
    return m_ui->splitter_2;
}

void EditionDock::applyDefaultSplit()
{
    m_ui->splitter->setSizes({AreaListWidth, DefaultWidth - AreaListWidth});
}

void EditionDock::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::LanguageChange)
        retranslate();
    QDockWidget::changeEvent(event);
}

void EditionDock::retranslate()
{
    m_ui->retranslateUi(this);
    for (int field = 0; field < FieldCount; ++field)
        m_pages[field]->retranslateUi(m_pageWidgets[field]);
    fitParameterTabs();
}

}  // namespace veltrix
