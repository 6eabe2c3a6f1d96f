#pragma once

#include "core/app/usermessage.h"
#include "core/areas/arearecord.h"

#include <QString>
#include <QVector>

namespace veltrix {

// The questions asked before a transfer changes something the user might not expect:
// before a read-all replaces the project's unsaved changes, and before a write-all
// replaces the scanner's configuration. Only the messages; the window asks them.
namespace transferquestions {

// Buttons, left to right.
enum ReadChoice { ReadConfiguration = 0, KeepProject = 1 };
enum WriteChoice { WriteConfiguration = 0, CancelWriting = 1 };

// What a write-all is about to send, and where to.
struct WriteAllSummary
{
    QString target;         // "10.77.0.2:8080 (TCP)", or the serial port
    int modelIndex = 0;     // 0..4
    QString fileName;       // empty while the project has no file
    bool unsaved = false;   // the project has changes its file does not hold
    int areasWithPoints = 0;
};

// Areas with at least one point in one of their fields.
int AreasWithPoints(const QVector<AreaRecord> &areas);

UserMessage readOverUnsavedChanges();
UserMessage writeAllConfirmation(const WriteAllSummary &summary);

}  // namespace transferquestions

}  // namespace veltrix
