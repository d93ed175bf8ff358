#include "shell/appstate.h"

void initLink(AppState &state)
{
    state.curveTable = kCurveTableStart;
    state.curveScale = kCurveScaleStart;
    state.lastFrameBad = false;
    state.recordingActive = false;
    state.iqTestRunning = false;
    state.tempAlertArmed = false;
    state.portSettings = QString::fromLatin1(kDefaultPortSettings);
    state.requests = buildRequestFrames();
    state.linkState = LinkStateCode::Offline;
}
