// The program's web site: shown in the update window's caption, opened by the help menu's
// update entry and printed as a label credit line.
#pragma once

#include <QString>
#include <QUrl>

namespace orvel {

// The site's address as the user reads it.
inline QString siteAddress()
{
    return QStringLiteral("https://q1brv.fr");
}

// The page that tells which revision is the latest and how to get it.
inline QUrl updatePageUrl()
{
    return QUrl(siteAddress() + QStringLiteral("/orvel-multi/mise-a-jour.html"));
}

} // namespace orvel
