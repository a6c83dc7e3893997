#include "Mise_a_Jour.h"

#include <QVBoxLayout>
#include <QWebEngineView>

namespace orvel {

Mise_a_Jour::Mise_a_Jour(const QUrl &page, QWidget *parent)
    : QWidget(parent, Qt::Window)
    , WebBrowser1(new QWebEngineView(this))
{
    setObjectName(QStringLiteral("Mise_a_Jour"));
    setWindowTitle(QStringLiteral("Site ") + siteAddress());
    WebBrowser1->setObjectName(QStringLiteral("WebBrowser1"));
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(WebBrowser1);

    // A page laid out for a desktop screen; the router keeps the window inside the screen.
    resize(1024, 720);

    WebBrowser1->setUrl(page);
}

} // namespace orvel
