// SPDX-License-Identifier: MIT
// A window of Qt's own widgets doing what the display page does (a clock, a ticker, two
// scrolling texts, three level bars with their timers, two blinkers, a status panel): the
// anchor the gallery's idle cost is measured against.
#pragma once

#include <QWidget>

namespace jxt::gallery {

/// Builds the Qt-only window; the caller owns it.
QWidget *CreateQtOnlyWindow();

/// Shows window minimised, lets it run for seconds and returns the processor time (user and
/// system, in seconds) the process used meanwhile.
enum class TIdleState { Minimised, Hidden };

double MeasureIdle(QWidget &window, int seconds, TIdleState state);

} // namespace jxt::gallery
