// The help menu's "Mise a jour du programme".
#pragma once

#include "common/SiteAddress.h"

#include <QUrl>

class QWidget;

namespace orvel {

// Shows the update page. With the embedded browser: an open update window is only brought
// forward (and does not navigate again), otherwise a new one is returned for the caller to
// show. Without it, the page is handed to the system's web browser. Returns nullptr when
// there is no new window to show.
QWidget *openUpdatePage(const QUrl &page = updatePageUrl());

} // namespace orvel
