#include "core/appstate.h"

void initLink(AppState &state)
{
    state.curve.curveTable = kCurveTableStart;
    state.curve.curveScale = kCurveScaleStart;
    state.connection.lastFrameBad = false;
    state.recorder.recordingActive = false;
    state.iqTest.iqTestRunning = false;
    state.iqTest.tempAlertArmed = false;
    state.connection.portSettings = QString::fromLatin1(kDefaultPortSettings);
    state.connection.linkState = LinkStateCode::Offline;
}
