#pragma once
// The looks of the status line Dev_Sta_Dsp and how long a notice stays on it.
#include <QString>

inline const QString kStateStyle = QStringLiteral("color: rgb(255, 255, 255);");
inline const QString kAlarmStyle = QStringLiteral("color: rgb(220, 0, 0);");
inline const QString kFailureStyle = QStringLiteral("background-color: rgb(220,0,0);border:0px;color:#FFFFFF;");
// A notice the user must read (a failure, a layout file opened or saved): long enough to be
// read; a poll step or an event does not replace it.
constexpr int kReadNoticeMs = 4000;
