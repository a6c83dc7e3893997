// The update window: the program's update page in an embedded web browser.
#pragma once

#include "common/SiteAddress.h"

#include <QUrl>
#include <QWidget>

class QWebEngineView;

namespace orvel {

class Mise_a_Jour : public QWidget
{
    Q_OBJECT
public:
    // Navigates to the page at once; a page that cannot be reached shows the browser's own
    // error page.
    explicit Mise_a_Jour(const QUrl &page = updatePageUrl(), QWidget *parent = nullptr);

    QWebEngineView *browser() const { return WebBrowser1; }

private:
    QWebEngineView *WebBrowser1;
};

} // namespace orvel
