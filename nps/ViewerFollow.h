#pragma once
// How a measurement window follows the viewer it is opened from (the NPS window, the MTF and DQE
// window): its edits take the viewer's values until the user types over them, and it comes up
// restored, raised and active with the viewer's file in its status line.
#include <QLabel>
#include <QLineEdit>
#include <QString>
#include <QWidget>
#include <string>

#include "ViewerSource.h"

namespace nps {

// Sets `edit` to the viewer's value `now` unless the user has changed it from what the viewer gave
// last time (`fromViewer`, which is updated); an empty `now` leaves the edit alone.
void FollowViewer(QLineEdit* edit, QString& fromViewer, const std::string& now);

void BringUpFromViewer(QWidget& window, QLabel& status, const links::ViewerHandOff& handOff);

} // namespace nps
