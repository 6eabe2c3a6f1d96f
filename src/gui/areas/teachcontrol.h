#pragma once

#include "core/areas/arearecord.h"
#include "core/areas/teachin.h"
#include "core/areas/teachrecorder.h"

#include <QObject>
#include <QPointer>

#include <array>
#include <memory>

class QAbstractButton;
class QComboBox;
class QProgressDialog;
class QSpinBox;
class QWidget;

namespace veltrix {

class MessageQueue;
class Project;
class RegionSelector;
class SERIAL_COMM;

// The widgets of one field's Teaching page, as the form names them (Out1's; the other
// pages end in 2 and 3). None is owned.
struct TeachPageWidgets
{
    QSpinBox *corner1 = nullptr;      // SpinCorner1OutN: x of the region's lower corner, mm
    QSpinBox *corner2 = nullptr;      // SpinCorner2OutN: its y
    QSpinBox *size1 = nullptr;        // SpinSize1OutN: the region's width
    QSpinBox *size2 = nullptr;        // SpinSize2OutN: its height
    QAbstractButton *select = nullptr;    // ButtonSelectOutN: drag the region in the view
    QComboBox *method = nullptr;          // MethodOutN: average, minimum
    QSpinBox *offset = nullptr;           // SpinDistanceOffsetOutN, mm
    QAbstractButton *simplify = nullptr;  // CheckSimplifyResultOutN
    QAbstractButton *teach = nullptr;     // ButtonTeachOutN
};

// Gives the Teaching pages of the three fields their behaviour. A region (by default
// the model's whole range) is set in the spin boxes or dragged in the view. Start
// Teach records the live outline for a few seconds, with progress and Cancel, and
// makes what TeachIn computes from it the field's polygon, as one undo step of the
// area it was started in. Whatever stands in the way (no connection, a transfer
// running, no scan, nothing measured in the region) is told in a message, and the
// field stays as it was. The start buttons work only while a scanner is connected.
class TeachControl : public QObject
{
    Q_OBJECT

public:
    using Pages = std::array<TeachPageWidgets, FieldCount>;

    // The project (its model and areas), the link, the queue and the pages' widgets
    // are not owned; the selector drags regions in the view. The progress window is
    // shown over dialogParent.
    TeachControl(Project *project, SERIAL_COMM *link, MessageQueue *messages, const Pages &pages,
                 RegionSelector *selector, QWidget *dialogParent, QObject *parent = nullptr);
    ~TeachControl() override;

    TeachRecorder *recorder() const { return m_recorder.get(); }
    QProgressDialog *progressDialog() const { return m_progress.get(); }
    bool isConnected() const { return m_connected; }

    // What field 0..2's page asks for, with the project's model range.
    TeachSettings settings(int field) const;

public slots:
    // A scanner connection stands (or not): the start buttons follow. A connection lost
    // while recording ends the recording, and the field stays as it was.
    void setConnected(bool connected);
    // Start Teach of field 0..2.
    void startTeach(int field);
    // Every page's region back to the model's whole range.
    void resetRegions();

signals:
    // A recording started or ended (the view shows the outline while it runs).
    void recordingChanged(bool recording);

private:
    void connectPage(int field);
    void showProgress();
    void recordingFinished(TeachRecorder::Outcome outcome);
    void applyResult(const TeachResult &result);
    void refuse(const QString &text);
    void selectRegion(int field, bool start);
    void showRegion(const QRect &areaRect);
    void regionSelectionEnded();
    void updateButtons();

    Project *m_project;
    SERIAL_COMM *m_link;
    MessageQueue *m_messages;
    Pages m_pages;
    RegionSelector *m_selector;
    std::unique_ptr<TeachRecorder> m_recorder;
    std::unique_ptr<QProgressDialog> m_progress;
    bool m_connected = false;
    bool m_connectionLost = false;
    int m_selectingField = -1;
    // The teach-in being recorded: its area, field and settings as they were at the start.
    int m_area = -1;
    int m_field = -1;
    TeachSettings m_settings;
};

}  // namespace veltrix
