#pragma once

#include "core/areas/arearecord.h"
#include "core/link/simulationblock.h"
#include "core/link/frames.h"
#include "core/link/payloads.h"
#include "core/link/sensorparameters.h"

#include <QByteArray>
#include <QVector>

#include <array>

namespace veltrix {

// The link's single transmit buffer: every request is built into it.
using FrameBuffer = std::array<char, TransmitBufferSize>;

// Requests the tool sends. Each fills buffer from its start and returns the frame
// length. buildWArea returns 0, leaving nothing to send, when the area does not fit
// its frame (a field with more than 100 vertices).
int buildRPrda(FrameBuffer &buffer);
int buildRPara(FrameBuffer &buffer);
int buildWPara(FrameBuffer &buffer, const SensorParameters &parameters);
int buildRArea(FrameBuffer &buffer, int areaIndex);
int buildWArea(FrameBuffer &buffer, const AreaRecord &area, int areaIndex, bool inverted);
int buildRCase(FrameBuffer &buffer);
int buildWCase(FrameBuffer &buffer, const QVector<AreaRecord> &areas);
int buildRBoot(FrameBuffer &buffer);
int buildWSimu(FrameBuffer &buffer, const SimulationBlock &block);
int buildRScan(FrameBuffer &buffer);
int buildRStre(FrameBuffer &buffer);
int buildRAuto(FrameBuffer &buffer, bool start);

// Replies a scanner sends, for a scanner emulator and for tests.
QByteArray buildAcknowledge(FrameId request, quint8 status);  // "WPara", "WArea", "WCase", "RBoot"
QByteArray buildRParaReply(const SensorParameters &parameters);
QByteArray buildRAreaReply(const AreaRecord &area, int areaIndex, bool inverted);
QByteArray buildRCaseReply(const QVector<AreaRecord> &areas);
QByteArray buildWSimuReply(quint8 inport, quint8 outport, quint16 status);
QByteArray buildRPrdaReply(const ProductInfo &info, bool longForm = false);
QByteArray buildScanReply(FrameId id, const QVector<quint16> &values);  // "RScan" or "RStre"
QByteArray buildCloudPacket(int startBearing, int endBearing, const QVector<CloudPoint> &points);

}  // namespace veltrix
