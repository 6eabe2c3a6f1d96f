#include "gui/areas/teachcontrol.h"

#include "core/link/serialcomm.h"
#include "core/project/devicemodels.h"
#include "core/project/project.h"
#include "gui/app/messagequeue.h"
#include "gui/graphics/regionselector.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QProgressDialog>
#include <QSignalBlocker>
#include <QSpinBox>

namespace veltrix {

namespace {

// The method list's items, in the form's order.
enum MethodItem { AverageItem = 0, MinimumItem = 1 };

int rangeLimitOf(int modelIndex)
{
    const DeviceModel *model = deviceModel(modelIndex);
    return model ? model->rangeLimit : DeviceModels[0].rangeLimit;
}

}  // namespace

TeachControl::TeachControl(Project *project, SERIAL_COMM *link, MessageQueue *messages,
                           const Pages &pages, RegionSelector *selector, QWidget *dialogParent,
                           QObject *parent)
    : QObject(parent),
      m_project(project),
      m_link(link),
      m_messages(messages),
      m_pages(pages),
      m_selector(selector),
      m_recorder(std::make_unique<TeachRecorder>(link)),
      m_progress(std::make_unique<QProgressDialog>(dialogParent))
{
    m_progress->setWindowModality(Qt::WindowModal);
    m_progress->setAutoClose(false);
    m_progress->setAutoReset(false);
    // A new progress dialog would show itself after its minimum duration.
    m_progress->reset();
    m_progress->hide();
    connect(m_progress.get(), &QProgressDialog::canceled, m_recorder.get(), &TeachRecorder::cancel);
    // Queued: a modal progress dialog runs the event loop when it is set, which must
    // not happen inside the link while it decodes the scan.
    connect(m_recorder.get(), &TeachRecorder::scanRecorded, m_progress.get(),
            [this](int count) {
                if (m_progress->isVisible())
                    m_progress->setValue(count);
            },
            Qt::QueuedConnection);
    connect(m_recorder.get(), &TeachRecorder::finished, this, &TeachControl::recordingFinished);

    connect(m_selector, &RegionSelector::regionChanged, this, &TeachControl::showRegion);
    connect(m_selector, &RegionSelector::finished, this, &TeachControl::regionSelectionEnded);
    connect(m_project, &Project::modelChanged, this, &TeachControl::resetRegions);
    for (int field = 0; field < FieldCount; ++field)
        connectPage(field);
    resetRegions();
    updateButtons();
}

TeachControl::~TeachControl() = default;

void TeachControl::connectPage(int field)
{
    const TeachPageWidgets &page = m_pages.at(static_cast<size_t>(field));
    page.select->setCheckable(true);
    connect(page.select, &QAbstractButton::toggled, this,
            [this, field](bool checked) { selectRegion(field, checked); });
    connect(page.teach, &QAbstractButton::clicked, this, [this, field] { startTeach(field); });
}

void TeachControl::resetRegions()
{
    const TeachRegion whole = wholeRangeRegion(rangeLimitOf(m_project->modelIndex()));
    for (const TeachPageWidgets &page : m_pages) {
        page.corner1->setValue(whole.x);
        page.corner2->setValue(whole.y);
        page.size1->setValue(whole.width);
        page.size2->setValue(whole.height);
    }
}

TeachSettings TeachControl::settings(int field) const
{
    const TeachPageWidgets &page = m_pages.at(static_cast<size_t>(qBound(0, field, FieldCount - 1)));
    TeachSettings settings;
    settings.region = TeachRegion{page.corner1->value(), page.corner2->value(), page.size1->value(),
                                  page.size2->value()};
    settings.method = page.method->currentIndex() == MinimumItem ? TeachMethod::Minimum : TeachMethod::Average;
    settings.offset = page.offset->value();
    settings.simplify = page.simplify->isChecked();
    settings.rangeLimit = rangeLimitOf(m_project->modelIndex());
    return settings;
}

void TeachControl::setConnected(bool connected)
{
    m_connected = connected;
    if (!connected && m_recorder->isRecording()) {
        m_connectionLost = true;
        m_recorder->cancel();
    }
    updateButtons();
}

void TeachControl::updateButtons()
{
    const bool available = m_connected && !m_recorder->isRecording();
    for (const TeachPageWidgets &page : m_pages)
        page.teach->setEnabled(available);
}

void TeachControl::startTeach(int field)
{
    if (field < 0 || field >= FieldCount || m_recorder->isRecording())
        return;
    if (!m_connected) {
        refuse(tr("没有连接传感器，区域未改变。"));
        return;
    }
    if (m_link->transaction()) {
        refuse(tr("传感器正在传输数据，请在传输结束后再自学习。区域未改变。"));
        return;
    }
    m_selector->cancel();
    m_area = m_project->areas().currentArea();
    m_field = field;
    m_settings = settings(field);
    m_connectionLost = false;
    m_recorder->start();
    updateButtons();
    showProgress();
    emit recordingChanged(true);
}

void TeachControl::showProgress()
{
    m_progress->setWindowTitle(tr("自学习"));
    m_progress->setLabelText(tr("正在记录区域%1 Out%2 的扫描轮廓…").arg(m_area).arg(m_field + 1));
    m_progress->setCancelButtonText(tr("取消"));
    m_progress->setRange(0, m_recorder->scanCount());
    m_progress->setValue(0);
    m_progress->show();
}

void TeachControl::recordingFinished(TeachRecorder::Outcome outcome)
{
    m_progress->hide();
    m_progress->reset();
    updateButtons();
    emit recordingChanged(false);
    if (outcome == TeachRecorder::Outcome::Cancelled) {
        // Cancel by the user needs no message; a lost connection does.
        if (m_connectionLost)
            refuse(tr("与传感器的连接已断开，区域未改变。"));
        return;
    }
    applyResult(TeachIn::teach(m_recorder->scans(), m_settings));
}

void TeachControl::applyResult(const TeachResult &result)
{
    if (result.outcome != TeachOutcome::Taught) {
        refuse(TeachIn::refusalText(result));
        return;
    }
    AreaModel &areas = m_project->areas();
    AreaRecord area = areas.area(m_area);
    area.setShape(m_field, Polygon);
    area.points(m_field) = result.points;
    // The area the teach-in was started in, even if another became current meanwhile.
    areas.setCurrentArea(m_area);
    areas.editCurrentArea(area);
}

void TeachControl::refuse(const QString &text)
{
    UserMessage message;
    message.icon = MessageIcon::Warning;
    message.title = tr("自学习");
    message.text = text;
    m_messages->post(message);
}

void TeachControl::selectRegion(int field, bool start)
{
    if (!start) {
        if (field == m_selectingField)
            m_selector->cancel();
        return;
    }
    if (m_selectingField >= 0 && m_selectingField != field) {
        const QSignalBlocker blocker(m_pages.at(static_cast<size_t>(m_selectingField)).select);
        m_pages.at(static_cast<size_t>(m_selectingField)).select->setChecked(false);
    }
    m_selectingField = field;
    m_selector->start();
}

void TeachControl::showRegion(const QRect &areaRect)
{
    if (m_selectingField < 0)
        return;
    const TeachPageWidgets &page = m_pages.at(static_cast<size_t>(m_selectingField));
    page.corner1->setValue(areaRect.x());
    page.corner2->setValue(areaRect.y());
    page.size1->setValue(areaRect.width());
    page.size2->setValue(areaRect.height());
}

void TeachControl::regionSelectionEnded()
{
    if (m_selectingField < 0)
        return;
    QAbstractButton *button = m_pages.at(static_cast<size_t>(m_selectingField)).select;
    m_selectingField = -1;
    const QSignalBlocker blocker(button);
    button->setChecked(false);
}

}  // namespace veltrix
